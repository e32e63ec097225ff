// The undo history's cost: a delete that keeps its history beside the plain
// "delete" of the time-sheet group, an undo of a delete, and the history's
// size after many deletes, in a sheet of 100,000 records.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "store/undo_files_win.h"
#include "store/undo_hook_win.h"
#include "store/undo_win.h"

namespace {
const int kRecords = 100000;
const int kDeletes = 1000;
const int kUndos = 15;

bool WriteSheet(const std::string& path) {
  std::vector<TimeRecord> all(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    TimeRecord& record = all[i];
    memset(&record, 0, sizeof record);
    snprintf(record.task, sizeof record.task, "task %d", i);
    snprintf(record.project, sizeof record.project, "project");
    record.startSeconds = 12566156829LL + 3600LL * i;
    record.stopSeconds = record.startSeconds + 1800;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = static_cast<DWORD>(all.size() * sizeof(TimeRecord)), written = 0;
  bool ok = WriteFile(file, all.data(), size, &written, NULL) && written == size && FlushFileBuffers(file);
  CloseHandle(file);
  return ok;
}

uint64_t FileBytes(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void RunUndo(const char* folder) {
  std::string local = std::string(folder) + "\\undo-local";
  CreateDirectoryA(local.c_str(), NULL);
  SetEnvironmentVariableA("LOCALAPPDATA", local.c_str());
  std::string path = std::string(folder) + "\\undo-bench.tim";
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", path.c_str());
  char history[kPathSize];
  if (!WriteSheet(path) || !UndoHistoryPath(TimeSheetPath, history)) return ReportFailure("undo bench set-up");
  DeleteFileA(history);

  // The editor loads before each delete; only the rewrite with its history is timed.
  std::vector<double> deletes, undos;
  for (int run = 0; run < kDeletes; ++run) {
    if (LoadTimeSheet() != 1) return ReportFailure("load before delete");
    UndoableChange change("Delete Record");
    double t0 = NowMicroseconds();
    int deleted = DeleteRecordAt(TimeSheet.count / 2);
    deletes.push_back(NowMicroseconds() - t0);
    if (deleted != 1) return ReportFailure("delete with history");
  }
  double bytes = static_cast<double>(FileBytes(history));
  for (int run = 0; run < kUndos; ++run) {
    double t0 = NowMicroseconds();
    UndoOutcome outcome = UndoLastChange().outcome;
    undos.push_back(NowMicroseconds() - t0);
    if (outcome != kUndoMade) return ReportFailure("undo of a delete");
  }
  ReportMeasurement("delete-with-history", kRecords, deletes);
  ReportMeasurement("undo-delete", kRecords, undos);
  ReportBytes("undo-history-1000-deletes", kRecords, bytes);
  DeleteFileA(path.c_str());
  DeleteFileA(history);
  TimeSheetPath[0] = '\0';
}

BenchGroup undoGroup("undo", RunUndo);
}  // namespace
