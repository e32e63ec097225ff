#include "totals/report_file.h"

#include <stdio.h>
#include <string.h>

const char* PathFileName(const char* path) {
  const char* name = path;
  for (const char* c = path; *c != '\0'; ++c)
    if (*c == '\\' || *c == '/' || *c == ':') name = c + 1;
  return name;
}

bool DefaultReportPath(const char* sheetPath, char* out, size_t size) {
  const char* name = PathFileName(sheetPath);
  const char* dot = strrchr(name, '.');
  size_t stem = dot != NULL ? static_cast<size_t>(dot - sheetPath) : strlen(sheetPath);
  int length = snprintf(out, size, "%.*s totals.html", static_cast<int>(stem), sheetPath);
  if (length >= 0 && static_cast<size_t>(length) < size) return true;
  if (size > 0) out[0] = '\0';
  return false;
}

static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Windows ignores trailing dots and blanks in a name: "a.tim." is "a.tim".
bool IsSheetFileName(const char* path) {
  size_t end = strlen(path);
  while (end > 0 && (path[end - 1] == '.' || path[end - 1] == ' ')) --end;
  if (end < 4 || path[end - 4] != '.') return false;
  char extension[4] = {Lower(path[end - 3]), Lower(path[end - 2]), Lower(path[end - 1]), '\0'};
  return strcmp(extension, "tim") == 0 || strcmp(extension, "des") == 0;
}
