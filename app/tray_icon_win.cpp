#include "app/tray_icon.h"

#include <shellapi.h>
#include <stdio.h>

#include "common/shell.h"
#include "resources/resource.h"

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first, 88-byte NOTIFYICONDATAA");
#endif

// Added and deleted with the same record, kept for the life of the window.
static NOTIFYICONDATAA trayIcon;

void AddTrayIcon(HWND window) {
  ZeroMemory(&trayIcon, sizeof trayIcon);
  trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  trayIcon.hWnd = window;
  trayIcon.uID = 0;
  trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayIcon.uCallbackMessage = WM_TRAYICON;
  trayIcon.hIcon = LoadIconA(ProgramInstance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
  snprintf(trayIcon.szTip, sizeof trayIcon.szTip, "%s", "Hourwright");
  Shell_NotifyIconA(NIM_ADD, &trayIcon);
}

void RemoveTrayIcon() { Shell_NotifyIconA(NIM_DELETE, &trayIcon); }
