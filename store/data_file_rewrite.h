// The one way a time sheet or a descriptions file is rewritten whole.
#pragma once
#include <stdint.h>
#include <stdlib.h>

#include "store/data_file_read.h"
#include "store/safe_file_win.h"

struct RewriteResult {
  bool written;
  unsigned long error;  // the system's code when not written
};

// Writes the pieces as the whole new content of `path`, planned from the read
// `plannedFrom`. Refused, nothing touched, when that read failed: what it
// planned from is not the file. Planned from a missing file, it creates the
// file but never replaces one that appeared meanwhile. Otherwise the new file
// replaces the old in one step; on any failure the old one stays as it was.
RewriteResult RewriteDataFile(const char* path, const DataFileRead& plannedFrom,
                              const FilePiece* pieces, size_t count);

// The same with content that `build` writes into a buffer of `size` bytes.
template <typename Build>
RewriteResult RewriteDataFileBuilt(const char* path, const DataFileRead& plannedFrom,
                                   uint64_t size, Build build) {
  unsigned char* bytes =
      size <= 0x7FFFFFFF ? static_cast<unsigned char*>(malloc(static_cast<size_t>(size) + 1)) : NULL;
  if (bytes == NULL) return RewriteResult{false, ERROR_NOT_ENOUGH_MEMORY};
  build(bytes);
  FilePiece piece = {bytes, static_cast<DWORD>(size)};
  RewriteResult result = RewriteDataFile(path, plannedFrom, &piece, 1);
  free(bytes);
  return result;
}
