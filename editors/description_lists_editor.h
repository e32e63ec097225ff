// The description lists editor (dialog 111): shows one pick list at a time
// and lets the user add, edit, remove and rebuild entries.
#pragma once
#include <windows.h>

#include "store/description_lists.h"

// The DescriptionKind whose list is shown; only the kind box changes it.
extern int ShownKind;

// Runs the editor modally; returns on "Done" or Escape, with the lists it
// showed last, for the main window should the file not be readable then.
DescriptionListsCopy ShowDescriptionListsEditor(HWND owner);
// Refills the list box with the loaded list of `kind`; any other kind leaves
// it as it is.
void FillDescriptionListBox(HWND editor, int kind);
