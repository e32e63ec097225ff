// Pictures of windows as the screen shows them, for the documentation.
#pragma once
#include <windows.h>

#include <string>

// Writes the window's rectangle of the screen as a 24-bit BMP file.
void SaveWindowPicture(HWND window, const std::string& path);
