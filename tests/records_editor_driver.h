// Reading and driving the records editor's list and the record form, as a user sees them.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/resource.h"
#include "tests/record_form_texts.h"
#include "tests/scripted_user.h"

inline HWND RecordList(HWND editor) { return GetDlgItem(editor, IDC_RECORDS_LIST); }

inline int ListRows(HWND editor) {
  return static_cast<int>(SendMessageA(RecordList(editor), LVM_GETITEMCOUNT, 0, 0));
}

inline std::string ListCell(HWND editor, int row, int column) {
  char text[256] = "";
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(RecordList(editor), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

inline std::string ListHeader(HWND editor, int column) {
  char text[256] = "";
  LVCOLUMNA info = {};
  info.mask = LVCF_TEXT | LVCF_WIDTH;
  info.pszText = text;
  info.cchTextMax = sizeof text;
  if (!SendMessageA(RecordList(editor), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
    return "<none>";
  return text;
}

// A click on a row: selected and focused, as the mouse leaves it.
inline void SelectRow(HWND editor, int row) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(RecordList(editor), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

inline const int* FormFieldIds() {
  static const int ids[13] = {
      IDC_FORM_TASK,        IDC_FORM_PROJECT,    IDC_FORM_CLASSIFICATION, IDC_FORM_START_MONTH,
      IDC_FORM_START_DAY,   IDC_FORM_START_YEAR, IDC_FORM_START_HOUR,     IDC_FORM_START_MINUTE,
      IDC_FORM_STOP_MONTH,  IDC_FORM_STOP_DAY,   IDC_FORM_STOP_YEAR,      IDC_FORM_STOP_HOUR,
      IDC_FORM_STOP_MINUTE};
  return ids;
}

inline void TypeEntry(HWND form, const FormEntry& entry) {
  for (int i = 0; i < 13; ++i) SetDlgItemTextA(form, FormFieldIds()[i], entry.field[i].c_str());
}

inline FormEntry ShownEntry(HWND form) {
  FormEntry entry;
  for (int i = 0; i < 13; ++i) entry.field[i] = ItemText(form, FormFieldIds()[i]);
  return entry;
}

// The form's fields typed and OK pressed.
inline ScriptedUser::Action FillForm(const FormEntry& entry) {
  return [entry](HWND form) {
    TypeEntry(form, entry);
    PressButton(form, IDOK);
    return true;
  };
}

inline void TypePurgeDate(HWND editor, const char* month, const char* day, const char* year) {
  SetDlgItemTextA(editor, IDC_RECORDS_PURGE_MONTH, month);
  SetDlgItemTextA(editor, IDC_RECORDS_PURGE_DAY, day);
  SetDlgItemTextA(editor, IDC_RECORDS_PURGE_YEAR, year);
}

const char kEditorCaption[] = "Edit Time Records";
const char kFormCaption[] = "Edit A Time Record";
const char kSelectionNotice[] =
    "Current Selection not valid,\n Please Select an item from the list before editing";
