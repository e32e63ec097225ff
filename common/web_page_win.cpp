#include "common/web_page.h"

#include "common/browser.h"
#include "common/browser_command.h"

// Test seam: the program starts the line with WinExec.
UINT (WINAPI *StartCommandLine)(LPCSTR, UINT) = WinExec;

void OpenWebPage(HWND, const char* address) {
  char line[512];
  if (!BuildBrowserCommandLine(BrowserCommand, address, line, sizeof line)) return;
  StartCommandLine(line, SW_SHOWMAXIMIZED);
}
