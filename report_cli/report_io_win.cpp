#include <windows.h>

#include <stdio.h>

#include "common/ansi_utf8.h"
#include "report_cli/report_io.h"
#include "store/options_file.h"
#include "store/safe_file_win.h"

std::string SystemErrorText(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "no such file";
    case ERROR_ACCESS_DENIED: return "access denied";
    case ERROR_SHARING_VIOLATION: return "in use by another program";
    case ERROR_DISK_FULL: return "the disk is full";
    case ERROR_DIRECTORY: return "is a folder";
    case ERROR_FILE_TOO_LARGE: return "4 GiB or more";
  }
  char text[40];
  snprintf(text, sizeof text, "Windows error %lu", error);
  return text;
}

bool WriteOutputFile(const std::string& path, const std::string& text, std::string* reason) {
  FilePiece piece = {text.data(), static_cast<DWORD>(text.size())};
  SetLastError(0);
  if (ReplaceFileContents(path.c_str(), &piece, 1)) return true;
  DWORD error = GetLastError();
  *reason = error ? SystemErrorText(error) : "the file could not be replaced";
  return false;
}

std::string ArgumentToAnsi(const std::string& argument) { return argument; }

AnsiToUtf8Function SystemToUtf8() { return AnsiToUtf8; }

static std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A console gets wide characters, so accented descriptions read right
// whatever its own code page; a file or pipe gets the bytes. The table and
// messages are in the ANSI code page, the other formats in UTF-8.
static bool WriteTo(DWORD which, const std::string& text, bool table, std::string* reason) {
  UINT codePage = table ? CP_ACP : CP_UTF8;
  HANDLE handle = GetStdHandle(which);
  if (text.empty()) return true;
  if (handle == INVALID_HANDLE_VALUE || handle == NULL) {
    *reason = "there is no standard output";
    return false;
  }
  DWORD mode, written = 0;
  BOOL done;
  DWORD wanted;
  if (GetConsoleMode(handle, &mode)) {
    int length = static_cast<int>(text.size());
    int wide = MultiByteToWideChar(codePage, 0, text.data(), length, NULL, 0);
    if (wide <= 0) {
      *reason = SystemErrorText(GetLastError());
      return false;
    }
    std::wstring utf16(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &utf16[0], wide);
    wanted = static_cast<DWORD>(wide);
    done = WriteConsoleW(handle, utf16.data(), wanted, &written, NULL);
  } else {
    std::string bytes = table ? WithCrLf(text) : text;
    wanted = static_cast<DWORD>(bytes.size());
    done = WriteFile(handle, bytes.data(), wanted, &written, NULL);
  }
  if (done && written == wanted) return true;
  DWORD error = done ? ERROR_DISK_FULL : GetLastError();  // a short write: no room left
  *reason = SystemErrorText(error);
  return false;
}

bool WriteStandardOutput(const std::string& text, bool table, std::string* reason) {
  return WriteTo(STD_OUTPUT_HANDLE, text, table, reason);
}

void WriteStandardError(const std::string& text) {
  std::string ignored;
  WriteTo(STD_ERROR_HANDLE, text, true, &ignored);
}

std::string TableForFile(const std::string& table) { return WithCrLf(table); }

int ReadOwnOptions(std::string* text, std::string* path) {
  char options[kPathSize] = "";
  OptionsFilePath(options);
  *path = options;
  return ReadOptionsText(text);
}
