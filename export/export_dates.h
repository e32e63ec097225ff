// The checks of the five typed fields of an export date limit.
#pragma once
#include <stdint.h>

// The fields as ParseInt read them: month, day, year, hour (0-24), minute.
struct ExportDateFields {
  int32_t month;
  int32_t day;
  int32_t year;
  int32_t hour;
  int32_t minute;
};

// The first check that failed, in the order the fields are checked; the last
// one is a date that passes them all but is not in the calendar.
enum ExportDateFault {
  kExportDateGood = 0,
  kExportBadMonth,
  kExportBadDay,
  kExportBadYear,
  kExportBadHour,
  kExportBadMinute,
  kExportBadTime,
};

// Two-digit years: 90-99 are 1990-1999, 0-89 are 2000-2089.
int32_t WidenExportYear(int32_t year);

// On kExportDateGood sets *limit to the date's FileSeconds; otherwise leaves
// it alone.
ExportDateFault CheckExportDate(const ExportDateFields& fields, int64_t* limit);

// The message for a fault of the start limit or of the stop limit.
const char* ExportDateMessage(ExportDateFault fault, bool stopLimit);
