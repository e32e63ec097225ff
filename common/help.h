// Help from any dialog.
#pragma once
#include "common/help_context.h"

// F1 in any dialog: the WinHelp file at the dialog's own context, owned by the
// main window whichever dialog asks; without that file, the HTML guide beside
// the program at the section for the context, in the default browser.
void ShowHelp(HelpContext context);
