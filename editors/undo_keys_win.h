// Ctrl+Z and Ctrl+Y as Undo and Redo in the main window and the editors.
#pragma once
#include <windows.h>

// IDM_UNDO or IDM_REDO for the character Ctrl+Z or Ctrl+Y types, 0 for any
// other message. Read from the character, so a field's own keys never see it.
int UndoKeyCommand(const MSG& message);

// While `dialog` (a modal editor) is open, Ctrl+Z and Ctrl+Y typed in it
// reach it as the commands IDM_UNDO and IDM_REDO.
void WatchUndoKeys(HWND dialog);
void StopWatchingUndoKeys();
