// What the Totals window's controls choose, and the core's choice made of it.
#pragma once
#include <stdint.h>

#include "report/totals.h"

enum { kTotalsPeriods = 12, kTotalsGroupKeys = 6, kMaxRoundMinutes = 1440 };

// The combo boxes' texts, in their order; the last period is Between dates.
extern const char* const kTotalsPeriodNames[kTotalsPeriods];
extern const char* const kTotalsGroupNames[kTotalsGroupKeys];
extern const char kTotalsNoThenBy[];

struct TotalsWindowChoices {
  int period;  // index into kTotalsPeriodNames
  TotalsDate from, to;
  int groupBy;       // index into kTotalsGroupNames
  int thenBy;        // 0 for none, else 1 + index into kTotalsGroupNames
  int roundMinutes;  // 0: exact
  bool countRunning;
};

// This week by Project, counting the running task; both dates today.
TotalsWindowChoices FirstTotalsWindowChoices(TotalsDate today);
// An index out of range counts as the first entry of its combo; "then by"
// the same key as "group by" is one level.
TotalsChoice MakeTotalsChoice(const TotalsWindowChoices& choices, int64_t now,
                              bool weekStartsSunday);
// The rounding box's text: empty or 0 is exact, more than a day is a day,
// anything after the digits is ignored.
int ParseRoundMinutes(const char* text);
