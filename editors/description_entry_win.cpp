#include "editors/description_entry.h"

#include "common/help.h"
#include "common/shell.h"
#include "editors/undo_texts.h"
#include "resources/resource.h"
#include "editors/lists_outcome.h"
#include "store/description_lists.h"
#include "store/undo_hook_win.h"

char EntryText[kDescriptionSize];

// Null until WM_INITDIALOG.
static const EntryRequest* RequestOf(HWND dialog) {
  return reinterpret_cast<const EntryRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

static INT_PTR OnInitDialog(HWND dialog, LPARAM requestAddress) {
  SetWindowLongPtrA(dialog, DWLP_USER, requestAddress);
  EntryRequest request = *RequestOf(dialog);
  char label[256];
  EntryLabel(request, EntryText, label, sizeof label);
  SetWindowTextA(dialog, EntryCaption(request));
  SetDlgItemTextA(dialog, IDC_ENTRY_LABEL, label);
  if (EntryRequestMode(request) == kEntryEdit) SetDlgItemTextA(dialog, IDC_ENTRY_TEXT, EntryText);
  return TRUE;
}

// The operation's own messages (a duplicate, a file that cannot be written)
// are all the user hears; the dialog closes either way.
static void OnOk(HWND dialog) {
  EntryRequest request = *RequestOf(dialog);
  char text[kDescriptionSize] = "";  // longer text is cut to its first 63 characters
  GetDlgItemTextA(dialog, IDC_ENTRY_TEXT, text, sizeof text);
  bool edit = EntryRequestMode(request) == kEntryEdit;
  char name[64];
  ListChangeName(edit ? "Replace In" : "Add To", EntryRequestKind(request), name, sizeof name);
  UndoableChange change(name);
  if (edit)
    ShowListsOutcome(AddOrReplaceDescription(EntryRequestKind(request), text, EntryText));
  else
    ShowListsOutcome(AddOrReplaceDescription(EntryRequestKind(request), text));
  EndDialog(dialog, 1);
}

static INT_PTR OnCommand(HWND dialog, int id) {
  if (RequestOf(dialog) == NULL) return FALSE;
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

static INT_PTR CALLBACK EntryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_HELP:
      ShowHelp(kHelpDescriptionLists);
      return TRUE;
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
      ReleaseDescriptionLists();
      return TRUE;
  }
  return FALSE;
}

int ShowDescriptionEntryDialog(HWND owner, EntryRequest request) {
  INT_PTR result = DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_DESCRIPTION_ENTRY), owner,
                                   EntryDialogProc, reinterpret_cast<LPARAM>(&request));
  return result == 1 ? 1 : 0;
}
