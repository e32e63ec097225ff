#include "store/options_file.h"

#include <windows.h>
#include <stdio.h>

#include "store/options_text.h"
#include "store/safe_file_win.h"

// More than any options file the program writes; a bigger one is not ours.
enum { kOptionsFileMost = 4096 };

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

int32_t LoadAwayMinutes() {
  char path[kPathSize];
  if (!OptionsFilePath(path)) return kAwayMinutesDefault;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return kAwayMinutesDefault;
  char text[kOptionsFileMost + 1];
  DWORD read = 0;
  bool ok = ReadFile(file, text, sizeof text, &read, NULL) != 0 && read <= kOptionsFileMost;
  CloseHandle(file);
  return ok ? ParseAwayMinutes(text, read) : kAwayMinutesDefault;
}

bool SaveAwayMinutes(int32_t minutes) {
  char folder[kPathSize], path[kPathSize];
  if (!OptionsFolder(folder) || !OptionsFilePath(path)) return false;
  // A folder that is already there is fine; one that cannot be made fails the write below.
  CreateDirectoryA(folder, NULL);
  char text[64];
  size_t length = OptionsFileText(minutes, text, sizeof text);
  FilePiece piece = {text, static_cast<DWORD>(length)};
  return ReplaceFileContents(path, &piece, 1);
}
