// One logged interval exactly as it lies in a time-sheet file.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "common/path_size.h"
#include "store/win_types.h"

enum { kDescriptionSize = 64, kRecordSize = 256 };

struct TimeRecord {
  char task[kDescriptionSize];
  char project[kDescriptionSize];
  char classification[kDescriptionSize];
  SYSTEMTIME startTime;
  SYSTEMTIME stopTime;
  int64_t startSeconds;
  int64_t stopSeconds;  // 0 while the record is open
  float elapsedMinutes;
  float elapsedHours;
  unsigned char reserved[8];
};

static_assert(sizeof(TimeRecord) == 256, "a time record is 256 bytes");
static_assert(offsetof(TimeRecord, task) == 0, "task");
static_assert(offsetof(TimeRecord, project) == 64, "project");
static_assert(offsetof(TimeRecord, classification) == 128, "classification");
static_assert(offsetof(TimeRecord, startTime) == 192, "startTime");
static_assert(offsetof(TimeRecord, stopTime) == 208, "stopTime");
static_assert(offsetof(TimeRecord, startSeconds) == 224, "startSeconds");
static_assert(offsetof(TimeRecord, stopSeconds) == 232, "stopSeconds");
static_assert(offsetof(TimeRecord, elapsedMinutes) == 240, "elapsedMinutes");
static_assert(offsetof(TimeRecord, elapsedHours) == 244, "elapsedHours");
static_assert(offsetof(TimeRecord, reserved) == 248, "reserved");
static_assert(sizeof(float) == 4, "IEEE single floats");

inline bool RecordIsOpen(const TimeRecord& record) { return record.stopSeconds == 0; }
// A torn append can leave 256 zero bytes at the end of a sheet: open by its
// stop stamp, but with a start of 0 it is damage, not a task running since
// 1601. It is neither resumed nor written over.
inline bool RecordIsOpenTask(const TimeRecord& record) {
  return RecordIsOpen(record) && record.startSeconds != 0;
}
