#include "report/totals_calendar.h"

#include <stdio.h>

#include <algorithm>

// Days since 1970-01-01 in the proleptic Gregorian calendar (the classic
// days-from-civil), shifted to 1601-01-01 below.
static int64_t DaysFrom1970(int64_t year, int month, int day) {
  year -= month <= 2;
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t yearOfEra = year - era * 400;
  int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

static const int64_t k1601From1970 = -134774;

int64_t DayNumberOf(const TotalsDate& date) {
  return DaysFrom1970(date.year, date.month, date.day) - k1601From1970;
}

TotalsDate DateOfDayNumber(int64_t day) {
  int64_t z = day + k1601From1970 + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t dayOfEra = z - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t mp = (5 * dayOfYear + 2) / 153;
  TotalsDate date;
  date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2));
  return date;
}

int64_t DayNumberHolding(int64_t seconds) {
  int64_t day = seconds / kSecondsPerDay;
  return seconds % kSecondsPerDay < 0 ? day - 1 : day;
}

// 1601-01-01 was a Monday.
int64_t WeekStartDay(int64_t day, bool sundayFirst) {
  int64_t shifted = sundayFirst ? day + 1 : day;
  int64_t offset = shifted % 7;
  if (offset < 0) offset += 7;
  return day - offset;
}

int64_t EndOfYear9999() {
  static const TotalsDate kYear10000 = {10000, 1, 1};
  return DayNumberOf(kYear10000) * kSecondsPerDay;
}

int64_t TotalsDaySeconds(const TotalsDate& date) { return DayNumberOf(date) * kSecondsPerDay; }

TotalsDate TotalsDayOf(int64_t seconds) { return DateOfDayNumber(DayNumberHolding(seconds)); }

std::string TotalsDateText(const TotalsDate& date) {
  char text[40];
  snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::string TotalsTimeText(int64_t seconds) {
  int64_t day = DayNumberHolding(seconds);
  int64_t inDay = seconds - day * kSecondsPerDay;
  TotalsDate date = DateOfDayNumber(day);
  char text[64];
  snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date.year, date.month, date.day,
           static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60),
           static_cast<int>(inDay % 60));
  return text;
}

// Exactly `count` decimal digits at `text`.
static bool ReadDigits(const char* text, int count, int* value) {
  int result = 0;
  for (int i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    result = result * 10 + (text[i] - '0');
  }
  *value = result;
  return true;
}

static bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

static bool ReadDate(const char* text, TotalsDate* date) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  TotalsDate read;
  if (!ReadDigits(text, 4, &read.year) || text[4] != '-' || !ReadDigits(text + 5, 2, &read.month) ||
      text[7] != '-' || !ReadDigits(text + 8, 2, &read.day))
    return false;
  if (read.year < 1601 || read.month < 1 || read.month > 12 || read.day < 1) return false;
  int last = read.month == 2 && IsLeap(read.year) ? 29 : kDays[read.month - 1];
  if (read.day > last) return false;
  *date = read;
  return true;
}

bool ParseTotalsDate(const char* text, TotalsDate* date) {
  TotalsDate read;
  if (!ReadDate(text, &read) || text[10] != '\0') return false;
  *date = read;
  return true;
}

bool ParseTotalsNow(const char* text, int64_t* seconds) {
  TotalsDate date;
  int hour, minute, second;
  if (!ReadDate(text, &date) || (text[10] != 'T' && text[10] != ' ')) return false;
  if (!ReadDigits(text + 11, 2, &hour) || text[13] != ':' || !ReadDigits(text + 14, 2, &minute) ||
      text[16] != ':' || !ReadDigits(text + 17, 2, &second) || text[19] != '\0')
    return false;
  if (hour > 23 || minute > 59 || second > 59) return false;
  *seconds = TotalsDaySeconds(date) + hour * 3600 + minute * 60 + second;
  return true;
}

static TotalsDate MonthStart(int year, int month) {
  if (month < 1) {
    month += 12;
    --year;
  } else if (month > 12) {
    month -= 12;
    ++year;
  }
  TotalsDate date = {year, month, 1};
  return date;
}

TotalsRange ResolveTotalsPeriod(const TotalsChoice& choice) {
  TotalsRange range = {true, true, {}, {}};
  int64_t today = DayNumberHolding(choice.now);
  TotalsDate now = DateOfDayNumber(today);
  int64_t first = today, last = today;
  switch (choice.period) {
    case kPeriodToday:
      break;
    case kPeriodYesterday:
      first = last = today - 1;
      break;
    case kPeriodWeek:
    case kPeriodLastWeek:
      first = WeekStartDay(today, choice.weekStartsSunday);
      if (choice.period == kPeriodLastWeek) first -= 7;
      last = first + 6;
      break;
    case kPeriodMonth:
    case kPeriodLastMonth: {
      int back = choice.period == kPeriodLastMonth ? 1 : 0;
      first = DayNumberOf(MonthStart(now.year, now.month - back));
      last = DayNumberOf(MonthStart(now.year, now.month - back + 1)) - 1;
      break;
    }
    case kPeriodQuarter:
    case kPeriodLastQuarter: {
      int month = (now.month - 1) / 3 * 3 + 1 - (choice.period == kPeriodLastQuarter ? 3 : 0);
      first = DayNumberOf(MonthStart(now.year, month));
      last = DayNumberOf(MonthStart(now.year, month + 3)) - 1;
      break;
    }
    case kPeriodYear:
    case kPeriodLastYear: {
      int year = choice.period == kPeriodLastYear ? now.year - 1 : now.year;
      first = DayNumberOf(MonthStart(year, 1));
      last = DayNumberOf(MonthStart(year + 1, 1)) - 1;
      break;
    }
    case kPeriodAll:
      range.hasFrom = range.hasTo = false;
      return range;
    case kPeriodDates:
      range.hasFrom = choice.hasFrom;
      range.hasTo = choice.hasTo;
      range.from = choice.from;
      range.to = choice.to;
      return range;
  }
  // A week around 9999-12-31 would end in the year 10000, which no record
  // or date text holds.
  static const int64_t lastDay = DayNumberOf(TotalsDate{9999, 12, 31});
  range.from = DateOfDayNumber(std::min(std::max<int64_t>(first, 0), lastDay));
  range.to = DateOfDayNumber(std::min(std::max<int64_t>(last, 0), lastDay));
  return range;
}

bool TotalsFromAfterTo(const TotalsChoice& choice) {
  return choice.period == kPeriodDates && choice.hasFrom && choice.hasTo &&
         DayNumberOf(choice.from) > DayNumberOf(choice.to);
}
