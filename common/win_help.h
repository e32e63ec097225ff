// The WinHelp call behind ShowHelp; tests put a recorder here, since under
// Wine it starts winhlp32.
#pragma once
#include <windows.h>

extern BOOL (WINAPI *StartWinHelp)(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data);
