#include "ui/file_selection.h"

#include "store/companion_paths.h"
#include "store/paths.h"
#include "ui/file_dialog_win.h"

static const char kTimeSheetFilter[] = "Time Sheet Files (*.tim)\0*.tim\0";

int ChooseTimeSheetToOpen(HWND owner) {
  const FileDialogSettings settings = {false, kTimeSheetFilter, "Open TimeSheet File",
                                       OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, "tim"};
  if (!RunFileDialog(owner, TimeSheetPath, settings)) return 0;
  DeriveCompanionPaths(TimeSheetPath, DescriptionsPath, sizeof DescriptionsPath, ExportPath,
                       sizeof ExportPath);
  return 1;
}

int ChooseTimeSheetToSave(HWND owner) {
  const FileDialogSettings settings = {true, kTimeSheetFilter, "Save TimeSheet As",
                                       OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, "tim"};
  if (!RunFileDialog(owner, TimeSheetPath, settings)) return 0;
  DeriveCompanionPaths(TimeSheetPath, DescriptionsPath, sizeof DescriptionsPath, NULL, 0);
  return 1;
}
