#include "common/ansi_utf8.h"

#include <windows.h>

// Through UTF-16, the one way Windows converts between code pages.
std::string AnsiToUtf8(const std::string& ansi) {
  if (ansi.empty()) return std::string();
  int length = static_cast<int>(ansi.size());
  int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  if (wide <= 0) return std::string();
  std::wstring utf16(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, &utf16[0], wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
}
