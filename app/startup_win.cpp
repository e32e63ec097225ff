#include "app/startup.h"

#include "common/browser.h"
#include "app/main_window.h"
#include "app/program_paths.h"
#include "common/shell.h"
#include "app/single_instance.h"
#include "resources/resource.h"
#include "store/paths.h"

static int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    if (MainWindow != NULL && IsDialogMessageA(MainWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunProgram(HINSTANCE instance, const char* commandLine) {
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
