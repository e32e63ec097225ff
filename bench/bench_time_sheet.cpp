// Time-sheet storage: load, the append-mode saves of a task's start and end,
// and the editor's rewrites, for sheets of growing size.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "store/current_task.h"
#include "store/paths.h"
#include "store/time_sheet.h"

namespace {
const int kRuns = 7;
// The append-mode saves are short and meet more noise from the disk.
const int kAppendRuns = 15;

TimeRecord Record(int64_t start, int64_t stop) {
  TimeRecord record;
  memset(&record, 0, sizeof record);
  snprintf(record.task, sizeof record.task, "task %lld", static_cast<long long>(start));
  snprintf(record.project, sizeof record.project, "project");
  snprintf(record.classification, sizeof record.classification, "class");
  record.startSeconds = start;
  record.stopSeconds = stop;
  record.elapsedMinutes = 30.0f;
  record.elapsedHours = 0.5f;
  return record;
}

// Records start an hour apart from this second on.
const int64_t kFirstStart = 12566156829LL;
int64_t StartOf(int i) { return kFirstStart + 3600LL * i; }

bool WriteSheet(const std::string& path, int records) {
  std::vector<TimeRecord> all;
  all.reserve(records);
  for (int i = 0; i < records; ++i) all.push_back(Record(StartOf(i), StartOf(i) + 1800));
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = static_cast<DWORD>(all.size() * sizeof(TimeRecord)), written = 0;
  bool ok = WriteFile(file, all.data(), size, &written, NULL) && written == size;
  // Flushed here, so the first timed flush does not write the whole sheet.
  ok = ok && FlushFileBuffers(file);
  CloseHandle(file);
  return ok;
}

bool Loaded(const char* what) {
  if (LoadTimeSheet() == 1) return true;
  ReportFailure(what);
  return false;
}

void MeasureSheet(const char* folder, int records) {
  std::string path = std::string(folder) + "\\bench-" + std::to_string(records) + ".tim";
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", path.c_str());
  if (!WriteSheet(path, records)) {
    ReportFailure("writing the time sheet");
    return;
  }
  std::vector<double> load, start, end, insert, remove, keep, split;
  for (int run = 0; run < kRuns; ++run) {
    double t0 = NowMicroseconds();
    int loaded = LoadTimeSheet();
    load.push_back(NowMicroseconds() - t0);
    ReleaseTimeSheet();
    if (loaded != 1) return ReportFailure("load");
  }
  // Each start appends an open record, each end closes it in place: the
  // sheet grows by one record per task, as it does in use.
  for (int run = 0; run < kAppendRuns; ++run) {
    int64_t begin = StartOf(records + run);
    CurrentRecord = Record(begin, 0);
    double t0 = NowMicroseconds();
    int started = SaveTimeSheet(kSaveAppend);
    start.push_back(NowMicroseconds() - t0);
    CurrentRecord = Record(begin, begin + 1800);
    t0 = NowMicroseconds();
    int ended = SaveTimeSheet(kSaveAppend);
    end.push_back(NowMicroseconds() - t0);
    if (started != 1 || ended != 1) return ReportFailure("append-mode save");
  }
  // The editor loads before each rewrite; only the rewrite is timed.
  for (int run = 0; run < kRuns; ++run) {
    if (!Loaded("load before insert")) return;
    double t0 = NowMicroseconds();
    InsertRecordByStart(Record(StartOf(records / 2) - 60, StartOf(records / 2)));
    insert.push_back(NowMicroseconds() - t0);
    if (TimeSheet.count != -1) return ReportFailure("insert");
  }
  for (int run = 0; run < kRuns; ++run) {
    if (!Loaded("load before delete")) return;
    double t0 = NowMicroseconds();
    DeleteRecordAt(TimeSheet.count / 2);
    remove.push_back(NowMicroseconds() - t0);
    if (TimeSheet.count != -1) return ReportFailure("delete");
  }
  for (int run = 0; run < kRuns; ++run) {
    if (!Loaded("load before keep-from")) return;
    // Drops the oldest record only.
    int64_t cutoff = TimeSheet.records[0].startSeconds + 1;
    double t0 = NowMicroseconds();
    int kept = KeepRecordsFrom(cutoff);
    keep.push_back(NowMicroseconds() - t0);
    if (kept != 1) return ReportFailure("keep-from");
  }
  // A discarded away time: the running task ended at the away start and
  // started again now, both written in one whole rewrite.
  for (int run = 0; run < kRuns; ++run) {
    int64_t begin = StartOf(records + kAppendRuns + run);
    double t0 = NowMicroseconds();
    int written = SaveTaskSplit(Record(begin, begin + 900), Record(begin + 1800, 0));
    split.push_back(NowMicroseconds() - t0);
    if (written != 1) return ReportFailure("away split");
  }
  ReportMeasurement("load", records, load);
  ReportMeasurement("append-start", records, start);
  ReportMeasurement("append-end", records, end);
  ReportMeasurement("insert", records, insert);
  ReportMeasurement("delete", records, remove);
  ReportMeasurement("keep-from", records, keep);
  ReportMeasurement("away-split", records, split);
  DeleteFileA(path.c_str());
}

void RunTimeSheet(const char* folder) {
  for (int records : {1000, 10000, 100000}) MeasureSheet(folder, records);
  ReleaseTimeSheet();
  TimeSheetPath[0] = '\0';
}

BenchGroup timeSheetGroup("time sheet", RunTimeSheet);
}  // namespace
