// The notification-area icon that stands in for the hidden main window.
#pragma once
#include <windows.h>
#include <shellapi.h>

void AddTrayIcon(HWND mainWindow);
void RemoveTrayIcon();
// True for the message the taskbar broadcasts when it is created anew.
bool IsTaskbarCreated(UINT message);
// True when the icon is in the notification area, adding it when it is not.
bool EnsureTrayIcon();
// Puts the icon back after the taskbar forgot it.
void RestoreTrayIcon(HWND mainWindow);

// The notification call itself; tests put a recorder in its place.
extern BOOL(WINAPI* TrayNotify)(DWORD message, PNOTIFYICONDATAA data);
