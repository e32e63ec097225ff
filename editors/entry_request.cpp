#include "editors/entry_request.h"

#include <stdio.h>

const char* EntryKindWord(int kind) {
  static const char* const kWords[] = {"Task", "Project", "Classification"};
  return kind >= 0 && kind < 3 ? kWords[kind] : "";
}

const char* EntryCaption(EntryRequest request) {
  return EntryRequestMode(request) == kEntryEdit ? "Edit an Entry" : "Add an Entry";
}

void EntryLabel(EntryRequest request, const char* original, char* out, size_t size) {
  if (size == 0) return;
  const char* word = EntryKindWord(EntryRequestKind(request));
  if (EntryRequestMode(request) == kEntryEdit)
    snprintf(out, size, "Edit a %s\nOriginal Text:%s", word, original);
  else
    snprintf(out, size, "Add a %s", word);
}
