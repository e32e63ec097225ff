#include "store/safe_file_win.h"


#include <stdio.h>
#include <string.h>

enum { kMoveAttempts = 10, kMoveRetryMs = 50 };

// The temporary file's suffix: a name no user gives a file of their own, so
// the one file a rewrite may remove is its own leftover.
static const char kTemporarySuffix[] = ".hourwright-new";

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  if (size == 0) return true;
  DWORD written = 0;
  // A full disk reports success with a short count.
  if (!WriteFile(file, data, size, &written, NULL)) return false;
  if (written == size) return true;
  SetLastError(ERROR_DISK_FULL);
  return false;
}

static bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// The one name a rewrite of `path` writes to: "<name>.hourwright-new" beside
// it, or, in a folder too deep for that (the path would pass 259
// characters), the file's own name with the fourth character from its end
// made '~' ("jobs~tim"), so that every path the program can name can also
// be rewritten. One name per file, so a kill part-way leaves at most one
// file, and the next rewrite knows it for its own.
static bool TemporaryName(const char* path, char (&temporary)[MAX_PATH]) {
  size_t length = strlen(path);
  if (length == 0 || length >= sizeof temporary || IsSeparator(path[length - 1])) return false;
  if (snprintf(temporary, sizeof temporary, "%s%s", path, kTemporarySuffix) < static_cast<int>(sizeof temporary))
    return true;
  if (length < 4) return false;
  for (size_t i = length - 4; i < length; ++i)
    if (IsSeparator(path[i])) return false;
  memcpy(temporary, path, length + 1);
  if (temporary[length - 4] == '~') return false;  // it would be the file itself
  temporary[length - 4] = '~';
  return true;
}

// Opened exclusively: nothing else may write it while it is being filled. A
// file already there under this exact name is what an interrupted rewrite of
// this same file left.
static HANDLE CreateTemporary(const char* temporary) {
  HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS || !DeleteFileA(temporary))
    return file;
  return CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
}

// A virus scanner, indexer or backup that has just opened the old file blocks
// its replacement for a moment; a few short retries ride that out, while a
// file held open for longer still fails the write.
static bool MoveOver(const char* temporary, const char* path, bool replace) {
  DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExA(temporary, path, flags)) return true;
    DWORD error = GetLastError();
    if (attempt == kMoveAttempts - 1 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
      return false;
    Sleep(kMoveRetryMs);
  }
}

bool PlaceFileContents(const char* path, const FilePiece* pieces, size_t count, bool replace,
                       const PlaceHook* hook) {
  char temporary[MAX_PATH];
  if (!TemporaryName(path, temporary)) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  HANDLE file = CreateTemporary(temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  for (size_t i = 0; ok && i < count; ++i) ok = WriteAll(file, pieces[i].data, pieces[i].size);
  if (ok) ok = FlushFileBuffers(file) != 0;
  DWORD error = ok ? 0 : GetLastError();
  CloseHandle(file);
  // What must be on disk before the new content is visible: the undo history.
  if (ok && hook != NULL) ok = hook->before(path, pieces, count);
  if (ok) ok = MoveOver(temporary, path, replace);
  if (!ok && error == 0) error = GetLastError();
  if (!ok) DeleteFileA(temporary);
  if (hook != NULL) hook->after(ok);
  SetLastError(error);
  return ok;
}

bool ReplaceFileContents(const char* path, const FilePiece* pieces, size_t count) {
  return PlaceFileContents(path, pieces, count, true);
}
