// Whether two paths name one file, as Windows resolves them.
#include <windows.h>

#include <string.h>

#include "store/output_guard.h"

enum { kLongestPath = 1024 };

// Windows opens "jobs.tim. " as jobs.tim.
static void DropTrailingDotsAndBlanks(char* path) {
  char* name = strrchr(path, '\\');
  name = name != NULL ? name + 1 : path;
  size_t end = strlen(name);
  while (end > 1 && (name[end - 1] == '.' || name[end - 1] == ' ')) name[--end] = '\0';
}

// The full path with `..` resolved, trailing dots and blanks dropped and
// short names made long: of the whole path when it exists, else of its
// folder. False when it cannot be had.
static bool ResolvedPath(const char* path, char (&resolved)[kLongestPath]) {
  char full[kLongestPath];
  DWORD length = GetFullPathNameA(path, sizeof full, full, NULL);
  if (length == 0 || length >= sizeof full) return false;
  DropTrailingDotsAndBlanks(full);
  length = GetLongPathNameA(full, resolved, sizeof resolved);
  if (length != 0 && length < sizeof resolved) return true;
  char* name = strrchr(full, '\\');
  if (name == NULL) return false;
  *name = '\0';
  length = GetLongPathNameA(full, resolved, sizeof resolved);
  if (length == 0 || length >= sizeof resolved) memcpy(resolved, full, strlen(full) + 1);
  size_t used = strlen(resolved);
  if (used + 1 + strlen(name + 1) + 1 > sizeof resolved) return false;
  resolved[used] = '\\';
  memcpy(resolved + used + 1, name + 1, strlen(name + 1) + 1);
  return true;
}

// The volume and file index of an existing file; opened for no access, so
// neither a held file nor one without read rights stands in the way.
static bool Identity(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
  HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool known = GetFileInformationByHandle(file, info) != 0;
  CloseHandle(file);
  return known;
}

bool SameFile(const char* a, const char* b) {
  if (a[0] == '\0' || b[0] == '\0') return false;
  BY_HANDLE_FILE_INFORMATION first, second;
  if (Identity(a, &first) && Identity(b, &second))
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
  char resolvedA[kLongestPath], resolvedB[kLongestPath];
  return ResolvedPath(a, resolvedA) && ResolvedPath(b, resolvedB) && lstrcmpiA(resolvedA, resolvedB) == 0;
}
