#include "store/compare_no_case.h"

#include <string.h>

// Folds as toupper does in the C locale: only a to z change, so accented
// letters stay distinct whatever the user's code page.
int32_t FoldedByte(char c) {
  int32_t value = static_cast<signed char>(c);
  if (value >= 'a' && value <= 'z') value -= 'a' - 'A';
  return value;
}

int32_t CompareNoCase(const char* a, const char* b) {
  size_t la = strlen(a);
  size_t lb = strlen(b);
  for (size_t i = 0; i < la && i < lb; ++i) {
    int32_t x = FoldedByte(a[i]);
    int32_t y = FoldedByte(b[i]);
    if (x != y) return x - y;
  }
  if (la == lb) return 0;
  return la > lb ? 1 : -1;
}
