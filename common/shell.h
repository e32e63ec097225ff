// Program-wide handles and the paths fixed at start-up.
#pragma once
#include <windows.h>
#include "common/path_size.h"

extern HINSTANCE ProgramInstance;
extern HWND MainWindow;  // null until the main window's creation returns
extern char ProgramDirectory[kPathSize];
extern char HelpFilePath[kPathSize];

// Private message of the notification-area icon.
enum { WM_TRAYICON = WM_USER + 100 };
