#include "logging/options_dialog.h"

#include <stdio.h>

#include "common/help.h"
#include "common/message_boxes.h"
#include "common/shell.h"
#include "logging/away_watch.h"
#include "resources/resource.h"
#include "store/options_file.h"
#include "store/options_text.h"

static INT_PTR OnInitDialog(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_OPTIONS_AWAY_MINUTES, EM_LIMITTEXT, 4, 0);
  char minutes[16];
  snprintf(minutes, sizeof minutes, "%d", static_cast<int>(AwayMinutes));
  SetDlgItemTextA(dialog, IDC_OPTIONS_AWAY_MINUTES, minutes);
  return TRUE;
}

static void ReportUnwrittenOptions() {
  char path[kPathSize] = "";
  OptionsFilePath(path);
  char outcome[128];
  snprintf(outcome, sizeof outcome, "Away time is still asked about after %d minutes.",
           static_cast<int>(AwayMinutes));
  ReportUnableToWrite("Options", path, outcome);
}

// A value that is refused or cannot be written keeps the dialog open with the
// typed text, so it can be corrected or the dialog cancelled.
static void OnOk(HWND dialog) {
  char text[16] = "";
  GetDlgItemTextA(dialog, IDC_OPTIONS_AWAY_MINUTES, text, sizeof text);
  // A pasted word must not read as 0, which would turn the question off.
  int32_t minutes = 0;
  if (!ParseAwayMinutesValue(text, &minutes)) {
    ShowError("Minutes must be from 0 to 1440 (0: never ask).");
    return;
  }
  if (!SaveAwayMinutes(minutes)) {
    ReportUnwrittenOptions();
    return;
  }
  AwayMinutes = minutes;
  EndDialog(dialog, 1);
}

static INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
      OnOk(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

static INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_HELP:
      ShowHelp(kHelpAway);
      return TRUE;
  }
  return FALSE;
}

void ShowOptionsDialog(HWND owner) {
  DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_OPTIONS), owner, OptionsDialogProc, 0);
}
