#include "store/companion_paths.h"

#include <stdio.h>
#include <string.h>

// The longest prefix the derivation has room for (a 256-byte work buffer).
static const size_t kLongestPrefix = 255;

CompanionResult DeriveCompanionPaths(const char* timeSheetPath, char* descriptionsPath,
                                     size_t descriptionsSize, char* exportPath, size_t exportSize) {
  const char* lastDot = strrchr(timeSheetPath, '.');
  if (lastDot == NULL) return kCompanionsUnchanged;

  size_t prefixLength = static_cast<size_t>(lastDot - timeSheetPath) + 1;
  if (prefixLength > kLongestPrefix || prefixLength + 3 >= descriptionsSize ||
      (exportPath != NULL && prefixLength + 3 >= exportSize)) {
    descriptionsPath[0] = '\0';
    if (exportPath != NULL) exportPath[0] = '\0';
    return kCompanionsTooLong;
  }
  snprintf(descriptionsPath, descriptionsSize, "%.*sdes", static_cast<int>(prefixLength), timeSheetPath);
  if (exportPath != NULL)
    snprintf(exportPath, exportSize, "%.*stxt", static_cast<int>(prefixLength), timeSheetPath);
  return kCompanionsDerived;
}
