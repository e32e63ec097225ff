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
