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
