#include "store/time_sheet.h"

#include "store/global_block_win.h"
#include "store/paths.h"

TimeSheetBuffer TimeSheet = {-1, NULL, NULL};

// What the latest load found, for the rewrites planned from it.
static DataFileRead LastRead = {kDataFileMissing, 0};

DataFileRead LastTimeSheetRead() { return LastRead; }

void ReleaseTimeSheet() {
  FreeLockedBlock(&TimeSheet.memory);
  TimeSheet.records = NULL;
  TimeSheet.count = -1;
}

static DataFileRead Load() {
  ReleaseTimeSheet();
  DataFileReader reader;
  DataFileRead read = reader.Open(TimeSheetPath, kShareForReading);
  if (read.state != kDataFileRead) return read;
  // The size fits 32 bits: the reader refuses anything larger.
  DWORD size = static_cast<DWORD>(reader.Size());
  if (size != 0) {
    HGLOBAL memory = NULL;
    void* block = LockNewBlock(size, &memory);
    if (block == NULL) return DataFileRead{kDataFileUnreadable, ERROR_NOT_ENOUGH_MEMORY};
    // A short read would hand zero-filled records to the next rewrite.
    if (reader.Read(block, size) != size) {
      FreeLockedBlock(&memory);
      read = reader.Outcome();
      return read.state == kDataFileRead ? DataFileRead{kDataFileUnreadable, ERROR_HANDLE_EOF} : read;
    }
    TimeSheet.memory = memory;
    TimeSheet.records = static_cast<TimeRecord*>(block);
  }
  TimeSheet.count = static_cast<int32_t>(size >> 8);
  return read;
}

DataFileRead ReadTimeSheet() {
  LastRead = Load();
  return LastRead;
}

int LoadTimeSheet() {
  switch (ReadTimeSheet().state) {
    case kDataFileRead:
      return 1;
    case kDataFileMissing:
      return 0;
    default:
      return -1;
  }
}
