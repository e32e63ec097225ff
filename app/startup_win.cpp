#include "app/startup.h"

#include "common/browser.h"
#include "app/main_window.h"
#include "app/program_paths.h"
#include "common/shell.h"
#include "app/single_instance.h"
#include "editors/undo_keys_win.h"
#include "resources/resource.h"
#include "store/paths.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

// Libraries loaded later by bare name, by the program or by the system's own
// DLLs, come from the system folder only, never from the program's folder or
// the current one. Looked up, since systems before Windows 8 may lack it.
static void LoadLibrariesFromSystemFolderOnly() {
  typedef BOOL(WINAPI * SetDirectories)(DWORD);
  SetDirectories set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set != NULL) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Ctrl+Z and Ctrl+Y anywhere in the main window, the boxes included.
static bool RouteUndoKey(const MSG& message) {
  int command = UndoKeyCommand(message);
  if (command == 0 || MainWindow == NULL ||
      (message.hwnd != MainWindow && !IsChild(MainWindow, message.hwnd)))
    return false;
  PostMessageA(MainWindow, WM_COMMAND, command, 0);
  return true;
}

static int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    if (RouteUndoKey(message)) continue;
    if (MainWindow != NULL && IsDialogMessageA(MainWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunProgram(HINSTANCE instance, const char* commandLine) {
  LoadLibrariesFromSystemFolderOnly();
  if (HandOverToRunningCopy()) return 0;
  TimeSheetPath[0] = '\0';
  DeriveProgramPaths(commandLine, ProgramDirectory, sizeof ProgramDirectory, HelpFilePath,
                     sizeof HelpFilePath);
  FindBrowserCommand();
  ProgramInstance = instance;
  MainWindow = CreateDialogParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), NULL,
                                  MainWindowProc, 0);
  // Without its own template the program has nothing to show.
  if (MainWindow == NULL) return 1;
  ShowWindow(MainWindow, SW_SHOWNORMAL);
  return RunMessageLoop();
}
