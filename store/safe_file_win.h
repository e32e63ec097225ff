// Checked writes and whole-file replacement that never loses the old file.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

struct FilePiece {
  const void* data;
  DWORD size;
};

// True only when every byte asked for was written.
bool WriteAll(HANDLE file, const void* data, DWORD size);

// Writes the pieces to "<path>.new" (removing one an interrupted rewrite left),
// flushes it and moves it over `path` in one step. On any failure `path` is
// exactly as before and the new file is gone; no other file is touched.
bool ReplaceFileContents(const char* path, const FilePiece* pieces, size_t count);

// The same with content that `build` writes into a buffer of `size` bytes;
// false too when that buffer cannot be had.
template <typename Build>
bool ReplaceFileWithBuilt(const char* path, uint64_t size, Build build) {
  if (size > 0x7FFFFFFF) return false;
  unsigned char* bytes = static_cast<unsigned char*>(malloc(static_cast<size_t>(size)));
  if (bytes == NULL) return false;
  build(bytes);
  FilePiece piece = {bytes, static_cast<DWORD>(size)};
  bool written = ReplaceFileContents(path, &piece, 1);
  free(bytes);
  return written;
}
