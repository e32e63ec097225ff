#include "about/browser_command.h"

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
