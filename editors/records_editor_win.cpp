#include "editors/records_editor.h"

#include <commctrl.h>

#include "common/help.h"
#include "common/message_boxes.h"
#include "common/shell.h"
#include "editors/purge_date.h"
#include "editors/record_form_dialog.h"
#include "editors/record_list.h"
#include "editors/undo_command_win.h"
#include "editors/undo_keys_win.h"
#include "editors/undo_texts.h"
#include "resources/resource.h"
#include "store/current_task.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "store/undo_hook_win.h"

struct RecordsEditor {
  int32_t selectedRecordIndex;  // row named by the latest item change; -1 after a rebuild
  int32_t listedRows;
};

static RecordsEditor* EditorOf(HWND dialog) {
  return reinterpret_cast<RecordsEditor*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

static HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_RECORDS_LIST); }

static void InsertColumns(HWND list) {
  for (int c = kRecordColumns - 1; c >= 0; --c) SendMessageA(list, LVM_DELETECOLUMN, c, 0);
  for (int c = 0; c < kRecordColumns; ++c) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = 75;
    column.pszText = const_cast<char*>(kRecordColumnHeaders[c]);
    column.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
}

// The list holds no texts of its own: it asks for each visible cell, so a
// sheet of any size opens at once and every closed record has its row.
static void FillRecordList(HWND dialog) {
  HWND list = ListOf(dialog);
  InsertColumns(list);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  int32_t rows = TimeSheet.count > 0 ? ListedRecordCount(TimeSheet.records, TimeSheet.count) : 0;
  EditorOf(dialog)->listedRows = rows;
  SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
}

static void ShowLoadedSheet(HWND dialog) {
  RecordsEditor& editor = *EditorOf(dialog);
  editor.selectedRecordIndex = -1;
  FillRecordList(dialog);
  editor.selectedRecordIndex = -1;  // whatever the rebuild notified
}

static void Refresh(HWND dialog) {
  LoadTimeSheet();
  ShowLoadedSheet(dialog);
}

static bool SelectionValid(const RecordsEditor& editor) {
  if (editor.selectedRecordIndex >= 0 && editor.selectedRecordIndex < TimeSheet.count) return true;
  ShowNotice("Hourwright",
             "Current Selection not valid,\n Please Select an item from the list before editing");
  return false;
}

// A rewrite that failed left the file as it was; the user must know the
// change is not in it.
static void ReportUnwritten() {
  ReportUnableToWrite("Time Sheet", TimeSheetPath, "The change was not saved; the file is as it was.");
}

static void OnEditSelected(HWND dialog) {
  RecordsEditor& editor = *EditorOf(dialog);
  if (!SelectionValid(editor)) return;
  const FormRequest request = {kFormEditRecord, editor.selectedRecordIndex};
  if (ShowTimeRecordForm(dialog, request) != 1) return;
  TimeSheet.records[editor.selectedRecordIndex] = EditedRecord;
  UndoableChange change("Edit Record");
  // The plain as-edited save drops a trailing open record: the running task
  // would be gone from the file it is to be resumed from.
  int written = LoggingActive ? SaveEditedKeepingTask() : SaveTimeSheet(kSaveAsEdited);
  if (written == 0) ReportUnwritten();
  Refresh(dialog);
}

static void OnAddRecord(HWND dialog) {
  const FormRequest request = {kFormNewRecord, 1};
  if (ShowTimeRecordForm(dialog, request) != 1) return;
  UndoableChange change("Add Record");
  int written =
      LoggingActive ? InsertRecordBeforeTask(EditedRecord) : InsertRecordByStart(EditedRecord);
  if (written == 0) ReportUnwritten();
  Refresh(dialog);
}

static void OnDeleteRecord(HWND dialog) {
  RecordsEditor& editor = *EditorOf(dialog);
  if (!SelectionValid(editor)) return;
  if (!AskYesNo("Delete Selected Record",
                "You are about to delete the selected record.\nPress Yes to delete this record"))
    return;
  UndoableChange change("Delete Record");
  if (DeleteRecordAt(editor.selectedRecordIndex) == 0) ReportUnwritten();
  Refresh(dialog);
}

static void ReadPurgeField(HWND dialog, int id, char (&text)[64]) {
  text[0] = '\0';
  GetDlgItemTextA(dialog, id, text, sizeof text);
}

// Deletes, without a question, every record that starts before the typed
// day. 1 when the file was rewritten.
static int PurgeBeforeDate(HWND dialog) {
  char month[64], day[64], year[64];
  ReadPurgeField(dialog, IDC_RECORDS_PURGE_MONTH, month);
  ReadPurgeField(dialog, IDC_RECORDS_PURGE_DAY, day);
  ReadPurgeField(dialog, IDC_RECORDS_PURGE_YEAR, year);
  PurgeDate date = CheckPurgeDate(month, day, year);
  for (int i = 0; i < date.messageCount; ++i) ShowError(date.messages[i]);
  if (!date.good) return 0;
  char name[64];
  PurgeChangeName(date.month, date.day, date.year, name, sizeof name);
  UndoableChange change(name);
  int written = LoggingActive ? KeepRecordsFromKeepingTask(date.cutoff) : KeepRecordsFrom(date.cutoff);
  if (written == 0) {
    ReportUnwritten();
    return 0;
  }
  Refresh(dialog);
  return 1;
}

// The list shows the sheet as the undo left it, or as it was.
static void OnUndo(HWND dialog, bool redo) {
  RunUndoCommand(redo);
  Refresh(dialog);
}

static INT_PTR OnInitDialog(HWND dialog, LPARAM editorAddress) {
  SetWindowLongPtrA(dialog, DWLP_USER, editorAddress);
  ShowLoadedSheet(dialog);  // loaded by ShowTimeRecordsEditor
  WatchUndoKeys(dialog);
  return TRUE;
}

static INT_PTR OnCommand(HWND dialog, int id) {
  if (EditorOf(dialog) == NULL) return FALSE;
  switch (id) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_RECORDS_EDIT:
      OnEditSelected(dialog);
      return TRUE;
    case IDC_RECORDS_ADD:
      OnAddRecord(dialog);
      return TRUE;
    case IDC_RECORDS_DELETE:
      OnDeleteRecord(dialog);
      return TRUE;
    case IDC_RECORDS_PURGE:
      PurgeBeforeDate(dialog);
      return TRUE;
    case IDM_UNDO:
    case IDM_REDO:
      OnUndo(dialog, id == IDM_REDO);
      return TRUE;
  }
  return FALSE;
}

// A cell of row `row`; empty while the sheet is between a rewrite and its reload.
static void CellText(const RecordsEditor& editor, int row, int column, char* out, size_t size) {
  out[0] = '\0';
  if (row < 0 || row >= editor.listedRows || row >= TimeSheet.count || TimeSheet.records == NULL)
    return;
  RecordCellText(TimeSheet.records[row], column, out, size);
}

static void OnGetDispInfoA(const RecordsEditor& editor, NMLVDISPINFOA* info) {
  LVITEMA& item = info->item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == NULL || item.cchTextMax <= 0) return;
  CellText(editor, item.iItem, item.iSubItem, item.pszText, static_cast<size_t>(item.cchTextMax));
}

static void OnGetDispInfoW(const RecordsEditor& editor, NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == NULL || item.cchTextMax <= 0) return;
  char text[kRecordCellSize * 2];
  CellText(editor, item.iItem, item.iSubItem, text, sizeof text);
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, item.pszText, item.cchTextMax) == 0)
    item.pszText[item.cchTextMax - 1] = L'\0';
}

// Type-ahead of the owner-data list: the rows are searched on their start
// text, as a list holding its texts would search its first column.
static void OnFindItem(HWND dialog, const RecordsEditor& editor, int32_t from, const char* prefix,
                       UINT flags) {
  int32_t found = -1;
  if ((flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && prefix != NULL && TimeSheet.records != NULL) {
    int32_t rows = editor.listedRows < TimeSheet.count ? editor.listedRows : TimeSheet.count;
    found = FindRowByStart(TimeSheet.records, rows, from, prefix, (flags & LVFI_WRAP) != 0);
  }
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, found);
}

static void OnFindItemW(HWND dialog, const RecordsEditor& editor, const NMLVFINDITEMW* find) {
  char prefix[kRecordCellSize] = "";
  if (find->lvfi.psz != NULL &&
      WideCharToMultiByte(CP_ACP, 0, find->lvfi.psz, -1, prefix, sizeof prefix, NULL, NULL) == 0)
    prefix[sizeof prefix - 1] = '\0';
  OnFindItem(dialog, editor, find->iStart, find->lvfi.psz != NULL ? prefix : NULL, find->lvfi.flags);
}

static INT_PTR OnNotify(HWND dialog, const NMHDR* header) {
  RecordsEditor* editor = EditorOf(dialog);
  if (editor == NULL || header->idFrom != IDC_RECORDS_LIST) return FALSE;
  switch (header->code) {
    case LVN_ITEMCHANGED:
      editor->selectedRecordIndex = reinterpret_cast<const NMLISTVIEW*>(header)->iItem;
      return TRUE;
    case LVN_GETDISPINFOA:
      OnGetDispInfoA(*editor, reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header)));
      return TRUE;
    case LVN_GETDISPINFOW:
      OnGetDispInfoW(*editor, reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
      return TRUE;
    case LVN_ODFINDITEMA: {
      const NMLVFINDITEMA* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
      OnFindItem(dialog, *editor, find->iStart, find->lvfi.psz, find->lvfi.flags);
      return TRUE;
    }
    case LVN_ODFINDITEMW:
      OnFindItemW(dialog, *editor, reinterpret_cast<const NMLVFINDITEMW*>(header));
      return TRUE;
  }
  return FALSE;
}

static INT_PTR CALLBACK RecordsEditorProc(HWND dialog, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY:
      return OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
    case WM_HELP:
      ShowHelp(kHelpTimeRecords);
      return TRUE;
    case WM_DESTROY:
      StopWatchingUndoKeys();
      ReleaseTimeSheet();
      return TRUE;
  }
  return FALSE;
}

// A sheet that is there but cannot be read would open as an empty list, as
// if it held no records: the editor does not open on it.
void ShowTimeRecordsEditor(HWND owner) {
  if (LoadTimeSheet() == -1) {
    ReportUnableToRead("Time Sheet", TimeSheetPath);
    return;
  }
  InitCommonControls();  // the list view's window class
  RecordsEditor editor = {-1, 0};
  DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_TIME_RECORDS), owner, RecordsEditorProc,
                  reinterpret_cast<LPARAM>(&editor));
  ReleaseTimeSheet();  // also when the dialog could not be created
}
