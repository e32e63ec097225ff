#include "editors/undo_texts.h"

#include <stdio.h>

#include "editors/entry_request.h"

void ListChangeName(const char* verb, int kind, char* out, size_t size) {
  snprintf(out, size, "%s %s List", verb, EntryKindWord(kind));
}

void PurgeChangeName(uint16_t month, uint16_t day, uint16_t year, char* out, size_t size) {
  snprintf(out, size, "Purge Before %u/%u/%u", static_cast<unsigned>(month), static_cast<unsigned>(day),
           static_cast<unsigned>(year));
}

void UndoItemText(bool redo, const char* name, char* out, size_t size) {
  const char* item = redo ? "&Redo" : "&Undo";
  const char* keys = redo ? "Ctrl+Y" : "Ctrl+Z";
  if (name == nullptr || name[0] == '\0') snprintf(out, size, "%s\t%s", item, keys);
  else snprintf(out, size, "%s %s\t%s", item, name, keys);
}

void UndoRefusedText(bool redo, const char* name, char* out, size_t size) {
  snprintf(out, size, "Unable To %s %s\nThe time sheet was changed since.", redo ? "Redo" : "Undo", name);
}

const char* UndoTaskInTheWayText(bool redo) {
  return redo ? "End the running task before redoing this change."
              : "End the running task before undoing this change.";
}
