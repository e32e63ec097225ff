// The Totals window's state and the pieces its dialog procedure delegates to.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "report/totals.h"
#include "totals/totals_choices.h"

struct TotalsWindow {
  std::vector<unsigned char> sheetBytes;  // read once, when the window opens
  std::string sheetName;                  // the sheet's file name
  TotalsChoice choice;
  TotalsResult result = TotalsResult();  // what the list shows, for `choice`
  int columns = 0;        // columns the list has now
  HFONT boldFont = NULL;  // subtotal rows
  HWND tooltip = NULL;    // the reasons behind "could not be counted"
  std::string tip;        // its text
  bool ready = false;     // false while the controls are being set up
  std::shared_ptr<const ProjectRates> rates;  // of the options file
};

// The local time now, as FileSeconds: LocalNowSeconds, or a test's clock.
extern int64_t (*TotalsNow)();

// 1 read (a missing file reads as an empty sheet), -1 cannot be read.
int ReadSheetForTotals(const char* path, std::vector<unsigned char>* bytes);
std::vector<TotalsSheet> SheetsOf(const TotalsWindow& window);

// The list: columns for the choice, rows asked for as they are drawn.
void ShowTotalsRows(HWND list, TotalsWindow& window);
LRESULT TotalsListCustomDraw(HWND list, const TotalsWindow& window, NMLVCUSTOMDRAW* draw);
void TotalsListCellText(const TotalsWindow& window, NMHDR* header);

// A cell as the list shows it: amounts as the user's locale writes money.
void TotalsListCell(const TotalsWindow& window, size_t row, int column, char* out, size_t size);
// "Total: ..." with the amount when the totals have one.
std::string TotalsWindowSummary(const TotalsWindow& window);
// "&Rates...": the Rates dialog for the projects of the shown period; true
// when new rates were written and read back.
bool ChangeRates(HWND dialog, TotalsWindow& window);

// "&Copy" and "&Save Report...".
void CopyTotals(HWND dialog, const TotalsWindow& window);
void SaveTotalsReport(HWND dialog, const TotalsWindow& window);
