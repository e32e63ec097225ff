// The Totals window's amounts: money as the user's locale writes it, and the
// Rates dialog behind "&Rates...".
#include <stdio.h>
#include <stdlib.h>

#include "store/rates_file.h"
#include "store/rates_text.h"
#include "totals/rates_dialog.h"
#include "totals/totals_texts.h"
#include "totals/totals_window_win.h"

static int LocaleNumber(LCTYPE type, int fallback) {
  char text[8] = "";
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 0 ? atoi(text) : fallback;
}

// "3;0" reads 3 and "3;2;0" 32, as CURRENCYFMT wants its grouping.
static UINT Grouping() {
  char text[16] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONGROUPING, text, sizeof text) <= 0) return 3;
  UINT grouping = 0;
  bool endsInZero = false;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') continue;
    endsInZero = *p == '0' && p[1] == '\0';
    if (!endsInZero) grouping = grouping * 10 + static_cast<UINT>(*p - '0');
  }
  return endsInZero ? grouping : grouping * 10;
}

// GetCurrencyFormat with the locale's symbol, or with the code the rates
// name set a blank apart from the number ("EUR 1,234.50", "1.234,50 EUR").
static std::string MoneyText(int64_t cents, const std::string& currency) {
  std::string number = CentsText(cents);
  char out[96] = "";
  if (currency.empty())
    return GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, number.c_str(), NULL, out, sizeof out) > 0 ? out : number;
  char decimal[8] = ".", thousand[8] = ",";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONDECIMALSEP, decimal, sizeof decimal);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHOUSANDSEP, thousand, sizeof thousand);
  CURRENCYFMTA format = {};
  format.NumDigits = static_cast<UINT>(LocaleNumber(LOCALE_ICURRDIGITS, 2));
  format.LeadingZero = static_cast<UINT>(LocaleNumber(LOCALE_ILZERO, 1));
  format.Grouping = Grouping();
  format.lpDecimalSep = decimal;
  format.lpThousandSep = thousand;
  format.NegativeOrder = static_cast<UINT>(LocaleNumber(LOCALE_INEGCURR, 0));
  int order = LocaleNumber(LOCALE_ICURRENCY, 0);  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  format.PositiveOrder = static_cast<UINT>(order == 0 ? 2 : order == 1 ? 3 : order);
  format.lpCurrencySymbol = const_cast<char*>(currency.c_str());
  if (GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, number.c_str(), &format, out, sizeof out) > 0) return out;
  return currency + " " + number;
}

void TotalsListCell(const TotalsWindow& window, size_t row, int column, char* out, size_t size) {
  const TotalsResult& result = window.result;
  if (size == 0) return;
  if (!TotalsColumnIsAmount(window.choice, result.amounts, column) || row >= result.rows.size())
    return TotalsCellText(result, window.choice, row, column, out, size);
  const TotalsAmount& amount = result.rows[row].amount;
  snprintf(out, size, "%s", amount.Known() ? MoneyText(amount.cents, result.currency).c_str() : "");
}

std::string TotalsWindowSummary(const TotalsWindow& window) {
  const TotalsResult& result = window.result;
  if (!result.amounts) return TotalsSummaryText(result);
  return TotalsSummaryWithAmount(result, MoneyText(result.amount.cents, result.currency));
}

bool ChangeRates(HWND dialog, TotalsWindow& window) {
  // The projects of the shown period, whatever the grouping, largest first.
  TotalsChoice byProject = window.choice;
  byProject.by = {kTotalsProject};
  byProject.rates = nullptr;
  TotalsResult projects = ComputeTotals(SheetsOf(window), byProject);
  std::vector<std::string> names;
  for (const TotalsRow& row : projects.rows)
    if (!row.keys[0].empty()) names.push_back(row.keys[0]);
  if (!ShowRatesDialog(dialog, names)) return false;
  window.rates = std::make_shared<const ProjectRates>(LoadRates(nullptr));
  return true;
}
