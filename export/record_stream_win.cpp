#include "export/record_stream_win.h"

#include "store/paths.h"

BOOL (WINAPI *ReadSheetBytes)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) = ReadFile;

// Loading the whole file first would cost a fresh page per 16 records before
// any line is written; a small reused buffer costs almost nothing.
RecordStream::~RecordStream() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

SheetOpening RecordStream::Open() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  failed_ = false;
  if (TimeSheetPath[0] == '\0') return kSheetMissing;
  file_ = CreateFileA(TimeSheetPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
  if (file_ == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kSheetMissing
                                                                           : kSheetUnreadable;
  }
  LARGE_INTEGER size;
  bool sized = GetFileSizeEx(file_, &size) != 0;
  // Like the loader, a file of 4 GiB or more is no time sheet to read.
  if (sized && size.QuadPart <= 0xFFFFFFFFLL) return kSheetOpened;
  CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  return sized ? kSheetMissing : kSheetUnreadable;
}

DWORD RecordStream::Next(TimeRecord (&records)[kStreamRecords]) {
  if (file_ == INVALID_HANDLE_VALUE || failed_) return 0;
  char* bytes = reinterpret_cast<char*>(records);
  DWORD wanted = sizeof records, filled = 0;
  while (filled < wanted) {
    DWORD read = 0;
    if (!ReadSheetBytes(file_, bytes + filled, wanted - filled, &read, NULL)) {
      failed_ = true;
      return 0;
    }
    if (read == 0) break;
    filled += read;
  }
  return filled / sizeof(TimeRecord);
}
