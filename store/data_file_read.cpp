#include "store/data_file_read.h"

#include "store/time_record.h"

bool IsSheetSizeReadable(uint64_t size) { return size <= 0xFFFFFFFFull; }

DataFileReader::~DataFileReader() { Close(); }

bool DataFileReader::Restart(const char* path) {
  Close();
  size_ = 0;
  trailing_ = 0;
  atEnd_ = true;
  outcome_ = {kDataFileMissing, 0};
  return path[0] != '\0';
}

DataFileRead DataFileReader::Opened(intptr_t handle, uint64_t size) {
  handle_ = handle;
  size_ = size;
  atEnd_ = false;
  return outcome_ = {kDataFileRead, 0};
}

DataFileRead DataFileReader::Failed(DataFileState state, unsigned long error) {
  return outcome_ = {state, state == kDataFileMissing ? 0 : error};
}

// A system read may give less than asked (a pipe, a share, a file growing
// while it is logged into): ask again until the room is full or the end.
size_t DataFileReader::Read(void* bytes, size_t room) {
  unsigned char* to = static_cast<unsigned char*>(bytes);
  size_t filled = 0;
  while (filled < room && !atEnd_) {
    long got = ReadSome(to + filled, room - filled);
    if (got <= 0) atEnd_ = true;  // a failure has set the outcome
    else filled += static_cast<size_t>(got);
  }
  return outcome_.state == kDataFileRead ? filled : 0;
}

size_t DataFileReader::NextRecords(void* bytes, size_t room) {
  size_t got = Read(bytes, room - room % kRecordSize);
  if (!atEnd_) return got;
  trailing_ = got % kRecordSize;
  return got - trailing_;
}
