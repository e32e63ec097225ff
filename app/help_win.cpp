#include "app/help.h"

#include "app/shell.h"

void ShowHelp(HelpContext context) {
  WinHelpA(MainWindow, HelpFilePath, HELP_CONTEXT, context);
}
