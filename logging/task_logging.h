// Starting, ending and resuming the logged task from the main window.
#pragma once
#include <windows.h>
#include "store/sheet_paths.h"

void StartTask(HWND mainWindow);
void EndTask(HWND mainWindow);
void OfferResume(HWND mainWindow);
// Closing keeps the running task for the next start: its open record must be
// in the time sheet, so one whose start was never written is written now.
// False when it could not be (said, unless the user cancelled naming a
// sheet): the program must stay open, still logging.
bool KeepTaskForResume(HWND mainWindow);
// Called once another time sheet has been chosen: a task being logged ends in
// `ownSheet`, the sheet it was started in. False when that end could not be
// written: the task goes on and `ownSheet` is the time sheet again.
bool EndTaskInItsOwnSheet(HWND mainWindow, const SheetPaths& ownSheet);
