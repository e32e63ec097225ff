// Descriptions from the data files shown in windows, each cut at its NUL or
// its 63rd character: a field from a file may lack its NUL.
#pragma once
#include <windows.h>

// Sets control `id` of `window` to the field's text.
void ShowDescriptionField(HWND window, int id, const char* field);
// Adds the texts of a loaded list to a combo box (CB_ADDSTRING) or list box
// (LB_ADDSTRING).
void AddDescriptionTexts(HWND control, UINT addMessage, int kind);
