// The reader's system part for the native report command.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/data_file_read.h"

static const size_t kLargestRead = size_t(1) << 30;

DataFileRead DataFileReader::Open(const char* path, DataFileSharing) {
  Close();
  size_ = 0;
  trailing_ = 0;
  atEnd_ = true;
  outcome_ = {kDataFileMissing, 0};
  if (path[0] == '\0') return outcome_;
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    int error = errno;
    outcome_ = {error == ENOENT ? kDataFileMissing : kDataFileUnreadable,
                error == ENOENT ? 0ul : static_cast<unsigned long>(error)};
    return outcome_;
  }
  struct stat info;
  int error = 0;
  if (fstat(fd, &info) != 0) error = errno;
  else if (S_ISDIR(info.st_mode)) error = EISDIR;
  else if (!IsSheetSizeReadable(static_cast<uint64_t>(info.st_size))) error = EFBIG;
  if (error != 0) {
    close(fd);
    outcome_ = {kDataFileUnreadable, static_cast<unsigned long>(error)};
    return outcome_;
  }
  handle_ = fd;
  size_ = static_cast<uint64_t>(info.st_size);
  atEnd_ = false;
  outcome_ = {kDataFileRead, 0};
  return outcome_;
}

long DataFileReader::ReadSome(void* bytes, size_t room) {
  size_t wanted = room < kLargestRead ? room : kLargestRead;
  for (;;) {
    ssize_t got = read(static_cast<int>(handle_), bytes, wanted);
    if (got >= 0) return static_cast<long>(got);
    if (errno == EINTR) continue;
    outcome_ = {kDataFileUnreadable, static_cast<unsigned long>(errno)};
    return -1;
  }
}

void DataFileReader::Close() {
  if (handle_ != -1) close(static_cast<int>(handle_));
  handle_ = -1;
}

bool IsTooLarge(const DataFileRead& read) {
  return read.state == kDataFileUnreadable && read.error == EFBIG;
}
