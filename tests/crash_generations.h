// The contents the crash-kill writer moves its files through, generation by
// generation, so that the checker can tell a whole file from a damaged one.
#pragma once
#include <stdio.h>
#include <string.h>

#include <string>

#include "store/time_record.h"

enum { kCrashSheetRecords = 4096, kCrashFirstTasks = 20000 };
const int64_t kCrashGeneration = 1000000;

// Record `index` of generation `generation`; the one after the last is the
// open record an append leaves at the end.
inline TimeRecord CrashRecord(int64_t generation, int index) {
  TimeRecord record;
  memset(&record, 0, sizeof record);
  snprintf(record.task, sizeof record.task, "generation %lld", static_cast<long long>(generation));
  snprintf(record.project, sizeof record.project, "record %d", index);
  snprintf(record.classification, sizeof record.classification, "crash");
  record.startSeconds = generation * kCrashGeneration + index;
  bool open = index == kCrashSheetRecords;
  record.stopSeconds = open ? 0 : record.startSeconds + 60;
  record.elapsedMinutes = open ? 0.0f : 1.0f;
  return record;
}

inline std::string CrashSheet(int64_t generation, bool withOpen) {
  std::string bytes;
  for (int i = 0; i < kCrashSheetRecords + (withOpen ? 1 : 0); ++i) {
    TimeRecord record = CrashRecord(generation, i);
    bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
  }
  return bytes;
}

inline std::string CrashText(const char* format, int n) {
  char field[kDescriptionSize] = {0};
  snprintf(field, sizeof field, format, n);
  return std::string(field, sizeof field);
}

inline std::string CrashCount(int32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

// Tasks "task 1" to "task <tasks>", the project "p" (and "q" between the
// writer's adding and removing it) and one classification.
inline std::string CrashDescriptions(int tasks, bool withQ = false) {
  std::string bytes = CrashCount(tasks);
  for (int i = 1; i <= tasks; ++i) bytes += CrashText("task %d", i);
  bytes += CrashCount(withQ ? 2 : 1) + CrashText("p", 0) + (withQ ? CrashText("q", 0) : std::string());
  return bytes + CrashCount(1) + CrashText("c", 0);
}
