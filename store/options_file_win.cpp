#include "store/options_file.h"

#include <windows.h>
#include <stdio.h>

#include "store/options_text.h"
#include "store/safe_file_win.h"

// Rates for many thousand projects fit many times over; a bigger file is not ours.
enum { kOptionsFileMost = 16 << 20 };

static bool OptionsFolder(char (&folder)[kPathSize]) {
  char appData[kPathSize];
  DWORD length = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
  if (length == 0 || length >= sizeof appData) return false;
  int written = snprintf(folder, sizeof folder, "%s\\Hourwright", appData);
  return written > 0 && static_cast<size_t>(written) < sizeof folder;
}

bool OptionsFilePath(char (&path)[kPathSize]) {
  char folder[kPathSize];
  if (!OptionsFolder(folder)) return false;
  int written = snprintf(path, sizeof path, "%s\\hourwright.ini", folder);
  return written > 0 && static_cast<size_t>(written) < sizeof path;
}

int ReadOptionsText(std::string* text) {
  text->clear();
  char path[kPathSize];
  if (!OptionsFilePath(path)) return 0;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : -1;
  }
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart <= kOptionsFileMost;
  if (ok) text->resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  ok = ok && (text->empty() || (ReadFile(file, &(*text)[0], static_cast<DWORD>(text->size()),
                                         &read, NULL) != 0 && read == text->size()));
  CloseHandle(file);
  if (!ok) text->clear();
  return ok ? 1 : -1;
}

bool RewriteOptionsText(const std::function<std::string(const std::string&)>& edit) {
  char folder[kPathSize], path[kPathSize];
  if (!OptionsFolder(folder) || !OptionsFilePath(path)) return false;
  std::string text;
  // Lines the program cannot read are still someone's: never written over unseen.
  if (ReadOptionsText(&text) < 0) return false;
  std::string edited = edit(text);
  // A folder that is already there is fine; one that cannot be made fails the write below.
  CreateDirectoryA(folder, NULL);
  FilePiece piece = {edited.data(), static_cast<DWORD>(edited.size())};
  return ReplaceFileContents(path, &piece, 1);
}

int32_t LoadAwayMinutes() {
  std::string text;
  if (ReadOptionsText(&text) <= 0) return kAwayMinutesDefault;
  return ParseAwayMinutes(text.data(), text.size());
}

bool SaveAwayMinutes(int32_t minutes) {
  return RewriteOptionsText(
      [minutes](const std::string& text) { return OptionsTextWithMinutes(text, minutes); });
}
