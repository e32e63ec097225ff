// A whole file mapped for reading while the holder lives: how the undo
// history reads a sheet before and after a change without copying it. It is
// opened by the one reader, with its rules.
#pragma once
#include <windows.h>

#include "store/data_file_read.h"
#include "store/undo_step.h"

class MappedFile {
 public:
  explicit MappedFile(const char* path);
  ~MappedFile() { Close(); }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // False when the file is there but cannot be read whole; a missing file
  // reads as no bytes.
  bool Read() const { return read_; }
  ByteSpan Bytes() const { return ByteSpan{data_, size_}; }
  // Lets go of the file, so that it can be replaced.
  void Close();

 private:
  DataFileReader reader_;
  const unsigned char* data_ = NULL;
  size_t size_ = 0;
  bool read_ = false;
};
