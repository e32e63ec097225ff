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

// Where the program's path ends: after the first ".exe", in any letter case,
// that ends a word (the text or a blank follows); the whole text without one.
static size_t ProgramPathLength(const char* browser) {
  size_t length = strlen(browser);
  for (size_t i = 0; i + 4 <= length; ++i) {
    char after = browser[i + 4];
    if (browser[i] == '.' && (browser[i + 1] | 0x20) == 'e' && (browser[i + 2] | 0x20) == 'x' &&
        (browser[i + 3] | 0x20) == 'e' && (after == '\0' || after == ' '))
      return i + 4;
  }
  return length;
}

// Only the program is quoted, so that a browser under "C:\Program Files" is not
// mistaken for "C:\Program.exe" and the arguments a registry value kept whole
// (an upper-case .EXE) stay arguments; refused rather than cut, so that a long
// address never turns into a different command.
bool BuildBrowserCommandLine(const char* browser, const char* address, char* out,
                             size_t outSize) {
  if (outSize == 0) return false;
  out[0] = '\0';
  if (browser[0] == '\0') return false;
  size_t program = ProgramPathLength(browser);
  int length = snprintf(out, outSize, "\"%.*s\"%s %s", static_cast<int>(program), browser,
                        browser + program, address);
  if (length < 0 || static_cast<size_t>(length) >= outSize) {
    out[0] = '\0';
    return false;
  }
  return true;
}
