#include "app/main_window.h"

#include <stdio.h>

#include <initializer_list>

#include "about/about_box.h"
#include "common/help.h"
#include "common/message_boxes.h"
#include "common/product.h"
#include "common/shell.h"
#include "app/tray_icon.h"
#include "app/undo_menu_win.h"
#include "editors/records_editor.h"
#include "editors/description_lists_editor.h"
#include "export/export_dialog.h"
#include "store/current_task.h"
#include "logging/away_watch.h"
#include "logging/description_combos.h"
#include "logging/options_dialog.h"
#include "logging/task_logging.h"
#include "resources/resource.h"
#include "store/description_lists.h"
#include "ui/file_selection.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "totals/totals_dialog.h"

static const int kDescriptionLimit = 63;

static BOOL OnInitDialog(HWND window) {
  LoggingActive = false;
  for (int id : {IDC_MAIN_TASK, IDC_MAIN_PROJECT, IDC_MAIN_CLASSIFICATION})
    SendDlgItemMessageA(window, id, CB_LIMITTEXT, kDescriptionLimit, 0);
  SendMessageA(window, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(LoadIconA(ProgramInstance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON))));
  AddTrayIcon(window);
  EnableWindow(GetDlgItem(window, IDC_MAIN_END_TASK), FALSE);
  StartAwayWatch(window);
  return TRUE;
}

// End Task, Start New Task, Open Timesheet and closing first ask about an
// away time the watch has not caught up with (logging/away_watch.h).

static void OnOpenTimeSheet(HWND window) {
  AwayAnswered away = AskAwayBeforeCommand(window);
  if (ApplyAwayAnswer(window, away, false) == kAwayUnwritten) return;
  SheetPaths current = CurrentSheetPaths();
  if (ChooseTimeSheetToOpen(window) == 1 && EndTaskInItsOwnSheet(window, current))
    OfferResume(window);
  char status[512];
  snprintf(status, sizeof status, "Time Sheet: %s", TimeSheetPath);
  SetDlgItemTextA(window, IDC_MAIN_STATUS, status);
  FillMainCombos(window);
}

static void OnStartNewTask(HWND window) {
  AwayAnswered away = AskAwayBeforeCommand(window);
  if (ApplyAwayAnswer(window, away, true) == kAwayUnwritten) return;
  if (LoggingActive) {
    EndTask(window);
    // An end that could not be written keeps its task: starting now would
    // overwrite it.
    if (LoggingActive) return;
  }
  StartTask(window);
}

static void OnEndTask(HWND window) {
  AwayAnswered away = AskAwayBeforeCommand(window);
  if (ApplyAwayAnswer(window, away, true) == kAwayGoOn) EndTask(window);
}

static bool TimeSheetOpen() {
  if (TimeSheetPath[0] != '\0') return true;
  ShowError("You Must have a time sheet file open before you can edit lists");
  return false;
}

static bool AskToClose() {
  char question[512];
  snprintf(question, sizeof question, "Close %s?", kProductName);
  return AskYesNo(kProductName, question);
}

static BOOL OnCommand(HWND window, int id) {
  switch (id) {
    case IDCANCEL:
      return TRUE;  // Escape must not close the program
    case IDC_MAIN_START_TASK:
      OnStartNewTask(window);
      return TRUE;
    case IDC_MAIN_END_TASK:
      OnEndTask(window);
      return TRUE;
    case IDM_OPEN_TIMESHEET:
      OnOpenTimeSheet(window);
      return TRUE;
    case IDM_TASK_LISTS:
      if (TimeSheetOpen()) {
        bool wasLogging = LoggingActive;
        DescriptionListsCopy shown = ShowDescriptionListsEditor(window);
        FillMainCombos(window, &shown);
        ShowWhatEditorsUndid(window, wasLogging);
      }
      return TRUE;
    case IDM_TIME_ENTRIES:
      if (TimeSheetOpen()) {
        bool wasLogging = LoggingActive;
        ShowTimeRecordsEditor(window);
        ShowWhatEditorsUndid(window, wasLogging);
      }
      return TRUE;
    case IDM_UNDO:
    case IDM_REDO:
      RunUndoFromMainWindow(window, id == IDM_REDO);
      return TRUE;
    case IDM_EXIT:
      if (AskToClose()) PostMessageA(window, WM_CLOSE, 0, 0);
      return TRUE;
    case IDM_EXPORT:
      ShowExportDialog(window);
      return TRUE;
    case IDM_TOTALS:
      ShowTotalsDialog(window);
      return TRUE;
    case IDM_HELP_INDEX:
      ShowHelp(kHelpMainWindow);
      return TRUE;
    case IDM_ABOUT:
      ShowAboutBox(window);
      return TRUE;
    case IDM_OPTIONS:
      ShowOptionsDialog(window);
      return TRUE;
  }
  return FALSE;
}

// F1 on a highlighted Undo or Redo item opens the guide at undo.
static HelpContext HelpForRequest(const HELPINFO* help) {
  if (help != NULL && help->iContextType == HELPINFO_MENUITEM &&
      (help->iCtrlId == IDM_UNDO || help->iCtrlId == IDM_REDO))
    return kHelpUndo;
  return kHelpMainWindow;
}

static void ReleaseLoadedTimeSheet() {
  if (TimeSheet.count > 0) ReleaseTimeSheet();
}

static BOOL OnSysCommand(HWND window, WPARAM command) {
  switch (command & 0xFFF0) {
    case SC_MINIMIZE:
      ReleaseLoadedTimeSheet();
      // Hidden without its icon the window could not be reached again:
      // then it is minimised to the taskbar like any other window.
      if (!EnsureTrayIcon()) return FALSE;
      ShowWindow(window, SW_HIDE);
      return TRUE;
    case SC_CLOSE:
      // Handled (the window stays) on No; the default handling closes on Yes.
      return AskToClose() ? FALSE : TRUE;
  }
  return FALSE;
}

// Closing never loses the running task: when it can be neither kept in its
// time sheet nor ended there, the program stays open, still logging.
// A task ended at the away start leaves nothing to ask about; a discarded
// away time waits for the answer on the task: ending it, it ends there.
static void OnClose(HWND window) {
  ShowWindow(window, SW_SHOWNORMAL);
  AwayAnswered away = AskAwayBeforeCommand(window);
  if (away.answer == kAwayEnd && ApplyAwayAnswer(window, away, true) == kAwayUnwritten) return;
  if (LoggingActive) {
    bool keep = AskYesNo("End Current Task?",
                         "A Task is still logging.\nDo you want to Continue task even withTime Sheet "
                         "Shut Down?\n YES will keep task active, NO will end task");
    AwayOutcome first = ApplyAwayAnswer(window, away, !keep);
    if (first == kAwayUnwritten) return;
    if (keep) {
      if (!KeepTaskForResume(window)) return;
    } else if (first == kAwayGoOn) {
      EndTask(window);
      if (LoggingActive) return;  // its end was not written, and said so
    }
  }
  DestroyWindow(window);
}

static void OnDestroy() {
  ReleaseLoadedTimeSheet();
  RemoveTrayIcon();
  PostQuitMessage(0);
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsTaskbarCreated(message)) {
    RestoreTrayIcon(window);
    return TRUE;
  }
  if (HandleAwayMessage(window, message, wParam)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(window);
    case WM_COMMAND:
      return OnCommand(window, LOWORD(wParam));
    case WM_SYSCOMMAND:
      return OnSysCommand(window, wParam);
    case WM_TRAYICON:
      if (lParam == WM_LBUTTONDBLCLK) ShowWindow(window, SW_SHOWNORMAL);
      return TRUE;
    case WM_HELP:
      ShowHelp(HelpForRequest(reinterpret_cast<const HELPINFO*>(lParam)));
      return TRUE;
    case WM_INITMENUPOPUP:
      UpdateUndoItems(reinterpret_cast<HMENU>(wParam));
      return TRUE;
    case WM_CLOSE:
      OnClose(window);
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
  }
  return FALSE;
}
