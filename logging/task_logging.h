// Starting, ending and resuming the logged task from the main window.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "store/sheet_paths.h"

void StartTask(HWND mainWindow);
void EndTask(HWND mainWindow);
void OfferResume(HWND mainWindow);
// Shows `CurrentRecord` as the task being logged, its open record being in
// the time sheet: an undo gave it back.
void ShowResumedTask(HWND mainWindow);
// The answers to an away time starting at `awayStart` (FileSeconds): end the
// task there; or drop the time from there to now, ending the task there and
// starting it again now (only its start moves when nothing was logged before
// the away time). A write that fails is told as End Task's is, and the task
// goes on as it was: then the discard returns false, as it does when the user
// declines to name a sheet for it.
void EndTaskAt(HWND mainWindow, int64_t awayStart);
bool DiscardTimeSince(HWND mainWindow, int64_t awayStart);
// Closing keeps the running task for the next start: its open record must be
// in the time sheet, so one whose start was never written is written now.
// False when it could not be (said, unless the user cancelled naming a
// sheet): the program must stay open, still logging.
bool KeepTaskForResume(HWND mainWindow);
// Called once another time sheet has been chosen: a task being logged ends in
// `ownSheet`, the sheet it was started in. False when that end could not be
// written: the task goes on and `ownSheet` is the time sheet again.
bool EndTaskInItsOwnSheet(HWND mainWindow, const SheetPaths& ownSheet);
