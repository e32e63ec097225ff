#include <stdio.h>

#include <new>
#include <utility>

#include "common/help.h"
#include "common/message_boxes.h"
#include "common/shell.h"
#include "resources/resource.h"
#include "store/local_clock.h"
#include "store/paths.h"
#include "store/rates_file.h"
#include "totals/report_file.h"
#include "totals/totals_dialog.h"
#include "totals/totals_texts.h"
#include "totals/totals_window_win.h"

// The choices outlive the window while the program runs; the first opening
// shows This week by Project.
static TotalsWindowChoices RememberedChoices;
static bool ChoicesRemembered = false;

int64_t (*TotalsNow)() = LocalNowSeconds;

enum { kRoundTextLimit = 4, kTipLines = 12, kTipWidth = 480 };

static TotalsWindow* WindowOf(HWND dialog) {
  return reinterpret_cast<TotalsWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

static TotalsDate DateOf(const SYSTEMTIME& time) {
  return TotalsDate{time.wYear, time.wMonth, time.wDay};
}

static SYSTEMTIME SystemTimeOf(TotalsDate date) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  return time;
}

static int Selected(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

static TotalsDate PickedDate(HWND dialog, int id) {
  SYSTEMTIME time = {};
  if (SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
      GDT_VALID)
    GetLocalTime(&time);
  return DateOf(time);
}

static TotalsWindowChoices ReadChoices(HWND dialog) {
  TotalsWindowChoices choices;
  choices.period = Selected(dialog, IDC_TOTALS_PERIOD);
  choices.from = PickedDate(dialog, IDC_TOTALS_FROM);
  choices.to = PickedDate(dialog, IDC_TOTALS_TO);
  choices.groupBy = Selected(dialog, IDC_TOTALS_GROUP_BY);
  choices.thenBy = Selected(dialog, IDC_TOTALS_THEN_BY);
  char round[16] = "";
  GetDlgItemTextA(dialog, IDC_TOTALS_ROUND, round, sizeof round);
  choices.roundMinutes = ParseRoundMinutes(round);
  choices.countRunning = IsDlgButtonChecked(dialog, IDC_TOTALS_RUNNING) == BST_CHECKED;
  return choices;
}

// Weeks start on the day the user's regional settings say, Sunday or Monday.
static bool WeekStartsSunday() {
  char day[8] = "";
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, day, sizeof day) > 0 &&
         day[0] == '6';
}

// The reasons behind the line under the total, on the line's tooltip.
static void ShowTip(HWND dialog, TotalsWindow& window) {
  if (window.tooltip == NULL) return;
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_TOTALS_UNCOUNTED));
  tool.lpszText = const_cast<char*>(window.tip.c_str());
  SendMessageA(window.tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

// Said in place of the total; the list keeps the totals it showed.
static void RefuseTotals(HWND dialog, TotalsWindow& window, const char* message) {
  SetDlgItemTextA(dialog, IDC_TOTALS_TOTAL, message);
  SetDlgItemTextA(dialog, IDC_TOTALS_UNCOUNTED, "");
  window.tip.clear();
  ShowTip(dialog, window);
}

// Every choice refills the list at once, with "now" taken at that moment.
static void Refill(HWND dialog) {
  TotalsWindow& window = *WindowOf(dialog);
  if (!window.ready) return;
  RememberedChoices = ReadChoices(dialog);
  ChoicesRemembered = true;
  bool between = RememberedChoices.period == kTotalsPeriods - 1;
  EnableWindow(GetDlgItem(dialog, IDC_TOTALS_FROM), between);
  EnableWindow(GetDlgItem(dialog, IDC_TOTALS_TO), between);
  // Short of memory the window says so and stays: a record mistyped as
  // 9024 for 2024, grouped by day, asks for millions of rows.
  try {
    TotalsChoice choice = MakeTotalsChoice(RememberedChoices, TotalsNow(), WeekStartsSunday());
    if (TotalsFromAfterTo(choice)) {
      RefuseTotals(dialog, window, "The From date is after the To date.");
      return;
    }
    choice.rates = window.rates;
    TotalsResult result = ComputeTotals(SheetsOf(window), choice);
    window.choice = std::move(choice);
    window.result = std::move(result);
    ShowTotalsRows(GetDlgItem(dialog, IDC_TOTALS_LIST), window);
    SetDlgItemTextA(dialog, IDC_TOTALS_TOTAL, TotalsWindowSummary(window).c_str());
    SetDlgItemTextA(dialog, IDC_TOTALS_UNCOUNTED, UncountedText(window.result).c_str());
    window.tip = UncountedReasons(window.result, kTipLines);
    ShowTip(dialog, window);
  } catch (const std::bad_alloc&) {
    RefuseTotals(dialog, window, "Not enough memory to show these totals.");
  }
}

static void FillCombo(HWND dialog, int id, const char* const* texts, int count, int selected) {
  for (int i = 0; i < count; ++i)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, selected, 0);
}

static void SetChoices(HWND dialog, const TotalsWindowChoices& choices) {
  FillCombo(dialog, IDC_TOTALS_PERIOD, kTotalsPeriodNames, kTotalsPeriods, choices.period);
  SendDlgItemMessageA(dialog, IDC_TOTALS_THEN_BY, CB_ADDSTRING, 0,
                      reinterpret_cast<LPARAM>(kTotalsNoThenBy));
  FillCombo(dialog, IDC_TOTALS_THEN_BY, kTotalsGroupNames, kTotalsGroupKeys, choices.thenBy);
  FillCombo(dialog, IDC_TOTALS_GROUP_BY, kTotalsGroupNames, kTotalsGroupKeys, choices.groupBy);
  SYSTEMTIME from = SystemTimeOf(choices.from), to = SystemTimeOf(choices.to);
  SendDlgItemMessageA(dialog, IDC_TOTALS_FROM, DTM_SETSYSTEMTIME, GDT_VALID,
                      reinterpret_cast<LPARAM>(&from));
  SendDlgItemMessageA(dialog, IDC_TOTALS_TO, DTM_SETSYSTEMTIME, GDT_VALID,
                      reinterpret_cast<LPARAM>(&to));
  SendDlgItemMessageA(dialog, IDC_TOTALS_ROUND, EM_LIMITTEXT, kRoundTextLimit, 0);
  char round[16] = "";
  if (choices.roundMinutes > 0) snprintf(round, sizeof round, "%d", choices.roundMinutes);
  SetDlgItemTextA(dialog, IDC_TOTALS_ROUND, round);
  CheckDlgButton(dialog, IDC_TOTALS_RUNNING, choices.countRunning ? BST_CHECKED : BST_UNCHECKED);
}

static void PrepareList(HWND dialog, TotalsWindow& window) {
  HWND list = GetDlgItem(dialog, IDC_TOTALS_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LOGFONTA font = {};
  HFONT shown = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
  if (shown != NULL && GetObjectA(shown, sizeof font, &font) == sizeof font) {
    font.lfWeight = FW_BOLD;
    window.boldFont = CreateFontIndirectA(&font);
  }
}

static void PrepareTooltip(HWND dialog, TotalsWindow& window) {
  window.tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   dialog, NULL, ProgramInstance, NULL);
  if (window.tooltip == NULL) return;
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_TOTALS_UNCOUNTED));
  tool.lpszText = const_cast<char*>("");
  SendMessageA(window.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(window.tooltip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
}

static INT_PTR OnInitDialog(HWND dialog, LPARAM windowAddress) {
  SetWindowLongPtrA(dialog, DWLP_USER, windowAddress);
  TotalsWindow& window = *WindowOf(dialog);
  char caption[kPathSize + 16];
  snprintf(caption, sizeof caption, "Totals - %s", window.sheetName.c_str());
  SetWindowTextA(dialog, caption);
  if (!ChoicesRemembered) RememberedChoices = FirstTotalsWindowChoices(TotalsDayOf(TotalsNow()));
  SetChoices(dialog, RememberedChoices);
  PrepareList(dialog, window);
  PrepareTooltip(dialog, window);
  window.ready = true;
  Refill(dialog);
  return TRUE;
}

static INT_PTR OnCommand(HWND dialog, int id, int code) {
  TotalsWindow* window = WindowOf(dialog);
  if (window == NULL) return FALSE;
  switch (id) {
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDOK:  // Enter in the rounding box: the list is already filled
      return TRUE;
    case IDC_TOTALS_COPY:
      CopyTotals(dialog, *window);
      return TRUE;
    case IDC_TOTALS_SAVE:
      SaveTotalsReport(dialog, *window);
      return TRUE;
    case IDC_TOTALS_RATES:
      if (ChangeRates(dialog, *window)) Refill(dialog);
      return TRUE;
    case IDC_TOTALS_PERIOD:
    case IDC_TOTALS_GROUP_BY:
    case IDC_TOTALS_THEN_BY:
      if (code == CBN_SELCHANGE) Refill(dialog);
      return TRUE;
    case IDC_TOTALS_ROUND:
      if (code == EN_CHANGE) Refill(dialog);
      return TRUE;
    case IDC_TOTALS_RUNNING:
      if (code == BN_CLICKED) Refill(dialog);
      return TRUE;
  }
  return FALSE;
}

static INT_PTR Answer(HWND dialog, LRESULT result) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

static INT_PTR OnNotify(HWND dialog, NMHDR* header) {
  TotalsWindow* window = WindowOf(dialog);
  if (window == NULL) return FALSE;
  if (header->code == DTN_DATETIMECHANGE) {
    Refill(dialog);
    return TRUE;
  }
  if (header->idFrom != IDC_TOTALS_LIST) return FALSE;
  switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
      TotalsListCellText(*window, header);
      return TRUE;
    case NM_CUSTOMDRAW:
      return Answer(dialog, TotalsListCustomDraw(header->hwndFrom, *window,
                                                 reinterpret_cast<NMLVCUSTOMDRAW*>(header)));
  }
  return FALSE;
}

static void OnDestroy(HWND dialog) {
  TotalsWindow* window = WindowOf(dialog);
  if (window == NULL) return;
  if (window->tooltip != NULL) DestroyWindow(window->tooltip);
  if (window->boldFont != NULL) DeleteObject(window->boldFont);
  window->tooltip = NULL;
  window->boldFont = NULL;
}

static INT_PTR CALLBACK TotalsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
      return OnNotify(dialog, reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
      ShowHelp(kHelpTotals);
      return TRUE;
    case WM_DESTROY:
      OnDestroy(dialog);
      return TRUE;
  }
  return FALSE;
}

void ShowTotalsDialog(HWND owner) {
  if (TimeSheetPath[0] == '\0') {
    ShowError("Open a time sheet first to see its totals");
    return;
  }
  TotalsWindow window;
  int read;
  try {
    read = ReadSheetForTotals(TimeSheetPath, &window.sheetBytes);
  } catch (const std::bad_alloc&) {  // a sheet of gigabytes in a 32-bit program
    ShowError("Not enough memory to show these totals.");
    return;
  }
  if (read < 0) {
    ReportUnableToRead("Time Sheet", TimeSheetPath);  // as the records editor says it, and nothing opens
    return;
  }
  window.sheetName = PathFileName(TimeSheetPath);
  window.rates = std::make_shared<const ProjectRates>(LoadRates(nullptr));
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_TOTALS), owner, TotalsDialogProc,
                  reinterpret_cast<LPARAM>(&window));
}
