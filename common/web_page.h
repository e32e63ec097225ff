// Opening an address in the default web browser.
#pragma once
#include <windows.h>

// Starts BrowserCommand maximised on `address`. Nothing is reported: a
// browser that is unknown or fails to start leaves things as they were.
// The owner window is not used.
void OpenWebPage(HWND owner, const char* address);

// How the line is started; tests put a recorder here.
extern UINT (WINAPI *StartCommandLine)(LPCSTR line, UINT show);
