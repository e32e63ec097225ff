#include "common/help.h"

#include "common/shell.h"

void ShowHelp(HelpContext context) {
  WinHelpA(MainWindow, HelpFilePath, HELP_CONTEXT, context);
}
