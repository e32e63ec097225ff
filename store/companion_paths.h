// Names of the descriptions and export files that go with a time sheet.
#pragma once
#include <stddef.h>

enum CompanionResult {
  kCompanionsDerived,    // both derived from the time sheet's name
  kCompanionsUnchanged,  // no '.' in the path: the old companions stay
  kCompanionsTooLong,    // the name up to its last '.' is over 255 characters
};

// Derives "<prefix>des" and, when `exportPath` is not null, "<prefix>txt",
// where <prefix> is `timeSheetPath` up to and including its last '.'.
// Outputs are written only for kCompanionsDerived; for kCompanionsTooLong they
// are made empty rather than cut short or left naming another time sheet's files.
CompanionResult DeriveCompanionPaths(const char* timeSheetPath, char* descriptionsPath,
                                     size_t descriptionsSize, char* exportPath, size_t exportSize);
