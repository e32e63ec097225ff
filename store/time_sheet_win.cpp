#include "store/time_sheet.h"

#include <stdlib.h>

#include "store/current_task.h"
#include "store/data_file_rewrite.h"
#include "store/description_text.h"
#include "store/paths.h"
#include "store/time_sheet_append.h"
#include "store/time_sheet_rules.h"

// Every rewrite below goes through RewriteDataFile: the new content is
// complete and flushed in a file of its own before it takes the old one's
// place, so a full disk or a crash leaves the old records as they were.

static DWORD BytesOf(int32_t records) { return static_cast<DWORD>(records) * kRecordSize; }

// The read the loaded sheet was planned from. A sheet that is not loaded
// after a failed read may not be rewritten at all; otherwise only a missing
// file may be made from nothing, never one that is there.
static DataFileRead LoadedFrom() {
  if (TimeSheet.count >= 0) return DataFileRead{kDataFileRead, 0};
  DataFileRead last = LastTimeSheetRead();
  return last.state == kDataFileUnreadable ? last : DataFileRead{kDataFileMissing, 0};
}

static int32_t LoadedCount() { return TimeSheet.count > 0 ? TimeSheet.count : 0; }

// Records come back from the file with whatever followed their texts; what
// the program writes has nothing after them.
static void CleanLoadedRecords() { ClearTextTails(TimeSheet.records, LoadedCount()); }

static int RewriteFrom(const DataFileRead& plannedFrom, const FilePiece* pieces, size_t count) {
  RewriteResult result = RewriteDataFile(TimeSheetPath, plannedFrom, pieces, count);
  if (!result.written) {
    SetLastError(result.error);
    return 0;
  }
  ReleaseTimeSheet();
  return 1;
}

static int Rewrite(const FilePiece* pieces, size_t count) {
  return RewriteFrom(LoadedFrom(), pieces, count);
}

int SaveTimeSheet(int mode) {
  if (TimeSheetPath[0] == '\0') return 0;
  if (mode == kSaveAppend) {
    // What a reload would do first; the sheet is not needed for the tail write.
    ReleaseTimeSheet();
    TimeRecord written = CurrentRecord;
    ClearTextTails(written);
    return AppendRecordInPlace(TimeSheetPath, written) ? 1 : 0;
  }
  CleanLoadedRecords();
  int32_t kept = RecordsWrittenBack(TimeSheet.records, TimeSheet.count);
  FilePiece piece = {TimeSheet.records, BytesOf(kept)};
  return Rewrite(&piece, 1);
}

// The whole loaded sheet, a trailing open record included.
int SaveEditedKeepingTask() {
  CleanLoadedRecords();
  FilePiece all = {TimeSheet.records, BytesOf(LoadedCount())};
  return Rewrite(&all, 1);
}

static int InsertRecordAt(TimeRecord record, int32_t at) {
  ClearTextTails(record);
  CleanLoadedRecords();
  const TimeRecord* records = TimeSheet.records;
  int32_t count = LoadedCount();
  FilePiece pieces[3] = {
      {records, BytesOf(at)}, {&record, kRecordSize}, {records + at, BytesOf(count - at)}};
  return Rewrite(pieces, 3);
}

int InsertRecordByStart(TimeRecord record) {
  return InsertRecordAt(record, InsertPosition(TimeSheet.records, LoadedCount(), record.startSeconds));
}

int InsertRecordBeforeTask(TimeRecord record) {
  return InsertRecordAt(
      record, InsertPositionBeforeTask(TimeSheet.records, LoadedCount(), record.startSeconds));
}

int DeleteRecordAt(int32_t index) {
  CleanLoadedRecords();
  const TimeRecord* records = TimeSheet.records;
  int32_t count = LoadedCount();
  if (!IsRecordIndex(count, index)) {
    FilePiece all = {records, BytesOf(count)};
    return Rewrite(&all, 1);
  }
  FilePiece pieces[2] = {{records, BytesOf(index)},
                         {records + index + 1, BytesOf(count - index - 1)}};
  return Rewrite(pieces, 2);
}

static int KeepFrom(int64_t cutoff, bool keepTask) {
  CleanLoadedRecords();
  const TimeRecord* records = TimeSheet.records;
  int32_t count = LoadedCount();
  // Written straight from the loaded sheet, stretch by stretch: copying a
  // large sheet first would cost more than the write.
  size_t most = static_cast<size_t>(count) / 2 + 1;
  RecordRun* runs = static_cast<RecordRun*>(malloc(most * sizeof(RecordRun)));
  FilePiece* pieces = static_cast<FilePiece*>(malloc(most * sizeof(FilePiece)));
  int result = 0;
  if (runs != NULL && pieces != NULL) {
    int32_t n = keepTask ? KeptRunsKeepingTask(records, count, cutoff, runs)
                         : KeptRuns(records, count, cutoff, runs);
    for (int32_t i = 0; i < n; ++i)
      pieces[i] = FilePiece{records + runs[i].first, BytesOf(runs[i].count)};
    result = Rewrite(pieces, static_cast<size_t>(n));
  }
  free(runs);
  free(pieces);
  return result;
}

int KeepRecordsFrom(int64_t cutoff) { return KeepFrom(cutoff, false); }

int KeepRecordsFromKeepingTask(int64_t cutoff) { return KeepFrom(cutoff, true); }

// Planned from its own read: a sheet that cannot be read is left alone, and
// one that was missing is made with the two records.
int SaveTaskSplit(const TimeRecord& ended, const TimeRecord& restarted) {
  DataFileRead read = ReadTimeSheet();
  if (read.state == kDataFileUnreadable) {
    SetLastError(read.error);
    return 0;
  }
  CleanLoadedRecords();
  TimeRecord tail[2] = {ended, restarted};
  ClearTextTails(tail, 2);
  int32_t kept = RecordsWrittenBack(TimeSheet.records, TimeSheet.count);
  FilePiece pieces[2] = {{TimeSheet.records, BytesOf(kept)}, {tail, BytesOf(2)}};
  int written = RewriteFrom(read, pieces, 2);
  if (!written) ReleaseTimeSheet();
  return written;
}
