// Export to a file and to the clipboard, of every record and of a date range
// that holds about a tenth of them, for time sheets of growing size.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "export/export_text.h"
#include "export/export_writers.h"
#include "store/paths.h"

namespace {
const int kRuns = 7;
const int64_t kFirstStart = 12566156829LL;  // 17 March 1999, 15:07:09
const int64_t kSecondsPerRecord = 3600;

SYSTEMTIME StampOf(int64_t seconds) {
  ULARGE_INTEGER ticks;
  ticks.QuadPart = static_cast<ULONGLONG>(seconds) * 10000000ULL;
  FILETIME file = {ticks.LowPart, ticks.HighPart};
  SYSTEMTIME time;
  FileTimeToSystemTime(&file, &time);
  return time;
}

// Closed records an hour apart, 20 to 50 minutes long, with descriptions of
// everyday length.
bool WriteSheet(const std::string& path, int records) {
  static const char* const kTasks[] = {"Write report", "Review the quarterly figures",
                                       "Phone call with supplier", "Fix build", "Planning"};
  static const char* const kProjects[] = {"Acme", "Internal", "Northwind Traders", "Ops"};
  std::vector<TimeRecord> all(records);
  for (int i = 0; i < records; ++i) {
    TimeRecord& record = all[i];
    memset(&record, 0, sizeof record);
    snprintf(record.task, sizeof record.task, "%s %d", kTasks[i % 5], i % 97);
    snprintf(record.project, sizeof record.project, "%s", kProjects[i % 4]);
    snprintf(record.classification, sizeof record.classification, "%s", i % 3 ? "Billable" : "Overhead");
    record.startSeconds = kFirstStart + kSecondsPerRecord * i;
    record.stopSeconds = record.startSeconds + 1200 + 61 * (i % 30);
    record.startTime = StampOf(record.startSeconds);
    record.stopTime = StampOf(record.stopSeconds);
    double minutes = static_cast<double>(record.stopSeconds - record.startSeconds) * (1.0 / 60.0);
    record.elapsedMinutes = static_cast<float>(minutes);
    record.elapsedHours = static_cast<float>(minutes * static_cast<double>(0.016666668f));
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = static_cast<DWORD>(all.size() * sizeof(TimeRecord)), written = 0;
  bool ok = WriteFile(file, all.data(), size, &written, NULL) && written == size;
  CloseHandle(file);
  return ok;
}

size_t CountLines(const char* text, size_t size) {
  size_t lines = 0;
  for (size_t i = 0; i + 1 < size; ++i)
    if (text[i] == '\r' && text[i + 1] == '\n') ++lines;
  return lines;
}

// Size and line count of the export file.
bool FileLines(const char* path, size_t* lines, size_t* size) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::vector<char> bytes(GetFileSize(file, NULL));
  DWORD read = 0;
  bool ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, NULL) &&
                              read == bytes.size());
  CloseHandle(file);
  *size = bytes.size();
  *lines = CountLines(bytes.data(), bytes.size());
  return ok;
}

bool ClipboardLines(size_t* lines, size_t* size) {
  if (!OpenClipboard(NULL)) return false;
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data != NULL ? static_cast<const char*>(GlobalLock(data)) : NULL;
  if (text != NULL) {
    *size = strnlen(text, GlobalSize(data));
    *lines = CountLines(text, *size);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text != NULL;
}

void MeasureExports(const char* folder, int records) {
  std::string sheet = std::string(folder) + "\\export-" + std::to_string(records) + ".tim";
  std::string target = std::string(folder) + "\\export-" + std::to_string(records) + ".txt";
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", sheet.c_str());
  snprintf(ExportPath, sizeof ExportPath, "%s", target.c_str());
  if (!WriteSheet(sheet, records)) return ReportFailure("writing the time sheet");

  // The range: the records that start from 45% and stop by 55% of the sheet.
  int64_t rangeStart = kFirstStart + kSecondsPerRecord * (records * 45 / 100);
  int64_t rangeStop = kFirstStart + kSecondsPerRecord * (records * 55 / 100) - 1;
  size_t rangeRecords = static_cast<size_t>(records * 55 / 100 - records * 45 / 100);
  struct Case { const char* file; const char* clipboard; int64_t start, stop; size_t lines; } cases[] = {
      {"export-file-all", "export-clipboard-all", 0, 0, static_cast<size_t>(records) + 1},
      {"export-file-tenth", "export-clipboard-tenth", rangeStart, rangeStop, rangeRecords + 1},
  };
  for (const Case& c : cases) {
    std::vector<double> toFile, toClipboard;
    size_t fileLines = 0, fileSize = 0, clipLines = 0, clipSize = 0;
    for (int run = 0; run < kRuns; ++run) {
      double t0 = NowMicroseconds();
      ExportToFile(c.start, c.stop, kElapsedHoursMinutes);
      toFile.push_back(NowMicroseconds() - t0);
      if (!FileLines(target.c_str(), &fileLines, &fileSize) || fileLines != c.lines)
        return ReportFailure(c.file);
      t0 = NowMicroseconds();
      ExportToClipboard(NULL, c.start, c.stop, kElapsedHoursMinutes);
      toClipboard.push_back(NowMicroseconds() - t0);
      if (!ClipboardLines(&clipLines, &clipSize) || clipLines != c.lines || clipSize != fileSize)
        return ReportFailure(c.clipboard);
    }
    ReportMeasurement(c.file, records, toFile);
    ReportMeasurement(c.clipboard, records, toClipboard);
  }
  DeleteFileA(sheet.c_str());
  DeleteFileA(target.c_str());
}

void RunExport(const char* folder) {
  for (int records : {1000, 10000, 100000}) MeasureExports(folder, records);
  TimeSheetPath[0] = '\0';
  ExportPath[0] = '\0';
}

BenchGroup exportGroup("export", RunExport);
}  // namespace
