// Reads the time-sheet file a few hundred records at a time, for the export.
#pragma once
#include <windows.h>
#include "store/time_record.h"

enum { kStreamRecords = 256 };

class RecordStream {
 public:
  RecordStream() = default;
  ~RecordStream();
  RecordStream(const RecordStream&) = delete;
  RecordStream& operator=(const RecordStream&) = delete;

  // Opens TimeSheetPath shared for reading only; false when there is no
  // readable time sheet (the export then holds its header alone).
  bool Open();
  // Fills `records` with the next whole records, in file order; 0 at the end.
  // A trailing piece shorter than a record is not a record.
  DWORD Next(TimeRecord (&records)[kStreamRecords]);

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};
