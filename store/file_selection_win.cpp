#include "store/file_selection.h"

#include <stdio.h>
#include <string.h>

#include "app/shell.h"
#include "store/companion_paths.h"
#include "store/file_dialog_win.h"
#include "store/paths.h"

static const char kTimeSheetFilter[] = "Time Sheet Files (*.tim)\0*.tim\0";

void ShowFileDialogFailure(HWND owner, DWORD code) {
  char text[64];
  snprintf(text, sizeof text, "GetOpenFileName returned Error #%ld", static_cast<long>(code));
  MessageBoxA(owner, text, "WARNING", MB_ICONERROR | MB_OK);
}

static void PrepareDialog(OPENFILENAMEA& dialog, HWND owner, const char* title, DWORD flags) {
  ZeroMemory(&dialog, sizeof dialog);
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kTimeSheetFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = TimeSheetPath;
  dialog.nMaxFile = sizeof TimeSheetPath;
  dialog.lpstrInitialDir = ProgramDirectory;
  dialog.lpstrTitle = title;
  dialog.Flags = flags;
  dialog.lpstrDefExt = "tim";
}

// A dialog that fails or is cancelled must leave the path as it was, but it
// writes into TimeSheetPath itself; keep a copy to put back.
static int FinishDialog(HWND owner, BOOL chosen, const char (&before)[kPathSize], bool setExport) {
  if (chosen == 1) {
    DeriveCompanionPaths(TimeSheetPath, DescriptionsPath, sizeof DescriptionsPath,
                         setExport ? ExportPath : NULL, sizeof ExportPath);
    return 1;
  }
  memcpy(TimeSheetPath, before, sizeof TimeSheetPath);
  DWORD code = CommDlgExtendedError();
  if (code != 0) ShowFileDialogFailure(owner, code);
  return 0;
}

int ChooseTimeSheetToOpen(HWND owner) {
  char before[kPathSize];
  memcpy(before, TimeSheetPath, sizeof before);
  OPENFILENAMEA dialog;
  PrepareDialog(dialog, owner, "Open TimeSheet File",
                OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
  return FinishDialog(owner, GetOpenFileNameA(&dialog), before, true);
}

int ChooseTimeSheetToSave(HWND owner) {
  char before[kPathSize];
  memcpy(before, TimeSheetPath, sizeof before);
  OPENFILENAMEA dialog;
  PrepareDialog(dialog, owner, "Save TimeSheet As",
                OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
  return FinishDialog(owner, GetSaveFileNameA(&dialog), before, false);
}
