#include "store/time_sheet.h"

#include <stdlib.h>

#include "store/current_task.h"
#include "store/description_text.h"
#include "store/file_selection.h"
#include "store/paths.h"
#include "store/safe_file_win.h"
#include "store/time_sheet_append.h"
#include "store/time_sheet_rules.h"

// Every rewrite below goes through ReplaceFileContents: the new content is
// complete and flushed in a file of its own before it takes the old one's
// place, so a full disk or a crash leaves the old records as they were.

static DWORD BytesOf(int32_t records) { return static_cast<DWORD>(records) * kRecordSize; }

// A rewrite from a sheet that is not loaded would replace an existing file
// with nothing (after a load that failed, say); only a missing file may be
// created that way.
static bool MayRewriteFromLoaded() {
  return TimeSheet.count >= 0 || GetFileAttributesA(TimeSheetPath) == INVALID_FILE_ATTRIBUTES;
}

static int32_t LoadedCount() { return TimeSheet.count > 0 ? TimeSheet.count : 0; }

// Records come back from the file with whatever followed their texts; what
// the program writes has nothing after them.
static void CleanLoadedRecords() { ClearTextTails(TimeSheet.records, LoadedCount()); }

static int Rewrite(const FilePiece* pieces, size_t count) {
  if (!ReplaceFileContents(TimeSheetPath, pieces, count)) return 0;
  ReleaseTimeSheet();
  return 1;
}

int SaveTimeSheet(HWND owner, int mode) {
  if (TimeSheetPath[0] == '\0' && ChooseTimeSheetToSave(owner) == 0) return 0;
  if (mode == kSaveAppend) {
    // What a reload would do first; the sheet is not needed for the tail write.
    ReleaseTimeSheet();
    TimeRecord written = CurrentRecord;
    ClearTextTails(written);
    return AppendRecordInPlace(TimeSheetPath, written) ? 1 : 0;
  }
  if (!MayRewriteFromLoaded()) return 0;
  CleanLoadedRecords();
  int32_t kept = RecordsWrittenBack(TimeSheet.records, TimeSheet.count);
  FilePiece piece = {TimeSheet.records, BytesOf(kept)};
  return Rewrite(&piece, 1);
}

// The whole loaded sheet, a trailing open record included.
int SaveEditedKeepingTask() {
  if (!MayRewriteFromLoaded()) return 0;
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
  if (!MayRewriteFromLoaded()) return 0;
  return InsertRecordAt(record, InsertPosition(TimeSheet.records, LoadedCount(), record.startSeconds));
}

int InsertRecordBeforeTask(TimeRecord record) {
  if (!MayRewriteFromLoaded()) return 0;
  return InsertRecordAt(
      record, InsertPositionBeforeTask(TimeSheet.records, LoadedCount(), record.startSeconds));
}

int DeleteRecordAt(int32_t index) {
  if (!MayRewriteFromLoaded()) return 0;
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
  if (!MayRewriteFromLoaded()) return 0;
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

int SaveTaskSplit(const TimeRecord& ended, const TimeRecord& restarted) {
  if (LoadTimeSheet() < 0) return 0;  // a missing file is made with the two records
  CleanLoadedRecords();
  TimeRecord tail[2] = {ended, restarted};
  ClearTextTails(tail, 2);
  int32_t kept = RecordsWrittenBack(TimeSheet.records, TimeSheet.count);
  FilePiece pieces[2] = {{TimeSheet.records, BytesOf(kept)}, {tail, BytesOf(2)}};
  int written = Rewrite(pieces, 2);
  if (!written) ReleaseTimeSheet();
  return written;
}
