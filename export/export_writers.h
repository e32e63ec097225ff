// The two targets of an export: the file named by ExportPath, and the
// clipboard. Both read the time-sheet file afresh and never change it.
#pragma once
#include <windows.h>
#include <stdint.h>

// Limits are FileSeconds; 0 means no limit. `elapsedForm` is an ElapsedForm.
void ExportToFile(int64_t startLimit, int64_t stopLimit, int elapsedForm);
void ExportToClipboard(HWND owner, int64_t startLimit, int64_t stopLimit, int elapsedForm);
