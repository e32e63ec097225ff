#include "totals/totals_texts.h"

#include <stdio.h>

#include "report/totals_text.h"

static const char* const kKeyHeaders[] = {"Project", "Task", "Classification", "Day",   "Week",
                                          "Month",   "Year", "Sheet",          "Record"};
static const char* const kValueHeaders[] = {"Hours", "Decimal", "Records", "Amount", "Share"};
enum { kAmountColumn = 3 };

static int KeyColumns(const TotalsChoice& choice) { return static_cast<int>(choice.by.size()); }
static int ValueColumns(bool amounts) { return amounts ? 5 : 4; }

// The value column's place in kValueHeaders: without amounts, Share moves up one.
static int ValueIndex(const TotalsChoice& choice, bool amounts, int column) {
  int value = column - KeyColumns(choice);
  if (value < 0 || value >= ValueColumns(amounts)) return -1;
  return !amounts && value >= kAmountColumn ? value + 1 : value;
}

int TotalsColumnCount(const TotalsChoice& choice, bool amounts) {
  return KeyColumns(choice) + ValueColumns(amounts);
}

const char* TotalsColumnHeader(const TotalsChoice& choice, bool amounts, int column) {
  int keys = KeyColumns(choice);
  if (column < 0 || column >= TotalsColumnCount(choice, amounts)) return "";
  if (column >= keys) return kValueHeaders[ValueIndex(choice, amounts, column)];
  int key = static_cast<int>(choice.by[static_cast<size_t>(column)]);
  return key >= 0 && key < static_cast<int>(sizeof kKeyHeaders / sizeof kKeyHeaders[0])
             ? kKeyHeaders[key]
             : "";
}

bool TotalsColumnIsShare(const TotalsChoice& choice, bool amounts, int column) {
  return column == TotalsColumnCount(choice, amounts) - 1;
}

bool TotalsColumnIsAmount(const TotalsChoice& choice, bool amounts, int column) {
  return amounts && ValueIndex(choice, amounts, column) == kAmountColumn;
}

double TotalsShare(const TotalsResult& result, size_t row) {
  if (row >= result.rows.size() || result.seconds <= 0) return 0;
  double share =
      static_cast<double>(result.rows[row].seconds) / static_cast<double>(result.seconds);
  return share < 0 ? 0 : share > 1 ? 1 : share;
}

bool TotalsRowIsSubtotal(const TotalsResult& result, const TotalsChoice& choice, size_t row) {
  return row < result.rows.size() && result.rows[row].level + 1 < KeyColumns(choice);
}

static void KeyCell(const TotalsResult& result, const TotalsChoice& choice, size_t row, int column,
                    char* out, size_t size) {
  const TotalsRow& shown = result.rows[row];
  if (column != shown.level || static_cast<size_t>(column) >= shown.keys.size()) return;
  bool finest = column + 1 == KeyColumns(choice);
  snprintf(out, size, "%s%s", shown.keys[static_cast<size_t>(column)].c_str(),
           finest && shown.running ? " (running)" : "");
}

void TotalsCellText(const TotalsResult& result, const TotalsChoice& choice, size_t row, int column,
                    char* out, size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  if (row >= result.rows.size() || column < 0) return;
  int keys = KeyColumns(choice);
  if (column < keys) return KeyCell(result, choice, row, column, out, size);
  const TotalsRow& shown = result.rows[row];
  switch (ValueIndex(choice, result.amounts, column)) {
    case 0:
      snprintf(out, size, "%s", HmmText(shown.seconds).c_str());
      break;
    case 1:
      snprintf(out, size, "%s", HoursText(shown.seconds).c_str());
      break;
    case 2:
      snprintf(out, size, "%d", shown.records);
      break;
    case kAmountColumn:
      snprintf(out, size, "%s", AmountCell(shown.amount).c_str());
      break;
    case kAmountColumn + 1:
      snprintf(out, size, "%.0f%%", TotalsShare(result, row) * 100);
      break;
  }
}

static const char* Records(int count) { return count == 1 ? "record" : "records"; }

std::string TotalsSummaryText(const TotalsResult& result) {
  char text[160];
  snprintf(text, sizeof text, "Total: %s (%s hours) in %d %s", HmmText(result.seconds).c_str(),
           HoursText(result.seconds).c_str(), result.records, Records(result.records));
  return text;
}

std::string UncountedText(const TotalsResult& result) {
  char text[200] = "";
  size_t used = 0;
  auto add = [&](int count, const char* one, const char* many) {
    if (count <= 0 || used >= sizeof text) return;
    int n = snprintf(text + used, sizeof text - used, "%s%d %s", used ? "; " : "", count,
                     count == 1 ? one : many);
    if (n > 0) used += static_cast<size_t>(n);
  };
  add(result.uncounted, "record could not be counted", "records could not be counted");
  add(result.overlaps, "overlap between records", "overlaps between records");
  add(result.longRecords, "record spans more than 366 days", "records span more than 366 days");
  return text;
}

std::string UncountedReasons(const TotalsResult& result, size_t lines) {
  std::string reasons;
  for (size_t i = 0; i < result.warnings.size() && i < lines; ++i) {
    if (!reasons.empty()) reasons += "\r\n";
    reasons += result.warnings[i];
  }
  if (result.warnings.size() > lines) reasons += "\r\n...";
  return reasons;
}

std::string TotalsSummaryWithAmount(const TotalsResult& result, const std::string& money) {
  std::string text = TotalsSummaryText(result) + ", " + money;
  return result.amount.unrated ? text + " " + kSomeUnrated : text;
}
