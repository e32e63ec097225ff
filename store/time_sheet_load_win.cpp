#include "store/time_sheet.h"

#include "store/global_block_win.h"
#include "store/paths.h"

TimeSheetBuffer TimeSheet = {-1, NULL, NULL};

void ReleaseTimeSheet() {
  FreeLockedBlock(&TimeSheet.memory);
  TimeSheet.records = NULL;
  TimeSheet.count = -1;
}

int LoadTimeSheet() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(TimeSheetPath, &found);
  if (search == INVALID_HANDLE_VALUE || search == NULL) {
    ReleaseTimeSheet();
    return 0;
  }
  FindClose(search);
  ReleaseTimeSheet();

  HANDLE file = CreateFileA(TimeSheetPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return -1;

  // The format stops below 4 GiB: taking the low 32 bits of a larger size
  // would load part of the file and let the next rewrite cut the rest.
  if (found.nFileSizeHigh != 0) {
    CloseHandle(file);
    return -1;
  }
  DWORD size = found.nFileSizeLow;
  int result = 1;
  if (size != 0) {
    HGLOBAL memory = NULL;
    void* block = LockNewBlock(size, &memory);
    DWORD read = 0;
    // A short read would hand zero-filled records to the next rewrite.
    if (block == NULL || !ReadFile(file, block, size, &read, NULL) || read != size) {
      FreeLockedBlock(&memory);
      result = -1;
    } else {
      TimeSheet.memory = memory;
      TimeSheet.records = static_cast<TimeRecord*>(block);
    }
  }
  if (result == 1) TimeSheet.count = static_cast<int32_t>(size >> 8);
  CloseHandle(file);
  return result;
}
