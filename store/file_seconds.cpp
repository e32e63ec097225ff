#include "store/file_seconds.h"

static bool IsLeapYear(unsigned year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

static unsigned DaysInMonth(unsigned year, unsigned month) {
  static const unsigned char kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The platform's own conversion is not trusted for this: some accept 29
// February in any year and years past 30827.
bool IsCalendarTime(const SYSTEMTIME& time) {
  if (time.wYear < 1601 || time.wYear > 30827) return false;
  if (time.wMonth < 1 || time.wMonth > 12) return false;
  if (time.wDay < 1 || time.wDay > DaysInMonth(time.wYear, time.wMonth)) return false;
  return time.wHour <= 23 && time.wMinute <= 59 && time.wSecond <= 59 &&
         time.wMilliseconds <= 999;
}

// Days from 1601-01-01 to the given date. 1601 starts a 400-year cycle, so
// whole cycles, centuries and four-year groups can be counted off directly.
static int64_t DaysSince1601(unsigned year, unsigned month, unsigned day) {
  int64_t years = static_cast<int64_t>(year) - 1601;
  int64_t days = years * 365 + years / 4 - years / 100 + years / 400;
  for (unsigned m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + (day - 1);
}

bool ToFileSeconds(const SYSTEMTIME& time, int64_t* seconds) {
  if (!IsCalendarTime(time)) return false;
  int64_t days = DaysSince1601(time.wYear, time.wMonth, time.wDay);
  *seconds = days * 86400 + time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
  return true;
}

int32_t WidenTwoDigitYear(int32_t year, int32_t pivot) {
  if (year < 0 || year >= 100) return year;
  return year >= pivot ? 1900 + year : 2000 + year;
}
