#include "store/description_field.h"

#include "store/description_text.h"

void ShowDescriptionField(HWND window, int id, const char* field) {
  char text[kDescriptionSize];
  CopyDescription(text, field);
  SetDlgItemTextA(window, id, text);
}
