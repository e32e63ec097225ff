#include <string.h>

#include "report/totals.h"

// The option texts, in the order of their enums.
static const char* const kKeyNames[] = {"project", "task", "classification", "day",   "week",
                                        "month",   "year", "sheet",          "record"};
static const char* const kPeriodNames[] = {
    "today",   "yesterday",   "week", "lastweek", "month", "lastmonth",
    "quarter", "lastquarter", "year", "lastyear", "all"};
static const char* const kFormatNames[] = {"table", "csv", "tsv", "json", "html"};

template <size_t N>
static int IndexOf(const char* const (&names)[N], const char* name) {
  for (size_t i = 0; i < N; ++i)
    if (strcmp(names[i], name) == 0) return static_cast<int>(i);
  return -1;
}

bool ParseTotalsKey(const char* name, TotalsKey* key) {
  int index = IndexOf(kKeyNames, name);
  if (index < 0) return false;
  *key = static_cast<TotalsKey>(index);
  return true;
}

const char* TotalsKeyName(TotalsKey key) {
  unsigned index = static_cast<unsigned>(key);
  return index < sizeof kKeyNames / sizeof kKeyNames[0] ? kKeyNames[index] : "";
}

bool ParseTotalsPeriod(const char* name, TotalsPeriod* period) {
  int index = IndexOf(kPeriodNames, name);
  if (index < 0) return false;
  *period = static_cast<TotalsPeriod>(index);
  return true;
}

bool ParseTotalsFormat(const char* name, TotalsFormat* format) {
  int index = IndexOf(kFormatNames, name);
  if (index < 0) return false;
  *format = static_cast<TotalsFormat>(index);
  return true;
}
