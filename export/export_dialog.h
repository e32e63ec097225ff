// The export dialog: target, date limits and elapsed-time form.
#pragma once
#include <windows.h>

// Runs the dialog modally over the main window; on OK it exports.
void ShowExportDialog(HWND mainWindow);
