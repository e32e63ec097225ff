#include "ui/file_dialog_win.h"

#include <stdio.h>
#include <string.h>

#include "common/shell.h"

void ShowFileDialogFailure(HWND owner, DWORD code) {
  char text[64];
  snprintf(text, sizeof text, "GetOpenFileName returned Error #%ld", static_cast<long>(code));
  MessageBoxA(owner, text, "WARNING", MB_ICONERROR | MB_OK);
}

bool RunFileDialog(HWND owner, char (&path)[kPathSize], const FileDialogSettings& settings) {
  // The dialog writes into `path` even when it is cancelled or fails.
  char before[kPathSize];
  memcpy(before, path, sizeof before);

  OPENFILENAMEA dialog;
  ZeroMemory(&dialog, sizeof dialog);
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = settings.filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrInitialDir = ProgramDirectory;
  dialog.lpstrTitle = settings.title;
  dialog.Flags = settings.flags;
  dialog.lpstrDefExt = settings.defaultExtension;
  BOOL chosen = settings.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (chosen == 1) return true;

  memcpy(path, before, sizeof before);
  DWORD code = CommDlgExtendedError();
  if (code != 0) ShowFileDialogFailure(owner, code);
  return false;
}
