// The argument of the description entry dialog and the texts it shows.
#pragma once
#include <stddef.h>
#include <stdint.h>

// High 16 bits the DescriptionKind, low 16 bits the mode.
typedef uint32_t EntryRequest;
enum EntryMode { kEntryAdd = 0, kEntryEdit = 1 };

inline EntryRequest MakeEntryRequest(int kind, int mode) {
  return (static_cast<uint32_t>(kind) & 0xFFFF) << 16 | (static_cast<uint32_t>(mode) & 0xFFFF);
}
inline int EntryRequestKind(EntryRequest request) { return static_cast<int>(request >> 16); }
inline int EntryRequestMode(EntryRequest request) { return static_cast<int>(request & 0xFFFF); }

// "Task", "Project" or "Classification"; "" for no such kind.
const char* EntryKindWord(int kind);
// "Add an Entry" or "Edit an Entry".
const char* EntryCaption(EntryRequest request);
// "Add a Task", or "Edit a Project\nOriginal Text:<original>".
void EntryLabel(EntryRequest request, const char* original, char* out, size_t size);
