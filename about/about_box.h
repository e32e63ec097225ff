// The About box: the maker's details and three links.
#pragma once
#include <windows.h>

// Runs the About box modally over the main window.
void ShowAboutBox(HWND mainWindow);

// The procedure the three link images carry while the box is open.
LRESULT CALLBACK LinkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
