#include "common/message_boxes.h"

#include "common/product.h"
#include "common/shell.h"

void ShowError(const char* text) {
  MessageBoxA(MainWindow, text, kProductName, MB_TASKMODAL | MB_ICONERROR);
}

void ShowNotice(const char* caption, const char* text) {
  MessageBoxA(MainWindow, text, caption, MB_TASKMODAL);
}

bool AskYesNo(const char* caption, const char* text) {
  return MessageBoxA(MainWindow, text, caption, MB_TASKMODAL | MB_YESNO) == IDYES;
}
