#include "editors/description_lists_editor.h"

#include "common/help.h"
#include "common/message_boxes.h"
#include "common/shell.h"
#include "editors/description_entry.h"
#include "editors/undo_command_win.h"
#include "editors/undo_keys_win.h"
#include "editors/undo_texts.h"
#include "editors/lists_outcome.h"
#include "resources/resource.h"
#include "store/description_lists.h"
#include "store/description_text.h"
#include "store/undo_hook_win.h"
#include "ui/description_field.h"

int ShownKind = 0;

void FillDescriptionListBox(HWND editor, int kind) {
  if (kind < 0 || kind >= kDescriptionKindCount) return;
  SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_RESETCONTENT, 0, 0);
  AddDescriptionTexts(GetDlgItem(editor, IDC_LISTS_ENTRIES), LB_ADDSTRING, kind);
}

// The lists last read from the file.
static DescriptionListsCopy& ShownLists(HWND editor) {
  return *reinterpret_cast<DescriptionListsCopy*>(GetWindowLongPtrA(editor, DWLP_USER));
}

// After every action the list box shows what the file now holds. A file that
// cannot be read (a change that could not be written, as another program
// holds it) keeps the lists shown rather than showing none.
static void Reload(HWND editor) {
  if (LoadDescriptionLists() == -1) RestoreLoadedLists(ShownLists(editor));
  else CopyLoadedLists(ShownLists(editor));
  FillDescriptionListBox(editor, ShownKind);
}

static INT_PTR OnInitDialog(HWND editor, LPARAM shown) {
  static const char* const kKinds[] = {"Tasks", "Projects", "Classifications"};
  SetWindowLongPtrA(editor, DWLP_USER, shown);
  ShownKind = 0;
  LoadDescriptionLists();
  CopyLoadedLists(ShownLists(editor));
  SendDlgItemMessageA(editor, IDC_LISTS_KIND, CB_RESETCONTENT, 0, 0);
  for (const char* kind : kKinds)
    SendDlgItemMessageA(editor, IDC_LISTS_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
  SendDlgItemMessageA(editor, IDC_LISTS_KIND, CB_SETCURSEL, ShownKind, 0);
  FillDescriptionListBox(editor, ShownKind);
  WatchUndoKeys(editor);
  return TRUE;
}

static void OnKindChanged(HWND editor) {
  LRESULT selected = SendDlgItemMessageA(editor, IDC_LISTS_KIND, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return;
  ShownKind = static_cast<int>(selected);
  FillDescriptionListBox(editor, ShownKind);
}

// False, after saying so, when no entry is selected.
static bool EntrySelected(HWND editor) {
  if (SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETCURSEL, 0, 0) != LB_ERR) return true;
  ShowError("You Must Select an Item from the list");
  return false;
}

// Entries are known by their text: the box sorts them, so its positions are
// not the list's.
static void CopySelectedEntry(HWND editor) {
  LRESULT selected = SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETCURSEL, 0, 0);
  char text[256] = "";
  LRESULT length = SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETTEXTLEN, selected, 0);
  if (length >= 0 && length < static_cast<LRESULT>(sizeof text))
    SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text));
  CopyDescription(EntryText, text);
}

static void OnAdd(HWND editor) {
  ShowDescriptionEntryDialog(editor, MakeEntryRequest(ShownKind, kEntryAdd));
  Reload(editor);
}

static void OnEdit(HWND editor) {
  if (!EntrySelected(editor)) return;
  CopySelectedEntry(editor);
  ShowDescriptionEntryDialog(editor, MakeEntryRequest(ShownKind, kEntryEdit));
  Reload(editor);
}

static void OnRemove(HWND editor) {
  if (!EntrySelected(editor)) return;
  if (!AskYesNo("Delete a Record", "Delete Selected Record?")) return;
  CopySelectedEntry(editor);
  char name[64];
  ListChangeName("Remove From", ShownKind, name, sizeof name);
  {
    UndoableChange change(name);
    ShowListsOutcome(RemoveDescription(ShownKind, EntryText));
  }
  Reload(editor);
}

static void OnRebuild(HWND editor, bool keep) {
  {
    UndoableChange change("Rebuild Lists");
    ShowListsOutcome(RebuildDescriptionLists(keep));
  }
  Reload(editor);
}

static void OnUndo(HWND editor, bool redo) {
  RunUndoCommand(redo);
  Reload(editor);
}

static INT_PTR OnCommand(HWND editor, int id, int notification) {
  switch (id) {
    case IDC_LISTS_KIND:
      if (notification == CBN_SELCHANGE) OnKindChanged(editor);
      return TRUE;
    case IDC_LISTS_ADD:
      OnAdd(editor);
      return TRUE;
    case IDC_LISTS_EDIT:
      OnEdit(editor);
      return TRUE;
    case IDC_LISTS_REMOVE:
      OnRemove(editor);
      return TRUE;
    case IDC_LISTS_REBUILD:
      OnRebuild(editor, false);
      return TRUE;
    case IDC_LISTS_REBUILD_KEEP:
      OnRebuild(editor, true);
      return TRUE;
    case IDM_UNDO:
    case IDM_REDO:
      OnUndo(editor, id == IDM_REDO);
      return TRUE;
    case IDOK:
    case IDCANCEL:
      EndDialog(editor, 0);
      return TRUE;
  }
  return FALSE;
}

static INT_PTR CALLBACK ListsEditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(editor, lParam);
    case WM_HELP:
      ShowHelp(kHelpDescriptionLists);
      return TRUE;
    case WM_COMMAND:
      return OnCommand(editor, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
      StopWatchingUndoKeys();
      ReleaseDescriptionLists();
      return TRUE;
  }
  return FALSE;
}

DescriptionListsCopy ShowDescriptionListsEditor(HWND owner) {
  DescriptionListsCopy shown;
  DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_DESCRIPTION_LISTS), owner, ListsEditorProc,
                  reinterpret_cast<LPARAM>(&shown));
  return shown;
}
