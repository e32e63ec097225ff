// The comparison that keeps the pick lists free of duplicates.
#pragma once
#include <stdint.h>

// 0 when the texts are equal without regard to the case of the ASCII letters
// a to z; otherwise the difference of the first differing folded bytes (as
// signed 8-bit values), or 1 / -1 when one text is a prefix of the other.
int32_t CompareNoCase(const char* a, const char* b);
