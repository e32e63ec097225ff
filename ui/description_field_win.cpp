#include "ui/description_field.h"

#include "store/description_lists.h"
#include "store/description_text.h"

void ShowDescriptionField(HWND window, int id, const char* field) {
  char text[kDescriptionSize];
  CopyDescription(text, field);
  SetDlgItemTextA(window, id, text);
}

void AddDescriptionTexts(HWND control, UINT addMessage, int kind) {
  for (int32_t i = 0; i < DescriptionLists[kind].count; ++i) {
    char text[kDescriptionSize];
    CopyDescription(text, DescriptionAt(kind, i));
    SendMessageA(control, addMessage, 0, reinterpret_cast<LPARAM>(text));
  }
}
