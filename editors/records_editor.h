// The time records editor (dialog 110): review, correct, add, delete and purge records.
#pragma once
#include <windows.h>

// Runs the editor modally over `owner` until Done or Escape.
void ShowTimeRecordsEditor(HWND owner);
