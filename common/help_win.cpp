#include "common/help.h"

#include "common/ansi_utf8.h"
#include "common/help_target.h"
#include "common/shell.h"
#include "common/web_page.h"
#include "common/win_help.h"

BOOL (WINAPI *StartWinHelp)(HWND, LPCSTR, UINT, ULONG_PTR) = WinHelpA;

static bool HelpFileExists() {
  if (HelpFilePath[0] == '\0') return false;
  DWORD attributes = GetFileAttributesA(HelpFilePath);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Windows since Vista has no WinHelp viewer, so without the .hlp file the
// HTML guide shipped beside the program opens in the browser instead. Nothing
// is reported when neither can be opened, as with the About box's links.
void ShowHelp(HelpContext context) {
  char address[512];
  // The folder is ANSI; a browser reads the escapes of a file address as UTF-8.
  std::string directory = AnsiToUtf8(ProgramDirectory);
  switch (ChooseHelpTarget(context, directory.c_str(), HelpFileExists(), address, sizeof address)) {
    case kHelpTargetWinHelp:
      StartWinHelp(MainWindow, HelpFilePath, HELP_CONTEXT, context);
      break;
    case kHelpTargetGuide:
      OpenWebPage(MainWindow, address);
      break;
    case kHelpTargetNone:
      break;
  }
}
