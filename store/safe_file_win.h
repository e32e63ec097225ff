// Checked writes and whole-file replacement that never loses the old file.
#pragma once
#include <windows.h>
#include <stddef.h>

struct FilePiece {
  const void* data;
  DWORD size;
};

// True only when every byte asked for was written.
bool WriteAll(HANDLE file, const void* data, DWORD size);

// Writes the pieces to a new file in the same folder, flushes it and moves it
// over `path` in one step. On any failure `path` is exactly as before and the
// new file is gone.
bool ReplaceFileContents(const char* path, const FilePiece* pieces, size_t count);
