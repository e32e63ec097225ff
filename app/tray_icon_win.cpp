#include "app/tray_icon.h"

#include <stdio.h>

#include "common/product.h"
#include "common/shell.h"
#include "resources/resource.h"

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first, 88-byte NOTIFYICONDATAA");
#endif

BOOL(WINAPI* TrayNotify)(DWORD message, PNOTIFYICONDATAA data) = Shell_NotifyIconA;

// Added and deleted with the same record, kept for the life of the window.
static NOTIFYICONDATAA trayIcon;
// Registered once the window exists; 0 matches no message.
static UINT taskbarCreated;
// Whether the notification area holds the icon now.
static bool trayIconShown;

void AddTrayIcon(HWND window) {
  ZeroMemory(&trayIcon, sizeof trayIcon);
  trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  trayIcon.hWnd = window;
  trayIcon.uID = 0;
  trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayIcon.uCallbackMessage = WM_TRAYICON;
  trayIcon.hIcon = LoadIconA(ProgramInstance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
  snprintf(trayIcon.szTip, sizeof trayIcon.szTip, "%s", kProductName);
  taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  trayIconShown = TrayNotify(NIM_ADD, &trayIcon) != FALSE;
}

bool EnsureTrayIcon() {
  if (!trayIconShown) trayIconShown = TrayNotify(NIM_ADD, &trayIcon) != FALSE;
  return trayIconShown;
}

bool IsTaskbarCreated(UINT message) { return taskbarCreated != 0 && message == taskbarCreated; }

// A restarted Explorer forgets every icon; a hidden window without its icon
// has no way back, and neither has the task it is logging.
void RestoreTrayIcon(HWND window) {
  trayIconShown = TrayNotify(NIM_ADD, &trayIcon) != FALSE;
  if (!trayIconShown && !IsWindowVisible(window)) ShowWindow(window, SW_SHOWNORMAL);
}

void RemoveTrayIcon() {
  TrayNotify(NIM_DELETE, &trayIcon);
  trayIconShown = false;
}
