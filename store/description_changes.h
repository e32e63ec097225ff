// The user's single changes to one pick list (add, replace, remove) as bytes:
// what the new descriptions file holds, decided from the loaded lists.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "store/description_file.h"

enum DescriptionChangeOutcome {
  kChangeWrites,     // the file is rewritten as the plan says
  kChangeDuplicate,  // refused: the list already holds the new text
  kChangeNothing,    // nothing to do (no such kind, nothing to remove)
};

// The chosen list loses every entry equal to `dropped` (when `drops`) and
// gains `added` at its end (when `adds`); the other two lists stay as loaded.
struct DescriptionChange {
  DescriptionListView lists[kDescriptionKindCount];
  int kind;
  bool drops;
  char dropped[kDescriptionSize];
  bool adds;
  char added[kDescriptionSize];
};

// Add when `oldText` is NULL, replace otherwise.
DescriptionChangeOutcome PlanAddOrReplace(const DescriptionListView (&lists)[kDescriptionKindCount],
                                          int kind, const char* newText, const char* oldText,
                                          DescriptionChange& change);
DescriptionChangeOutcome PlanRemove(const DescriptionListView (&lists)[kDescriptionKindCount],
                                    int kind, const char* text, DescriptionChange& change);

uint64_t ChangedFileSize(const DescriptionChange& change);
// Writes the changed file into `out`, which holds ChangedFileSize bytes.
void BuildChangedFile(const DescriptionChange& change, unsigned char* out);

// The duplicate message of a kind with the new text; "" for no such kind.
void DuplicateMessage(int kind, const char* text, char* out, size_t size);
