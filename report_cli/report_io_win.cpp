#include <windows.h>

#include <stdio.h>

#include "common/ansi_utf8.h"
#include "report_cli/report_io.h"
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
static void WriteTo(DWORD which, const std::string& text, bool table) {
  UINT codePage = table ? CP_ACP : CP_UTF8;
  HANDLE handle = GetStdHandle(which);
  if (handle == INVALID_HANDLE_VALUE || handle == NULL || text.empty()) return;
  DWORD mode, written;
  if (GetConsoleMode(handle, &mode)) {
    int length = static_cast<int>(text.size());
    int wide = MultiByteToWideChar(codePage, 0, text.data(), length, NULL, 0);
    if (wide <= 0) return;
    std::wstring utf16(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &utf16[0], wide);
    WriteConsoleW(handle, utf16.data(), static_cast<DWORD>(wide), &written, NULL);
    return;
  }
  std::string bytes = table ? WithCrLf(text) : text;
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
}

void WriteStandardOutput(const std::string& text, bool table) { WriteTo(STD_OUTPUT_HANDLE, text, table); }

void WriteStandardError(const std::string& text) { WriteTo(STD_ERROR_HANDLE, text, true); }

std::string TableForFile(const std::string& table) { return WithCrLf(table); }
