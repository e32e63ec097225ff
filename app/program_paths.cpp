#include "app/program_paths.h"

#include <stdio.h>
#include <string.h>

void DeriveProgramPaths(const char* commandLine, char* directory, size_t directorySize,
                        char* helpPath, size_t helpPathSize) {
  directory[0] = '\0';
  helpPath[0] = '\0';
  const char* lastBackslash = strrchr(commandLine, '\\');
  if (lastBackslash == NULL) return;

  size_t length = 0;
  for (const char* p = commandLine; p <= lastBackslash; ++p) {
    if (*p == '"') continue;
    if (length + 1 >= directorySize) {
      directory[0] = '\0';
      return;
    }
    directory[length++] = *p;
  }
  directory[length] = '\0';

  int written = snprintf(helpPath, helpPathSize, "%sHOURWRIGHT.HLP", directory);
  if (written < 0 || static_cast<size_t>(written) >= helpPathSize) helpPath[0] = '\0';
}
