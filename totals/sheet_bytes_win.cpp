// The Totals window reads the sheet once, whole, when it opens.
#include <stdint.h>

#include "totals/totals_window_win.h"

int ReadSheetBytes(const char* path, std::vector<unsigned char>* bytes) {
  bytes->clear();
  // Shared for writing too: reading must never stand in the way of the
  // task being logged.
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? 1 : -1;  // a sheet not yet written holds nothing
  }
  LARGE_INTEGER size = {};
  int result = -1;
  // The format stops below 4 GiB, as the loader's does.
  if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 && size.QuadPart < 0x100000000LL) {
    bytes->resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    DWORD wanted = static_cast<DWORD>(size.QuadPart);
    if (wanted == 0 || (ReadFile(file, bytes->data(), wanted, &read, NULL) && read == wanted))
      result = 1;
  }
  CloseHandle(file);
  if (result != 1) bytes->clear();
  return result;
}

std::vector<TotalsSheet> SheetsOf(const TotalsWindow& window) {
  TotalsSheet sheet = {window.sheetName, window.sheetBytes.data(), window.sheetBytes.size()};
  return {sheet};
}
