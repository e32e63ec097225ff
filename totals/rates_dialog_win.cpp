#include "totals/rates_dialog.h"

#include <commctrl.h>
#include <stdio.h>

#include "common/help.h"
#include "common/message_boxes.h"
#include "common/shell.h"
#include "resources/resource.h"
#include "store/options_file.h"
#include "store/rates_file.h"
#include "totals/rates_form.h"

namespace {

enum { kProjectColumnUnits = 176, kRateColumnUnits = 56, kRateTextLimit = 12 };

struct RatesDialog {
  RatesForm form;
  ProjectRates old;  // as the file held them when the dialog opened
  std::vector<std::string> warnings;
  char decimal = '.';
  int selected = -1;
  bool filling = false;  // the rate box is being set from the list
};

RatesDialog* DialogOf(HWND dialog) {
  return reinterpret_cast<RatesDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The locale's decimal separator, when it is one character.
char LocaleDecimal() {
  char text[8] = "";
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) == 2 ? text[0] : '.';
}

std::string Text(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void AddColumn(HWND list, int index, const char* title, int units, int format) {
  RECT rect = {0, 0, units, 1};
  MapDialogRect(GetParent(list), &rect);
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = rect.right;
  column.pszText = const_cast<char*>(title);
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void SetRateCell(HWND list, int row, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = 1;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void FillList(HWND list, const RatesForm& form) {
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  AddColumn(list, 0, "Project", kProjectColumnUnits, LVCFMT_LEFT);
  AddColumn(list, 1, "Rate", kRateColumnUnits, LVCFMT_RIGHT);
  for (size_t i = 0; i < form.projects.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(form.projects[i].c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetRateCell(list, static_cast<int>(i), form.rates[i]);
  }
}

void Select(HWND dialog, int row) {
  HWND list = GetDlgItem(dialog, IDC_RATES_LIST);
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
}

// The file's skipped lines are told here, where the rates are seen.
std::string WarningText(const std::vector<std::string>& warnings) {
  if (warnings.empty()) return std::string();
  char text[160];
  snprintf(text, sizeof text, "The options file: %s%s", warnings[0].c_str(),
           warnings.size() > 1 ? " (and more)" : "");
  return text;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM address) {
  SetWindowLongPtrA(dialog, DWLP_USER, address);
  RatesDialog& rates = *DialogOf(dialog);
  FillList(GetDlgItem(dialog, IDC_RATES_LIST), rates.form);
  SendDlgItemMessageA(dialog, IDC_RATES_RATE, EM_LIMITTEXT, kRateTextLimit, 0);
  SendDlgItemMessageA(dialog, IDC_RATES_DEFAULT, EM_LIMITTEXT, kRateTextLimit, 0);
  SendDlgItemMessageA(dialog, IDC_RATES_CURRENCY, EM_LIMITTEXT, kCurrencyMost, 0);
  SetDlgItemTextA(dialog, IDC_RATES_DEFAULT, rates.form.defaultRate.c_str());
  SetDlgItemTextA(dialog, IDC_RATES_CURRENCY, rates.form.currency.c_str());
  SetDlgItemTextA(dialog, IDC_RATES_WARNING, WarningText(rates.warnings).c_str());
  EnableWindow(GetDlgItem(dialog, IDC_RATES_RATE), FALSE);
  if (!rates.form.projects.empty()) Select(dialog, 0);
  return TRUE;
}

void OnSelected(HWND dialog, RatesDialog& rates, int row) {
  if (row < 0 || static_cast<size_t>(row) >= rates.form.rates.size()) return;
  rates.selected = row;
  rates.filling = true;
  SetDlgItemTextA(dialog, IDC_RATES_RATE, rates.form.rates[static_cast<size_t>(row)].c_str());
  rates.filling = false;
  EnableWindow(GetDlgItem(dialog, IDC_RATES_RATE), TRUE);
}

void OnRateTyped(HWND dialog, RatesDialog& rates) {
  if (rates.filling || rates.selected < 0) return;
  std::string text = Text(dialog, IDC_RATES_RATE);
  rates.form.rates[static_cast<size_t>(rates.selected)] = text;
  SetRateCell(GetDlgItem(dialog, IDC_RATES_LIST), rates.selected, text);
}

void FocusField(HWND dialog, int id) {
  HWND field = GetDlgItem(dialog, id);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
  SendMessageA(field, EM_SETSEL, 0, -1);
}

// A refused rate keeps the dialog open on its field; a file that cannot be
// written keeps it open with everything as typed, and the old rates in force.
void OnOk(HWND dialog, RatesDialog& rates) {
  rates.form.defaultRate = Text(dialog, IDC_RATES_DEFAULT);
  rates.form.currency = Text(dialog, IDC_RATES_CURRENCY);
  RatesEdit edit;
  int refused = RatesFormEdit(rates.form, rates.old, rates.decimal, &edit);
  if (refused != kRatesFormOk) {
    ShowError(kRatesRefused);
    if (refused >= 0) Select(dialog, refused);
    FocusField(dialog, refused >= 0 ? IDC_RATES_RATE : IDC_RATES_DEFAULT);
    return;
  }
  if (!RatesEditChangesAnything(edit)) {
    EndDialog(dialog, 0);
    return;
  }
  if (!SaveRates(edit)) {
    char path[kPathSize] = "";
    OptionsFilePath(path);
    ReportUnableToWrite("Options", path, "The rates are as they were.");
    return;
  }
  EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, int id, int code) {
  RatesDialog* rates = DialogOf(dialog);
  if (rates == NULL) return FALSE;
  switch (id) {
    case IDOK:
      OnOk(dialog, *rates);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_RATES_RATE:
      if (code == EN_CHANGE) OnRateTyped(dialog, *rates);
      return TRUE;
  }
  return FALSE;
}

INT_PTR OnNotify(HWND dialog, NMHDR* header) {
  RatesDialog* rates = DialogOf(dialog);
  if (rates == NULL || header->idFrom != IDC_RATES_LIST || header->code != LVN_ITEMCHANGED)
    return FALSE;
  NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(header);
  if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED))
    OnSelected(dialog, *rates, change->iItem);
  return TRUE;
}

INT_PTR CALLBACK RatesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
      return OnNotify(dialog, reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
      ShowHelp(kHelpRates);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool ShowRatesDialog(HWND owner, const std::vector<std::string>& projects) {
  RatesDialog rates;
  rates.decimal = LocaleDecimal();
  rates.old = LoadRates(&rates.warnings);
  rates.form = MakeRatesForm(projects, rates.old, rates.decimal);
  return DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_RATES), owner, RatesDialogProc,
                         reinterpret_cast<LPARAM>(&rates)) == 1;
}
