#include "editors/record_form_dialog.h"

#include <stdio.h>
#include <string.h>

#include "common/help.h"
#include "common/message_boxes.h"
#include "common/shell.h"
#include "editors/record_form.h"
#include "resources/resource.h"
#include "ui/description_field.h"
#include "store/time_sheet.h"

TimeRecord EditedRecord;

// The record the form started from: what it shows, and what keeps the
// members the form does not set (the reserved bytes).
struct RecordForm {
  TimeRecord shown;
  bool editing;  // false for a new record: the fields start empty
};

// The thirteen fields in the form's order, as read by ReadTimeRecordForm.
static const int kFieldIds[13] = {
    IDC_FORM_TASK,        IDC_FORM_PROJECT,   IDC_FORM_CLASSIFICATION, IDC_FORM_START_MONTH,
    IDC_FORM_START_DAY,   IDC_FORM_START_YEAR, IDC_FORM_START_HOUR,    IDC_FORM_START_MINUTE,
    IDC_FORM_STOP_MONTH,  IDC_FORM_STOP_DAY,  IDC_FORM_STOP_YEAR,      IDC_FORM_STOP_HOUR,
    IDC_FORM_STOP_MINUTE};

static RecordForm* FormOf(HWND dialog) {
  return reinterpret_cast<RecordForm*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

static void ShowNumber(HWND dialog, int id, WORD value) {
  char text[16];
  snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
  SetDlgItemTextA(dialog, id, text);
}

static void ShowTime(HWND dialog, const SYSTEMTIME& time, int monthId, int dayId, int yearId,
                     int hourId, int minuteId) {
  ShowNumber(dialog, monthId, time.wMonth);
  ShowNumber(dialog, dayId, time.wDay);
  ShowNumber(dialog, yearId, time.wYear);
  ShowNumber(dialog, hourId, time.wHour);
  ShowNumber(dialog, minuteId, time.wMinute);
}

static void ShowRecord(HWND dialog, const TimeRecord& record) {
  ShowDescriptionField(dialog, IDC_FORM_TASK, record.task);
  ShowDescriptionField(dialog, IDC_FORM_PROJECT, record.project);
  ShowDescriptionField(dialog, IDC_FORM_CLASSIFICATION, record.classification);
  ShowTime(dialog, record.startTime, IDC_FORM_START_MONTH, IDC_FORM_START_DAY,
           IDC_FORM_START_YEAR, IDC_FORM_START_HOUR, IDC_FORM_START_MINUTE);
  ShowTime(dialog, record.stopTime, IDC_FORM_STOP_MONTH, IDC_FORM_STOP_DAY, IDC_FORM_STOP_YEAR,
           IDC_FORM_STOP_HOUR, IDC_FORM_STOP_MINUTE);
}

static INT_PTR OnInitDialog(HWND dialog, LPARAM formAddress) {
  SetWindowLongPtrA(dialog, DWLP_USER, formAddress);
  const RecordForm& form = *FormOf(dialog);
  if (form.editing) ShowRecord(dialog, form.shown);
  return TRUE;
}

// Any failed check leaves the form open with every field as typed.
static void OnOk(HWND dialog) {
  char texts[13][64];
  for (int i = 0; i < 13; ++i) GetDlgItemTextA(dialog, kFieldIds[i], texts[i], sizeof texts[i]);
  const RecordFormTexts fields = {texts[0], texts[1], texts[2],  texts[3],  texts[4],
                                  texts[5], texts[6], texts[7],  texts[8],  texts[9],
                                  texts[10], texts[11], texts[12]};
  TimeRecord built = FormOf(dialog)->shown;
  RecordFormStep step = ReadTimeRecordForm(fields, &built);
  if (step != kFormGood) {
    ShowError(RecordFormMessage(step));
    return;
  }
  EditedRecord = built;
  EndDialog(dialog, 1);
}

static INT_PTR OnCommand(HWND dialog, int id) {
  if (FormOf(dialog) == NULL) return FALSE;
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

static INT_PTR CALLBACK RecordFormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_HELP:
      ShowHelp(kHelpTimeRecords);
      return TRUE;
  }
  return FALSE;
}

int ShowTimeRecordForm(HWND owner, const FormRequest& request) {
  RecordForm form;
  memset(&form, 0, sizeof form);
  if (request.mode == kFormEditRecord) {
    // Checked before the dialog exists, so a bad index never shows the form.
    if (request.index < 0 || request.index >= TimeSheet.count) {
      ShowNotice("Hourwright", "Bad Data File Entry, Cannot Edit");
      return 0;
    }
    form.shown = TimeSheet.records[request.index];
    form.editing = true;
  }
  INT_PTR result = DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_TIME_RECORD_FORM), owner,
                                   RecordFormProc, reinterpret_cast<LPARAM>(&form));
  return result == 1 ? 1 : 0;
}
