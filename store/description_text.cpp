#include "store/description_text.h"

#include <string.h>

size_t DescriptionLength(const char* field) {
  size_t n = 0;
  while (n < kDescriptionSize - 1 && field[n] != '\0') ++n;
  return n;
}

void CopyDescription(char (&to)[kDescriptionSize], const char* from) {
  char copy[kDescriptionSize] = {0};
  memcpy(copy, from, DescriptionLength(from));  // `from` may alias `to`
  memcpy(to, copy, sizeof copy);
}
