// The reader's system part for the native report command.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/data_file_read.h"

static const size_t kLargestRead = size_t(1) << 30;

DataFileRead DataFileReader::Open(const char* path, DataFileSharing) {
  if (!Restart(path)) return outcome_;
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Failed(errno == ENOENT ? kDataFileMissing : kDataFileUnreadable, errno);
  struct stat info;
  int error = 0;
  if (fstat(fd, &info) != 0) error = errno;
  else if (S_ISDIR(info.st_mode)) error = EISDIR;
  else if (!IsSheetSizeReadable(static_cast<uint64_t>(info.st_size))) error = EFBIG;
  if (error == 0) return Opened(fd, static_cast<uint64_t>(info.st_size));
  close(fd);
  return Failed(kDataFileUnreadable, static_cast<unsigned long>(error));
}

long DataFileReader::ReadSome(void* bytes, size_t room) {
  size_t wanted = room < kLargestRead ? room : kLargestRead;
  for (;;) {
    ssize_t got = read(static_cast<int>(handle_), bytes, wanted);
    if (got >= 0) return static_cast<long>(got);
    if (errno == EINTR) continue;
    Failed(kDataFileUnreadable, static_cast<unsigned long>(errno));
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
