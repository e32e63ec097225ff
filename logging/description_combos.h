// The main window's three boxes and the descriptions file that feeds them.
#pragma once
#include <windows.h>

#include "store/description_lists.h"
#include "store/time_record.h"

// Always 1. When the file cannot be read and `whenUnreadable` is given, the
// boxes show that copy instead of nothing.
int FillMainCombos(HWND window, const DescriptionListsCopy* whenUnreadable = nullptr);
// Adds the record's new descriptions to the file; after a rewrite the boxes
// are refilled, which also clears what was typed in them.
void MergeRecordDescriptions(HWND window, TimeRecord record);
