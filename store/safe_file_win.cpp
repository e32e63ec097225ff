#include "store/safe_file_win.h"

#include <stdio.h>
#include <string.h>

#include "store/time_record.h"

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

bool ReplaceFileContents(const char* path, const FilePiece* pieces, size_t count) {
  char folder[kPathSize];
  char temporary[MAX_PATH];
  if (path[0] == '\0' || !FolderOf(path, folder)) return false;
  if (GetTempFileNameA(folder, "hwr", 0, temporary) == 0) return false;

  HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  bool ok = file != INVALID_HANDLE_VALUE;
  for (size_t i = 0; ok && i < count; ++i) ok = WriteAll(file, pieces[i].data, pieces[i].size);
  if (ok) ok = FlushFileBuffers(file) != 0;
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (ok)
    ok = MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) DeleteFileA(temporary);
  return ok;
}
