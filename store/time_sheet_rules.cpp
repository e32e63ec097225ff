#include "store/time_sheet_rules.h"

int32_t RecordsWrittenBack(const TimeRecord* records, int32_t count) {
  if (count <= 0) return 0;
  // Only a trailing open record is dropped: it is the task being logged,
  // which the next append writes again.
  return RecordIsOpen(records[count - 1]) ? count - 1 : count;
}

int64_t AppendSlot(int64_t recordsInFile, bool lastIsOpen) {
  return recordsInFile > 0 && lastIsOpen ? recordsInFile - 1 : recordsInFile;
}

int32_t InsertPosition(const TimeRecord* records, int32_t count, int64_t startSeconds) {
  int32_t i = 0;
  while (i < count && records[i].startSeconds < startSeconds) ++i;
  return i;
}

static bool EndsOpen(const TimeRecord* records, int32_t count) {
  return count > 0 && RecordIsOpen(records[count - 1]);
}

int32_t InsertPositionBeforeTask(const TimeRecord* records, int32_t count, int64_t startSeconds) {
  int32_t at = InsertPosition(records, count, startSeconds);
  return EndsOpen(records, count) && at == count ? count - 1 : at;
}

bool IsRecordIndex(int32_t count, int32_t index) { return index >= 0 && index < count; }

int32_t KeptRuns(const TimeRecord* records, int32_t count, int64_t cutoff, RecordRun* runs) {
  int32_t n = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (records[i].startSeconds < cutoff) continue;
    if (n > 0 && runs[n - 1].first + runs[n - 1].count == i)
      ++runs[n - 1].count;
    else
      runs[n++] = RecordRun{i, 1};
  }
  return n;
}

int32_t KeptRunsKeepingTask(const TimeRecord* records, int32_t count, int64_t cutoff,
                            RecordRun* runs) {
  if (!EndsOpen(records, count)) return KeptRuns(records, count, cutoff, runs);
  int32_t task = count - 1;
  int32_t n = KeptRuns(records, task, cutoff, runs);
  if (n > 0 && runs[n - 1].first + runs[n - 1].count == task)
    ++runs[n - 1].count;
  else
    runs[n++] = RecordRun{task, 1};
  return n;
}
