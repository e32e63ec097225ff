// The user's corrections to the pick lists, made in the descriptions file:
// add, replace, remove, and rebuild from the time records. Each loads the
// lists, rewrites the file whole or not at all, and releases them again; it
// shows nothing, and says what happened in its outcome.
#pragma once
#include <stdint.h>

#include <string>

enum DescriptionListsFault {
  kListsDone,             // written, or nothing to write
  kListsDuplicate,        // the list already holds `text` (of `kind`)
  kListsDamaged,          // the file could not be read whole: left alone
  kListsUnwritten,        // the file could not be read or written: left as it was
  kListsRebuiltInPart,    // the file holds what the first `records` records give
  kListsSheetUnreadable,  // the time sheet to rebuild from could not be read
};

struct DescriptionListsOutcome {
  DescriptionListsFault fault = kListsDone;
  const char* path = "";     // the file the fault is about
  unsigned long error = 0;   // the system's code for a failed read or write
  int kind = 0;              // kListsDuplicate
  std::string text;          // kListsDuplicate
  int32_t records = 0;       // kListsRebuiltInPart
};

// Adds `newText` to the list of `kind`, or replaces `oldText` by it when
// `oldText` is not NULL; refused when the list already holds `newText`.
DescriptionListsOutcome AddOrReplaceDescription(int kind, const char* newText,
                                                const char* oldText = nullptr);
DescriptionListsOutcome RemoveDescription(int kind, const char* text);
// Every description of the time records, in record order, after the current
// entries (`keep`) or in their place.
DescriptionListsOutcome RebuildDescriptionLists(bool keep);
