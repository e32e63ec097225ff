#include "common/browser_command.h"

#include <stdio.h>
#include <string.h>

void ExtractBrowserCommand(const char* value, char* out, size_t outSize) {
  size_t length = 0;
  for (const char* p = value; *p != '\0' && length + 1 < outSize; ++p) {
    if (*p == '"') continue;
    out[length++] = *p;
    if (length >= 4 && memcmp(out + length - 4, ".exe", 4) == 0) break;
  }
  out[length] = '\0';
}

// Quoted, so that a browser under "C:\Program Files" is not mistaken for
// "C:\Program.exe"; refused rather than cut, so that a long address never turns
// into a different command.
bool BuildBrowserCommandLine(const char* browser, const char* address, char* out,
                             size_t outSize) {
  if (outSize == 0) return false;
  out[0] = '\0';
  if (browser[0] == '\0') return false;
  int length = snprintf(out, outSize, "\"%s\" %s", browser, address);
  if (length < 0 || static_cast<size_t>(length) >= outSize) {
    out[0] = '\0';
    return false;
  }
  return true;
}
