// Runs every registered benchmark group, then prints the table and one
// "bench: <operation> <records> <median microseconds>" line per row for scripts.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/bench_util.h"

namespace {
struct Group {
  const char* name;
  void (*run)(const char* folder);
};
struct Row {
  std::string operation;
  int records;
  double median;
  const char* unit;
};

// Function-local, so groups may register from static objects in any file.
std::vector<Group>& Groups() {
  static std::vector<Group> groups;
  return groups;
}
std::vector<Row>& Rows() {
  static std::vector<Row> rows;
  return rows;
}
int failures = 0;

// The script passes a Linux path; Wine reaches it under drive Z:.
std::string WindowsFolder(const char* argument) {
  std::string folder = argument;
  if (!folder.empty() && folder[0] == '/') folder = "Z:" + folder;
  std::replace(folder.begin(), folder.end(), '/', '\\');
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}
}  // namespace

BenchGroup::BenchGroup(const char* name, void (*run)(const char* folder)) {
  Groups().push_back({name, run});
}

double NowMicroseconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

void ReportMeasurement(const char* operation, int records, std::vector<double> samples) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  size_t middle = samples.size() / 2;
  double median = samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
  Rows().push_back({operation, records, median, "us"});
  printf("  %-24s %8d %12.0f us (%u runs)\n", operation, records, median,
         static_cast<unsigned>(samples.size()));
  fflush(stdout);
}

void ReportBytes(const char* operation, int records, double bytes) {
  Rows().push_back({operation, records, bytes, "bytes"});
  printf("  %-24s %8d %12.0f bytes\n", operation, records, bytes);
  fflush(stdout);
}

void ReportFailure(const char* what) {
  ++failures;
  printf("FAILED: %s\n", what);
  fflush(stdout);
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: hourwright_bench <data folder> [group name]\n");
    return 2;
  }
  std::string folder = WindowsFolder(argv[1]);
  CreateDirectoryA(folder.c_str(), NULL);
  for (const Group& group : Groups()) {
    if (argc > 2 && strcmp(argv[2], group.name) != 0) continue;  // one group only
    printf("%s\n", group.name);
    fflush(stdout);
    group.run(folder.c_str());
  }

  printf("\n%-24s %8s %12s\n", "operation", "records", "median");
  for (const Row& row : Rows())
    printf("%-24s %8d %12.0f %s\n", row.operation.c_str(), row.records, row.median, row.unit);
  printf("\n");
  for (const Row& row : Rows())
    printf("bench: %s %d %.0f\n", row.operation.c_str(), row.records, row.median);
  if (failures > 0) printf("%d operation(s) failed\n", failures);
  return failures > 0 ? 1 : 0;
}
