// Starting, ending and resuming the logged task from the main window.
#pragma once
#include <windows.h>

void StartTask(HWND mainWindow);
void EndTask(HWND mainWindow);
void OfferResume(HWND mainWindow);
