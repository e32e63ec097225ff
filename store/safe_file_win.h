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

// Writes the pieces to "<path>.hourwright-new" (removing one an interrupted
// rewrite left), flushes it and moves it over `path` in one step; with
// `replace` false the move fails when `path` is there. On any failure `path`
// is exactly as before, the new file is gone, no other file is touched and
// GetLastError says why. A `hook` is called between the flushed new content
// and the move (false stops the move), and once more with whether it was made.
struct PlaceHook {
  bool (*before)(const char* path, const FilePiece* pieces, size_t count);
  void (*after)(bool placed);
};
bool PlaceFileContents(const char* path, const FilePiece* pieces, size_t count, bool replace,
                       const PlaceHook* hook = NULL);
// Replacing whatever is there: for files other than a time sheet or a
// descriptions file, which go through RewriteDataFile.
bool ReplaceFileContents(const char* path, const FilePiece* pieces, size_t count);
