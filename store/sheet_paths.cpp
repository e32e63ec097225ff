#include "store/sheet_paths.h"

#include <string.h>

#include "store/paths.h"

SheetPaths CurrentSheetPaths() {
  SheetPaths paths;
  memcpy(paths.timeSheet, TimeSheetPath, sizeof paths.timeSheet);
  memcpy(paths.descriptions, DescriptionsPath, sizeof paths.descriptions);
  memcpy(paths.exportPath, ExportPath, sizeof paths.exportPath);
  return paths;
}

void UseSheetPaths(const SheetPaths& paths) {
  memcpy(TimeSheetPath, paths.timeSheet, sizeof TimeSheetPath);
  memcpy(DescriptionsPath, paths.descriptions, sizeof DescriptionsPath);
  memcpy(ExportPath, paths.exportPath, sizeof ExportPath);
}
