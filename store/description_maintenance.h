// The user's corrections to the pick lists, made in the descriptions file:
// add, replace, remove, and rebuild from the time records. Each loads the
// lists, rewrites the file whole or not at all, and releases them again.
#pragma once

// Adds `newText` to the list of `kind`, or replaces `oldText` by it when
// `oldText` is not NULL; refused with the kind's message when the list
// already holds `newText`.
void AddOrReplaceDescription(int kind, const char* newText, const char* oldText = nullptr);
void RemoveDescription(int kind, const char* text);
// Every description of the time records, in record order, after the current
// entries (`keep`) or in their place.
void RebuildDescriptionLists(bool keep);
