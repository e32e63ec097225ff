#include "app/single_instance.h"

#include <windows.h>

#include "resources/resource.h"

// A second copy would keep its own stale view of the time sheet and write
// over the first one's records.
static const char kMutexName[] = "Hourwright.SingleInstance";

static BOOL CALLBACK FindMainWindow(HWND window, LPARAM result) {
  char className[16] = "", caption[32] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (lstrcmpA(className, "#32770") == 0 && lstrcmpA(caption, "Hourwright") == 0 &&
      GetDlgItem(window, IDC_MAIN_STATUS) != NULL && GetDlgItem(window, IDC_MAIN_START_TASK) != NULL) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

bool HandOverToRunningCopy() {
  // Held until the process ends; the system releases it then.
  CreateMutexA(NULL, FALSE, kMutexName);
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  HWND running = NULL;
  for (int attempt = 0; attempt < 50 && running == NULL; ++attempt) {
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&running));
    if (running == NULL) Sleep(100);  // the first copy may still be starting
  }
  if (running != NULL) {
    ShowWindow(running, SW_SHOWNORMAL);
    SetForegroundWindow(GetLastActivePopup(running));
  }
  return true;
}
