// Benchmark groups register themselves from their own files; the main program
// runs every group and prints one table of medians.
#pragma once
#include <vector>

struct BenchGroup {
  // `run` receives the data folder (a Windows path) for its files.
  BenchGroup(const char* name, void (*run)(const char* folder));
};

// Microseconds from the performance counter, for differences only.
double NowMicroseconds();

// One row of the table: the median of the samples.
void ReportMeasurement(const char* operation, int records, std::vector<double> microsecondSamples);

// A row whose figure is a size in bytes, not a time.
void ReportBytes(const char* operation, int records, double bytes);

// Marks the run as failed (an operation did not do its work) with a note.
void ReportFailure(const char* what);
