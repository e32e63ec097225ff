#include "export/export_dialog.h"

#include <stdio.h>
#include <string.h>

#include "common/help.h"
#include "common/message_boxes.h"
#include "common/parse_int.h"
#include "common/shell.h"
#include "export/export_dates.h"
#include "export/export_text.h"
#include "export/export_writers.h"
#include "resources/resource.h"
#include "store/output_guard.h"
#include "store/paths.h"
#include "ui/file_dialog_win.h"

// What the user picked; reset on every opening, nothing is remembered.
struct ExportSettings {
  int toClipboard;
  int noStartDate;
  int noStopDate;
  int elapsedForm;
};

// The five edit fields of one limit, in the order they are checked.
struct LimitFieldIds {
  int month, day, year, hour, minute;
  bool stopLimit;
};

static const LimitFieldIds kStartFields = {IDC_EXPORT_START_MONTH, IDC_EXPORT_START_DAY,
                                           IDC_EXPORT_START_YEAR,  IDC_EXPORT_START_HOUR,
                                           IDC_EXPORT_START_MINUTE, false};
static const LimitFieldIds kStopFields = {IDC_EXPORT_STOP_MONTH, IDC_EXPORT_STOP_DAY,
                                          IDC_EXPORT_STOP_YEAR,  IDC_EXPORT_STOP_HOUR,
                                          IDC_EXPORT_STOP_MINUTE, true};

static const char kTextFilter[] = "Text Files (*.txt)\0*.txt\0";

static int32_t ReadField(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return ParseInt(text);
}

// False after showing what is wrong with the fields. 1/1/1601 0:00 is a
// limit like any other, though its FileSeconds are 0.
static bool ReadLimit(HWND dialog, const LimitFieldIds& ids, int64_t* limit) {
  ExportDateFields fields;
  fields.month = ReadField(dialog, ids.month);
  fields.day = ReadField(dialog, ids.day);
  fields.year = ReadField(dialog, ids.year);
  fields.hour = ReadField(dialog, ids.hour);
  fields.minute = ReadField(dialog, ids.minute);
  ExportDateFault fault = CheckExportDate(fields, limit);
  if (fault == kExportDateGood) return true;
  ShowError(ExportDateMessage(fault, ids.stopLimit));
  return false;
}

static bool ReadStartLimit(HWND dialog, int64_t* limit) {
  // Every record starts at or after the earliest moment: 0 serves as it is.
  return ReadLimit(dialog, kStartFields, limit);
}

static bool ReadStopLimit(HWND dialog, int64_t* limit) {
  if (!ReadLimit(dialog, kStopFields, limit)) return false;
  if (*limit == 0) *limit = kStopBeforeAnyRecord;
  return true;
}

// Start first, then stop; a ticked box leaves its fields unread. False when
// a limit was refused.
static bool ReadLimits(HWND dialog, int noStartDate, int noStopDate, int64_t* startLimit,
                       int64_t* stopLimit) {
  *startLimit = 0;
  *stopLimit = 0;
  if (noStartDate == 0 && !ReadStartLimit(dialog, startLimit)) return false;
  if (noStopDate == 0 && !ReadStopLimit(dialog, stopLimit)) return false;
  return true;
}

// An export never takes the place of the time sheet or its descriptions
// file, under any name: the name offered next time stays the one before.
static bool MayExportTo(const char (&before)[kPathSize]) {
  const char* sheet = TimeSheetPath;
  if (MayWriteOutput(ExportPath, &sheet, 1)) return true;
  char text[kPathSize + 96];
  snprintf(text, sizeof text, "Hourwright will not write over a time sheet or its descriptions file: %s",
           ExportPath);
  memcpy(ExportPath, before, sizeof before);
  ShowError(text);
  return false;
}

static int ChooseExportFile(HWND dialog) {
  const FileDialogSettings settings = {true, kTextFilter, "Save Text Export As",
                                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, "txt"};
  char before[kPathSize];
  memcpy(before, ExportPath, sizeof before);
  if (!RunFileDialog(dialog, ExportPath, settings)) return 0;
  if (ExportPath[0] != '\0') return MayExportTo(before) ? 1 : 0;
  ShowError("Invalid FileName");
  return 0;
}

// 1 once the writer has run (whether or not it could write), 0 when a date
// was refused or no file was chosen.
static int RunFileExport(HWND dialog, int noStartDate, int noStopDate, int elapsedForm) {
  int64_t startLimit = 0, stopLimit = 0;
  if (!ReadLimits(dialog, noStartDate, noStopDate, &startLimit, &stopLimit)) return 0;
  if (ChooseExportFile(dialog) == 0) return 0;
  ExportToFile(startLimit, stopLimit, elapsedForm);
  return 1;
}

// Null until WM_INITDIALOG: controls may notify before it arrives.
static ExportSettings* SettingsOf(HWND dialog) {
  return reinterpret_cast<ExportSettings*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

static INT_PTR OnInitDialog(HWND dialog, LPARAM settingsAddress) {
  SetWindowLongPtrA(dialog, DWLP_USER, settingsAddress);
  ExportSettings& settings = *SettingsOf(dialog);
  CheckRadioButton(dialog, IDC_EXPORT_TO_FILE, IDC_EXPORT_TO_CLIPBOARD, IDC_EXPORT_TO_FILE);
  settings.toClipboard = 0;
  settings.elapsedForm = kElapsedMinutes;
  CheckRadioButton(dialog, IDC_EXPORT_MINUTES, IDC_EXPORT_HOURS_MINUTES,
                   IDC_EXPORT_MINUTES + settings.elapsedForm);
  settings.noStartDate = 0;
  settings.noStopDate = 0;
  return TRUE;
}

// Any failure before a writer runs leaves the dialog open with the entries
// as typed.
static void OnOk(HWND dialog) {
  const ExportSettings& settings = *SettingsOf(dialog);
  if (settings.toClipboard == 0) {
    if (RunFileExport(dialog, settings.noStartDate, settings.noStopDate, settings.elapsedForm))
      EndDialog(dialog, 0);
    return;
  }
  int64_t startLimit = 0, stopLimit = 0;
  if (!ReadLimits(dialog, settings.noStartDate, settings.noStopDate, &startLimit, &stopLimit))
    return;
  ExportToClipboard(dialog, startLimit, stopLimit, settings.elapsedForm);
  EndDialog(dialog, 0);
}

static int Toggled(int flag) { return flag == 1 ? 0 : 1; }

static INT_PTR OnCommand(HWND dialog, int id) {
  if (SettingsOf(dialog) == NULL) return FALSE;
  ExportSettings& settings = *SettingsOf(dialog);
  switch (id) {
    case IDOK:
      OnOk(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_EXPORT_TO_FILE:
    case IDC_EXPORT_TO_CLIPBOARD:
      settings.toClipboard = id == IDC_EXPORT_TO_CLIPBOARD ? 1 : 0;
      return TRUE;
    case IDC_EXPORT_NO_START:
      settings.noStartDate = Toggled(settings.noStartDate);
      return TRUE;
    case IDC_EXPORT_NO_STOP:
      settings.noStopDate = Toggled(settings.noStopDate);
      return TRUE;
    case IDC_EXPORT_MINUTES:
    case IDC_EXPORT_HOURS:
    case IDC_EXPORT_HOURS_MINUTES:
      settings.elapsedForm = id - IDC_EXPORT_MINUTES;
      return TRUE;
  }
  return FALSE;
}

static INT_PTR CALLBACK ExportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_HELP:
      ShowHelp(kHelpExport);
      return TRUE;
    case WM_DESTROY:
    case WM_USER:
      return TRUE;
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

void ShowExportDialog(HWND mainWindow) {
  ExportSettings settings = {0, 0, 0, kElapsedMinutes};
  DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_EXPORT), mainWindow, ExportDialogProc,
                  reinterpret_cast<LPARAM>(&settings));
}
