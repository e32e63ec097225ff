#include "store/safe_file_win.h"

#include <stdio.h>
#include <string.h>

#include "store/time_record.h"

enum { kMoveAttempts = 10, kMoveRetryMs = 50 };

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  if (size == 0) return true;
  DWORD written = 0;
  // A full disk reports success with a short count.
  return WriteFile(file, data, size, &written, NULL) && written == size;
}

static bool FolderOf(const char* path, char (&folder)[kPathSize]) {
  const char* cut = NULL;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') cut = p;
  if (cut == NULL) return snprintf(folder, sizeof folder, ".") > 0;
  size_t length = static_cast<size_t>(cut - path) + 1;
  if (length >= sizeof folder) return false;
  memcpy(folder, path, length);
  folder[length] = '\0';
  return true;
}

static bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// The new file beside the old one. In a folder too deep for the usual
// temporary name (its path would pass 259 characters) the name is the file's
// own with its last two characters made "~" and a letter, so that every path
// the program can name can also be rewritten.
static HANDLE CreateTemporary(const char* path, const char* folder, char (&temporary)[MAX_PATH]) {
  // "hwrXXXX.tmp" after the folder, within the 259 characters a path may have.
  if (strlen(folder) + 11 < sizeof temporary && GetTempFileNameA(folder, "hwr", 0, temporary) != 0) {
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) DeleteFileA(temporary);
    return file;
  }
  size_t length = strlen(path);
  if (length < 2 || length >= sizeof temporary || IsSeparator(path[length - 1]) ||
      IsSeparator(path[length - 2]))
    return INVALID_HANDLE_VALUE;
  for (const char* mark = "0123456789abcdefghijklmnopqrstuvwxyz"; *mark != '\0'; ++mark) {
    memcpy(temporary, path, length + 1);
    temporary[length - 2] = '~';
    temporary[length - 1] = *mark;
    if (strcmp(temporary, path) == 0) continue;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// A virus scanner, indexer or backup that has just opened the old file blocks
// its replacement for a moment; a few short retries ride that out, while a
// file held open for longer still fails the write.
static bool MoveOver(const char* temporary, const char* path) {
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DWORD error = GetLastError();
    if (attempt == kMoveAttempts - 1 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
      return false;
    Sleep(kMoveRetryMs);
  }
}

bool ReplaceFileContents(const char* path, const FilePiece* pieces, size_t count) {
  char folder[kPathSize];
  char temporary[MAX_PATH];
  if (path[0] == '\0' || !FolderOf(path, folder)) return false;
  HANDLE file = CreateTemporary(path, folder, temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  for (size_t i = 0; ok && i < count; ++i) ok = WriteAll(file, pieces[i].data, pieces[i].size);
  if (ok) ok = FlushFileBuffers(file) != 0;
  CloseHandle(file);
  if (ok) ok = MoveOver(temporary, path);
  if (!ok) DeleteFileA(temporary);
  return ok;
}
