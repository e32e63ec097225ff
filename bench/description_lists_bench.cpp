// Rebuilding the pick lists from the time records, with and without keeping
// the current entries, for many records and many distinct descriptions.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "store/description_lists.h"
#include "store/description_maintenance.h"
#include "store/paths.h"
#include "store/time_sheet.h"

namespace {
const int kRuns = 5;

// Record i uses description i % distinct of each list; the case changes from
// one round to the next, so most records meet a known text in other letters.
TimeRecord Record(int i, int distinct) {
  TimeRecord record;
  memset(&record, 0, sizeof record);
  int n = i % distinct;
  bool upper = (i / distinct) % 2 == 1;
  snprintf(record.task, sizeof record.task, upper ? "TASK NUMBER %d" : "task number %d", n);
  snprintf(record.project, sizeof record.project, upper ? "PROJECT %d" : "Project %d", n);
  snprintf(record.classification, sizeof record.classification, upper ? "CLASS %d" : "class %d", n);
  record.startSeconds = 12566156829LL + 3600LL * i;
  record.stopSeconds = record.startSeconds + 1800;
  return record;
}

bool WriteFileBytes(const std::string& path, const void* data, DWORD size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = (size == 0 || WriteFile(file, data, size, &written, NULL)) && written == size;
  CloseHandle(file);
  return ok;
}

bool WriteSheet(const std::string& path, int records, int distinct) {
  std::vector<TimeRecord> all;
  all.reserve(records);
  for (int i = 0; i < records; ++i) all.push_back(Record(i, distinct));
  return WriteFileBytes(path, all.data(), static_cast<DWORD>(all.size() * sizeof(TimeRecord)));
}

// The current entries kept by the keeping rebuild: 20 per list, none of them
// in the records.
bool WriteCurrentLists(const std::string& path) {
  std::string bytes;
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    int32_t count = 20;
    bytes.append(reinterpret_cast<const char*>(&count), 4);
    for (int i = 0; i < count; ++i) {
      char text[kDescriptionSize] = {0};
      snprintf(text, sizeof text, "current %d of list %d", i, kind);
      bytes.append(text, sizeof text);
    }
  }
  return WriteFileBytes(path, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// Every list must end with exactly the distinct descriptions (and the kept ones).
bool ListsHold(int32_t expected) {
  LoadDescriptionLists();
  bool ok = true;
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) ok = ok && DescriptionLists[kind].count == expected;
  ReleaseDescriptionLists();
  return ok;
}

void Measure(const char* folder, int records, int distinct, bool keep) {
  std::string sheet = std::string(folder) + "\\lists-" + std::to_string(records) + ".tim";
  std::string lists = std::string(folder) + "\\lists-" + std::to_string(records) + ".des";
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", sheet.c_str());
  snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", lists.c_str());
  if (!WriteSheet(sheet, records, distinct)) return ReportFailure("writing the time sheet");
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    // Each run starts from the same file, so each one writes.
    if (!WriteCurrentLists(lists)) return ReportFailure("writing the descriptions file");
    double t0 = NowMicroseconds();
    RebuildDescriptionLists(keep);
    samples.push_back(NowMicroseconds() - t0);
    if (!ListsHold(distinct + (keep ? 20 : 0))) return ReportFailure("rebuild");
  }
  std::string name = std::string(keep ? "lists-rebuild-keep-" : "lists-rebuild-") + std::to_string(distinct);
  ReportMeasurement(name.c_str(), records, samples);
  DeleteFileA(sheet.c_str());
  DeleteFileA(lists.c_str());
}

void RunDescriptionLists(const char* folder) {
  for (bool keep : {false, true})
    for (int distinct : {50, 2000})
      for (int records : {10000, 100000}) Measure(folder, records, distinct, keep);
  TimeSheetPath[0] = '\0';
  DescriptionsPath[0] = '\0';
}

BenchGroup descriptionListsGroup("description lists", RunDescriptionLists);
}  // namespace
