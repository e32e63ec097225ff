// The Open and Save As dialogs that name the time-sheet file.
#pragma once
#include <windows.h>

// 1 when a file was chosen (TimeSheetPath and its companions set), 0 when
// cancelled or failed (nothing changed).
int ChooseTimeSheetToOpen(HWND owner);
// Like the Open dialog, but ExportPath keeps its value.
int ChooseTimeSheetToSave(HWND owner);
