// The Undo and Redo items of the "Edit &Lists" menu.
#pragma once
#include <windows.h>

// Names the items after the changes they would take back or make again, and
// greys them when there is none for the open sheet. Other menus are left alone.
void UpdateUndoItems(HMENU menu);

// Runs Undo or Redo from the main window, then shows what it gave back: the
// pick lists, and a task that logs again.
void RunUndoFromMainWindow(HWND window, bool redo);

// After an editor, which may have run Undo or Redo itself.
void ShowWhatEditorsUndid(HWND window, bool wasLogging);
