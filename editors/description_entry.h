// The entry dialog of the description lists editor: one text to add to a
// list, or to put in the place of the entry being edited.
#pragma once
#include <windows.h>
#include "editors/entry_request.h"
#include "store/time_record.h"

// Shared with the editor: the entry being edited, or removed.
extern char EntryText[kDescriptionSize];

// Runs dialog 113 modally; 1 after OK, 0 after Cancel or Escape.
int ShowDescriptionEntryDialog(HWND owner, EntryRequest request);
