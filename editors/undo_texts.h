// The names of the changes the editors make, as the Undo and Redo menu items
// and messages show them.
#pragma once
#include <stddef.h>
#include <stdint.h>

// "<verb> <kind> List": "Remove From Task List".
void ListChangeName(const char* verb, int kind, char* out, size_t size);
// "Purge Before 3/17/2025".
void PurgeChangeName(uint16_t month, uint16_t day, uint16_t year, char* out, size_t size);

// "&Undo Delete Record\tCtrl+Z"; "&Undo\tCtrl+Z" when there is nothing (no name).
void UndoItemText(bool redo, const char* name, char* out, size_t size);
// "Unable To Undo <name>\nThe time sheet was changed since."
void UndoRefusedText(bool redo, const char* name, char* out, size_t size);
// "End the running task before undoing this change."
const char* UndoTaskInTheWayText(bool redo);
