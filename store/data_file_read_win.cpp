#include "store/data_file_read.h"

#include "store/data_file_read_win.h"

BOOL (WINAPI *ReadSheetBytes)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) = ReadFile;

// One ReadFile takes a DWORD; a sheet is read in pieces well below that.
static const size_t kLargestRead = size_t(1) << 30;

static HANDLE HandleOf(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

static bool IsMissing(DWORD error) {
  // A name Windows cannot hold (wildcards, say) names no file either.
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

static bool IsFolder(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Only a file that is not there is missing: a share that does not answer or
// a folder without the right to list it is a failure to read, never an
// empty sheet.
DataFileRead DataFileReader::Open(const char* path, DataFileSharing sharing) {
  if (!Restart(path)) return outcome_;
  // Beside a running Hourwright, its in-place append and its rewrite (a move
  // over the file) must not fail for this read.
  DWORD share = sharing == kShareWithLogging ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                                             : FILE_SHARE_READ;
  HANDLE file = CreateFileA(path, GENERIC_READ, share, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED && IsFolder(path)) error = ERROR_DIRECTORY;
    return Failed(IsMissing(error) ? kDataFileMissing : kDataFileUnreadable, error);
  }
  LARGE_INTEGER size;
  DWORD error = 0;
  if (!GetFileSizeEx(file, &size)) error = GetLastError();
  else if (!IsSheetSizeReadable(static_cast<uint64_t>(size.QuadPart))) error = ERROR_FILE_TOO_LARGE;
  if (error == 0) return Opened(reinterpret_cast<intptr_t>(file), static_cast<uint64_t>(size.QuadPart));
  CloseHandle(file);
  return Failed(kDataFileUnreadable, error);
}

long DataFileReader::ReadSome(void* bytes, size_t room) {
  DWORD wanted = static_cast<DWORD>(room < kLargestRead ? room : kLargestRead);
  DWORD read = 0;
  if (!ReadSheetBytes(HandleOf(handle_), bytes, wanted, &read, NULL)) {
    DWORD error = GetLastError();
    Failed(kDataFileUnreadable, error != 0 ? error : static_cast<DWORD>(ERROR_READ_FAULT));
    return -1;
  }
  return static_cast<long>(read);
}

const unsigned char* DataFileReader::MapWhole() {
  if (view_ != nullptr) return static_cast<const unsigned char*>(view_);
  if (handle_ == -1 || size_ == 0 || size_ > SIZE_MAX / 2) return nullptr;
  mapping_ = CreateFileMappingA(HandleOf(handle_), NULL, PAGE_READONLY, 0, 0, NULL);
  if (mapping_ != nullptr) view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
  return static_cast<const unsigned char*>(view_);
}

void DataFileReader::Close() {
  if (view_ != nullptr) UnmapViewOfFile(view_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
  if (handle_ != -1) CloseHandle(HandleOf(handle_));
  view_ = nullptr;
  mapping_ = nullptr;
  handle_ = -1;
}

bool IsTooLarge(const DataFileRead& read) {
  return read.state == kDataFileUnreadable && read.error == ERROR_FILE_TOO_LARGE;
}
