// The comparison that keeps the pick lists free of duplicates.
#pragma once
#include <stdint.h>

// A byte folded as toupper folds it in the C locale (only a to z change), as
// a signed 8-bit value: the one fold behind every case-blind match.
int32_t FoldedByte(char c);

// 0 when the texts are equal without regard to the case of the ASCII letters
// a to z; otherwise the difference of the first differing folded bytes (as
// signed 8-bit values), or 1 / -1 when one text is a prefix of the other.
int32_t CompareNoCase(const char* a, const char* b);
