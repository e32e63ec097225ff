#include "store/mapped_file_win.h"

#include <stdint.h>

// Shared for writing too: a record written in place holds the file open for
// writing while its old bytes are read here.
MappedFile::MappedFile(const char* path) {
  file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, NULL);
  if (file_ == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    read_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file_, &size) || static_cast<uint64_t>(size.QuadPart) > SIZE_MAX / 2) return;
  size_ = static_cast<size_t>(size.QuadPart);
  if (size_ == 0) {  // nothing to map
    read_ = true;
    return;
  }
  mapping_ = CreateFileMappingA(file_, NULL, PAGE_READONLY, 0, 0, NULL);
  if (mapping_ != NULL) data_ = static_cast<const unsigned char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
  read_ = data_ != NULL;
  if (!read_) size_ = 0;
}

void MappedFile::Close() {
  if (data_ != NULL) UnmapViewOfFile(data_);
  if (mapping_ != NULL) CloseHandle(mapping_);
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  data_ = NULL;
  mapping_ = NULL;
  file_ = INVALID_HANDLE_VALUE;
  size_ = 0;
}
