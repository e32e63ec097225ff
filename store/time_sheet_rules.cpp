#include "store/time_sheet_rules.h"

#include <string.h>

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

bool IsRecordIndex(int32_t count, int32_t index) { return index >= 0 && index < count; }

int32_t CopyRecordsFrom(const TimeRecord* records, int32_t count, int64_t cutoff,
                        TimeRecord* kept) {
  int32_t n = 0;
  for (int32_t i = 0; i < count; ++i)
    if (records[i].startSeconds >= cutoff) memcpy(&kept[n++], &records[i], sizeof(TimeRecord));
  return n;
}
