// The Undo and Redo commands, as the main window and both editors run them.
#pragma once
#include <windows.h>

// Takes back (or makes again) the last change to the open time sheet or its
// lists, and says why not when it cannot. True when a file changed.
bool RunUndoCommand(bool redo);
// Whether an undo or redo changed the pick lists since the last call.
bool TakeListsChangedByUndo();
