// The notification-area icon that stands in for the hidden main window.
#pragma once
#include <windows.h>

void AddTrayIcon(HWND mainWindow);
void RemoveTrayIcon();
