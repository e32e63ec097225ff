#include "totals/totals_choices.h"

const char* const kTotalsPeriodNames[kTotalsPeriods] = {
    "Today",        "Yesterday",    "This week", "Last week", "This month",  "Last month",
    "This quarter", "Last quarter", "This year", "Last year", "All records", "Between dates"};
const char* const kTotalsGroupNames[kTotalsGroupKeys] = {"Project", "Task", "Classification",
                                                         "Day",     "Week", "Month"};
const char kTotalsNoThenBy[] = "(none)";

static const TotalsPeriod kPeriods[kTotalsPeriods] = {
    kPeriodToday,   kPeriodYesterday,   kPeriodWeek, kPeriodLastWeek, kPeriodMonth, kPeriodLastMonth,
    kPeriodQuarter, kPeriodLastQuarter, kPeriodYear, kPeriodLastYear, kPeriodAll,   kPeriodDates};
static const TotalsKey kKeys[kTotalsGroupKeys] = {
    kTotalsProject, kTotalsTask, kTotalsClassification, kTotalsDay, kTotalsWeek, kTotalsMonth};

TotalsWindowChoices FirstTotalsWindowChoices(TotalsDate today) {
  TotalsWindowChoices choices;
  choices.period = 2;  // This week
  choices.from = today;
  choices.to = today;
  choices.groupBy = 0;  // Project
  choices.thenBy = 0;
  choices.roundMinutes = 0;
  choices.countRunning = true;
  return choices;
}

static int InRange(int index, int count) { return index >= 0 && index < count ? index : 0; }

TotalsChoice MakeTotalsChoice(const TotalsWindowChoices& choices, int64_t now,
                              bool weekStartsSunday) {
  TotalsChoice choice;
  choice.period = kPeriods[InRange(choices.period, kTotalsPeriods)];
  if (choice.period == kPeriodDates) {
    choice.hasFrom = choice.hasTo = true;
    choice.from = choices.from;
    choice.to = choices.to;
  }
  TotalsKey first = kKeys[InRange(choices.groupBy, kTotalsGroupKeys)];
  choice.by = {first};
  int then = choices.thenBy - 1;
  if (then >= 0 && then < kTotalsGroupKeys && kKeys[then] != first)
    choice.by.push_back(kKeys[then]);
  choice.weekStartsSunday = weekStartsSunday;
  choice.roundMinutes = choices.roundMinutes;
  choice.closedOnly = !choices.countRunning;
  choice.now = now;
  return choice;
}

int ParseRoundMinutes(const char* text) {
  int minutes = 0;
  for (const char* c = text; *c >= '0' && *c <= '9'; ++c) {
    minutes = minutes * 10 + (*c - '0');
    if (minutes > kMaxRoundMinutes) return kMaxRoundMinutes;
  }
  return minutes;
}
