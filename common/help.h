// Help context numbers of the help file, one per dialog.
#pragma once

enum HelpContext {
  kHelpMainWindow = 10,
  kHelpAbout = 40,
  kHelpDescriptionLists = 60,
  kHelpTimeRecords = 70,
  kHelpExport = 80,
  kHelpTotals = 90,
  kHelpRates = 95,
  kHelpAway = 100,
  kHelpUndo = 110,
};

// F1 in any dialog: the WinHelp file at the dialog's own context, owned by the
// main window whichever dialog asks; without that file, the HTML guide beside
// the program at the section for the context, in the default browser.
void ShowHelp(HelpContext context);
