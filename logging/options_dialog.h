// The "Options" dialog of File > Options: when to ask about away time.
#pragma once
#include <windows.h>

// Runs dialog 151 modally over the main window.
void ShowOptionsDialog(HWND owner);
