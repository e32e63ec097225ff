// Start-up and the one message loop.
#pragma once
#include <windows.h>

// Sets the globals, creates and shows the main window, runs the loop until
// the main window is destroyed; returns the exit code.
int RunProgram(HINSTANCE instance, const char* commandLine);
