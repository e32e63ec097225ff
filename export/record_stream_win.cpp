#include "export/record_stream_win.h"

#include "store/paths.h"

// Loading the whole file first would cost a fresh page per 16 records before
// any line is written; a small reused buffer costs almost nothing.
RecordStream::~RecordStream() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool RecordStream::Open() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = CreateFileA(TimeSheetPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
  LARGE_INTEGER size;
  // Like the loader, a file of 4 GiB or more is no time sheet to read.
  if (file_ != INVALID_HANDLE_VALUE && (!GetFileSizeEx(file_, &size) || size.QuadPart > 0xFFFFFFFFLL)) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
  return file_ != INVALID_HANDLE_VALUE;
}

DWORD RecordStream::Next(TimeRecord (&records)[kStreamRecords]) {
  if (file_ == INVALID_HANDLE_VALUE) return 0;
  char* bytes = reinterpret_cast<char*>(records);
  DWORD wanted = sizeof records, filled = 0;
  while (filled < wanted) {
    DWORD read = 0;
    if (!ReadFile(file_, bytes + filled, wanted - filled, &read, NULL) || read == 0) break;
    filled += read;
  }
  return filled / sizeof(TimeRecord);
}
