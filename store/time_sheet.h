// The loaded copy of the time-sheet file and the operations that rewrite it.
#pragma once
#include <windows.h>
#include "store/data_file_read.h"
#include "store/time_record.h"

struct TimeSheetBuffer {
  int32_t count;        // -1 while nothing is loaded
  TimeRecord* records;  // the locked block; null when no block is held
  HGLOBAL memory;
};
extern TimeSheetBuffer TimeSheet;

enum SaveMode { kSaveAppend = 0, kSaveAsEdited = 1 };

int LoadTimeSheet();  // 1 loaded, 0 no such file, -1 cannot be read
// The same load, telling why a sheet cannot be read.
DataFileRead ReadTimeSheet();
// What the latest load found.
DataFileRead LastTimeSheetRead();
void ReleaseTimeSheet();
// 1 written, 0 nothing written (also when no time sheet is named: the
// caller names one first). A failed rewrite leaves its reason in GetLastError.
int SaveTimeSheet(int mode);
// The three below return 1 when the file was rewritten, 0 when it was left as it was.
int InsertRecordByStart(TimeRecord record);
int DeleteRecordAt(int32_t index);
int KeepRecordsFrom(int64_t cutoff);

// The same rewrites for the records editor while a task is being logged: a
// trailing open record (the running task) stays the file's last record.
int SaveEditedKeepingTask();
int InsertRecordBeforeTask(TimeRecord record);
int KeepRecordsFromKeepingTask(int64_t cutoff);

// The running task cut in two around an away time: `ended` takes the place of
// a trailing open record (or goes after the last record) and `restarted`
// follows it, in one whole rewrite, so the file has both or neither. A sheet
// that cannot be read is left as it is (0).
int SaveTaskSplit(const TimeRecord& ended, const TimeRecord& restarted);
