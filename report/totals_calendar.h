// Day numbers for the totals: days since 1601-01-01, counted with our own
// calendar so that no platform's idea of time zones or ranges gets in.
#pragma once
#include <stdint.h>

#include "report/totals.h"

enum { kSecondsPerDay = 86400 };

int64_t DayNumberOf(const TotalsDate& date);  // may be negative before 1601
TotalsDate DateOfDayNumber(int64_t day);
int64_t DayNumberHolding(int64_t seconds);  // floor, also before 1601
// The first day of the week that holds `day`: Monday, or Sunday.
int64_t WeekStartDay(int64_t day, bool sundayFirst);
// The first second of 10000-01-01: the end of the years a record may use.
int64_t EndOfYear9999();
