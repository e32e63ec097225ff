#include "tests/test_records.h"

#include <stdio.h>
#include <string.h>

std::string RecordBytes(const TimeRecord& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

TimeRecord MakeRecord(const char* task, const char* project, const char* classification,
                      int64_t startSeconds, int64_t stopSeconds) {
  TimeRecord record;
  memset(&record, 0, sizeof record);
  snprintf(record.task, sizeof record.task, "%s", task);
  snprintf(record.project, sizeof record.project, "%s", project);
  snprintf(record.classification, sizeof record.classification, "%s", classification);
  record.startSeconds = startSeconds;
  record.stopSeconds = stopSeconds;
  return record;
}
