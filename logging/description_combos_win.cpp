#include "logging/description_combos.h"

#include "resources/resource.h"
#include "ui/description_field.h"

int FillMainCombos(HWND window, const DescriptionListsCopy* whenUnreadable) {
  static const int kBoxes[kDescriptionKindCount] = {IDC_MAIN_TASK, IDC_MAIN_PROJECT,
                                                    IDC_MAIN_CLASSIFICATION};
  if (LoadDescriptionLists() == -1 && whenUnreadable != nullptr) RestoreLoadedLists(*whenUnreadable);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    SendDlgItemMessageA(window, kBoxes[kind], CB_RESETCONTENT, 0, 0);
    AddDescriptionTexts(GetDlgItem(window, kBoxes[kind]), CB_ADDSTRING, kind);
  }
  ReleaseDescriptionLists();
  return 1;
}

// A merge that wrote nothing (nothing new, or a file that could not be
// rewritten) leaves the boxes, and what the user typed, as they were.
void MergeRecordDescriptions(HWND window, TimeRecord record) {
  if (WriteMergedDescriptions(record)) FillMainCombos(window);
}
