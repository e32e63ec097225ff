#include "common/browser.h"

#include <windows.h>

#include "common/browser_command.h"

char BrowserCommand[kPathSize];

int FindBrowserCommand() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "HTTP\\shell\\open\\command", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return 0;
  char value[kPathSize] = {0};
  DWORD size = sizeof value - 1;  // keep room for a NUL the registry may omit
  LONG result = RegQueryValueExA(key, NULL, NULL, NULL, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || value[0] == '\0') return 0;
  ExtractBrowserCommand(value, BrowserCommand, sizeof BrowserCommand);
  return 1;
}
