// What the time-sheet rewrites keep and where a record lands, apart from files.
#pragma once
#include <stdint.h>
#include "store/time_record.h"

// Records written back from a loaded sheet: all but a trailing open one
// (0 when nothing is loaded).
int32_t RecordsWrittenBack(const TimeRecord* records, int32_t count);

// The record slot the current record takes in an append: the place of a
// trailing open record, or after the last whole record.
int64_t AppendSlot(int64_t recordsInFile, bool lastIsOpen);

// Index before which a record starting at `startSeconds` goes: the first
// record that starts at the same second or later, or `count` if none does.
int32_t InsertPosition(const TimeRecord* records, int32_t count, int64_t startSeconds);

// As InsertPosition, but never after a trailing open record: while a task
// is being logged its open record must stay last.
int32_t InsertPositionBeforeTask(const TimeRecord* records, int32_t count, int64_t startSeconds);

// True when `index` names a loaded record (the one a delete leaves out).
bool IsRecordIndex(int32_t count, int32_t index);

// A stretch of neighbouring records: the first one's index and how many.
struct RecordRun {
  int32_t first;
  int32_t count;
};

// The records that start at or after `cutoff`, in order, as stretches of
// neighbours; `runs` has room for (count + 1) / 2. Returns how many there are.
int32_t KeptRuns(const TimeRecord* records, int32_t count, int64_t cutoff, RecordRun* runs);

// As KeptRuns, but a trailing open record is kept whatever its start: the
// running task survives a purge. `runs` has room for count / 2 + 1.
int32_t KeptRunsKeepingTask(const TimeRecord* records, int32_t count, int64_t cutoff,
                            RecordRun* runs);
