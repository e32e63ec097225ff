// Whole seconds since 1601-01-01 00:00 for a local calendar date and time.
#pragma once
#include <stdint.h>
#include "store/win_types.h"

// True for a date and time that exists in the Gregorian calendar, years 1601
// to 30827; the day of week is not looked at.
bool IsCalendarTime(const SYSTEMTIME& time);

// Sets *seconds (milliseconds dropped) and returns true; returns false and
// leaves *seconds alone when the time is not in the calendar.
bool ToFileSeconds(const SYSTEMTIME& time, int64_t* seconds);

// A typed year below 100 as a full one: `pivot` to 99 are 19xx, 0 up to the
// pivot 20xx. Other years, negative ones included, stay as they are.
int32_t WidenTwoDigitYear(int32_t year, int32_t pivot);
