#include "store/description_text.h"

#include <string.h>

size_t DescriptionLength(const char* field) {
  size_t n = 0;
  while (n < kDescriptionSize - 1 && field[n] != '\0') ++n;
  return n;
}

// A reused record would otherwise carry the end of an older, longer text
// into the file after the NUL of the new one.
static void ClearTail(char (&field)[kDescriptionSize]) {
  bool ended = false;
  for (char& c : field) {
    if (ended)
      c = '\0';
    else if (c == '\0')
      ended = true;
  }
}

void ClearTextTails(TimeRecord& record) {
  ClearTail(record.task);
  ClearTail(record.project);
  ClearTail(record.classification);
}

void ClearTextTails(TimeRecord* records, int32_t count) {
  for (int32_t i = 0; i < count; ++i) ClearTextTails(records[i]);
}

void CopyDescription(char (&to)[kDescriptionSize], const char* from) {
  char copy[kDescriptionSize] = {0};
  memcpy(copy, from, DescriptionLength(from));  // `from` may alias `to`
  memcpy(to, copy, sizeof copy);
}
