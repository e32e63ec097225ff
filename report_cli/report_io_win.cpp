#include <windows.h>

#include <stdio.h>

#include <vector>

#include "common/ansi_utf8.h"
#include "report_cli/report_io.h"
#include "store/options_file.h"
#include "store/safe_file_win.h"

static std::string Reason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "no such file";
    case ERROR_ACCESS_DENIED: return "access denied";
    case ERROR_SHARING_VIOLATION: return "in use by another program";
    case ERROR_DISK_FULL: return "the disk is full";
  }
  char text[40];
  snprintf(text, sizeof text, "Windows error %lu", static_cast<unsigned long>(error));
  return text;
}

// Shared for reading, writing and deleting, so Hourwright can go on logging
// into the sheet while it is read; read through one small buffer.
bool ReadSheetFile(const std::string& path, SheetPieceFunction take, void* context,
                   std::string* reason) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    *reason = "is a folder";
    return false;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    *reason = Reason(GetLastError());
    return false;
  }
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(file, &size) != 0;
  if (!ok) *reason = Reason(GetLastError());
  if (ok && size.QuadPart >= (LONGLONG(1) << 32)) ok = false, *reason = "4 GiB or more";
  std::vector<unsigned char> buffer(ok ? kSheetPieceSize : 0);
  bool ends = !ok;
  while (!ends) {
    DWORD got = 0;
    while (got < buffer.size()) {
      DWORD read = 0;
      if (!ReadFile(file, &buffer[got], static_cast<DWORD>(buffer.size()) - got, &read, NULL))
        ok = false, *reason = Reason(GetLastError());
      if (!ok || read == 0) {
        ends = true;
        break;
      }
      got += read;
    }
    if (!ok) break;
    take(context, buffer.data(), got, ends);
  }
  CloseHandle(file);
  return ok;
}

bool WriteOutputFile(const std::string& path, const std::string& text, std::string* reason) {
  FilePiece piece = {text.data(), static_cast<DWORD>(text.size())};
  SetLastError(0);
  if (ReplaceFileContents(path.c_str(), &piece, 1)) return true;
  DWORD error = GetLastError();
  *reason = error ? Reason(error) : "the file could not be replaced";
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
      *reason = Reason(GetLastError());
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
  *reason = Reason(error);
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

bool ReadRatesFile(const std::string& path, std::string* text, std::string* reason) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    *reason = "is a folder";
    return false;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    *reason = Reason(GetLastError());
    return false;
  }
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(file, &size) != 0;
  if (!ok) *reason = Reason(GetLastError());
  if (ok && size.QuadPart > kRatesFileMost) ok = false, *reason = "too large for a rates file";
  text->assign(ok ? static_cast<size_t>(size.QuadPart) : 0, '\0');
  DWORD read = 0;
  if (ok && !text->empty() &&
      (!ReadFile(file, &(*text)[0], static_cast<DWORD>(text->size()), &read, NULL) ||
       read != text->size()))
    ok = false, *reason = Reason(GetLastError());
  CloseHandle(file);
  return ok;
}

int ReadOwnOptions(std::string* text, std::string* path) {
  char options[kPathSize] = "";
  OptionsFilePath(options);
  *path = options;
  return ReadOptionsText(text);
}
