// Showing a 64-byte description field in a window.
#pragma once
#include <windows.h>

// Sets control `id` of `window` to the field's text, at most 63 characters:
// a field from a file may lack its NUL.
void ShowDescriptionField(HWND window, int id, const char* field);
