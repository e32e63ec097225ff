#include "store/mapped_file_win.h"

// Shared for writing too: a record written in place holds the file open for
// writing while its old bytes are read here.
MappedFile::MappedFile(const char* path) {
  DataFileRead opened = reader_.Open(path, kShareWithLogging);
  read_ = opened.state == kDataFileMissing;
  if (opened.state != kDataFileRead) return;
  size_ = static_cast<size_t>(reader_.Size());
  data_ = size_ > 0 ? reader_.MapWhole() : NULL;
  read_ = size_ == 0 || data_ != NULL;
  if (!read_) size_ = 0;
}

void MappedFile::Close() {
  reader_.Close();
  data_ = NULL;
  size_ = 0;
}
