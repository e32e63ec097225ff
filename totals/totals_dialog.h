// The Totals window (dialog 150): where the hours of the open time sheet went.
#pragma once
#include <windows.h>

// Runs the window modally over `owner`; without an open time sheet it says
// so instead, and a sheet that cannot be read is told.
void ShowTotalsDialog(HWND owner);
