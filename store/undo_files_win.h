// The history files: one per time sheet, under %LOCALAPPDATA%\Hourwright\undo\,
// never beside the user's sheets.
#pragma once
#include "common/path_size.h"
#include "store/undo_history.h"

// The history of `sheetPath`; empty when there is none, or when its file is
// damaged or belongs to another sheet.
void LoadUndoHistory(const char* sheetPath, UndoHistory& history);

// Writes the history through a temporary file and a rename (a history without
// steps removes the file), first dropping the oldest steps of all histories
// as far as needed to keep them within kUndoBytesKept. False when it could
// not be written: the file is as it was.
bool SaveUndoHistory(const UndoHistory& history);

// The history file's path for a sheet; false without LOCALAPPDATA or when it
// would not fit.
bool UndoHistoryPath(const char* sheetPath, char (&path)[kPathSize]);
