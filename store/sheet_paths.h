// The time sheet's path and its companions, taken and put back as one.
#pragma once
#include "common/path_size.h"

struct SheetPaths {
  char timeSheet[kPathSize];
  char descriptions[kPathSize];
  char exportPath[kPathSize];
};

SheetPaths CurrentSheetPaths();
void UseSheetPaths(const SheetPaths& paths);
