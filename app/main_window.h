// The program's one lasting window: a modeless dialog with the tray icon.
#pragma once
#include <windows.h>

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
