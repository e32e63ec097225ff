#include "common/message_boxes.h"

#include <stdio.h>

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

void ReportUnableToWrite(const char* what, const char* path, const char* outcome) {
  char text[1024];
  snprintf(text, sizeof text, "Unable To Write %s %s\n%s", what, path, outcome);
  ShowError(text);
}

void ReportUnableToRead(const char* what, const char* path) {
  char text[1024];
  snprintf(text, sizeof text, "Unable To Read %s %s", what, path);
  ShowError(text);
}
