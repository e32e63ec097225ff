#include "tests/clipboard_text.h"

#include <windows.h>
#include <string.h>

std::string ClipboardText(size_t* blockSize) {
  std::string text;
  if (!OpenClipboard(NULL)) return "<clipboard not opened>";
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* locked = data != NULL ? static_cast<const char*>(GlobalLock(data)) : NULL;
  if (locked != NULL) {
    size_t size = GlobalSize(data);
    if (blockSize != nullptr) *blockSize = size;
    text.assign(locked, strnlen(locked, size));
    text += '\0';
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void PutClipboardText(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  OpenClipboard(NULL);
  EmptyClipboard();
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}
