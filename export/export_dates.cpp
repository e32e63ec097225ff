#include "export/export_dates.h"

#include "store/file_seconds.h"

int32_t WidenExportYear(int32_t year) { return WidenTwoDigitYear(year, 90); }

ExportDateFault CheckExportDate(const ExportDateFields& fields, int64_t* limit) {
  if (fields.month < 1 || fields.month > 12) return kExportBadMonth;
  if (fields.day < 1 || fields.day > 31) return kExportBadDay;
  if (fields.year < 0 || fields.year > 9999) return kExportBadYear;
  if (fields.hour < 0 || fields.hour > 24) return kExportBadHour;
  if (fields.minute < 0 || fields.minute > 59) return kExportBadMinute;

  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(WidenExportYear(fields.year));
  time.wMonth = static_cast<WORD>(fields.month);
  time.wDay = static_cast<WORD>(fields.day);
  time.wHour = static_cast<WORD>(fields.hour);
  time.wMinute = static_cast<WORD>(fields.minute);
  // Hour 24, 31 April, 29 February of a common year and years before 1601
  // pass the field checks but name no moment; exporting with a made-up limit
  // (or none) would hand the user the wrong records.
  int64_t seconds = 0;
  if (!ToFileSeconds(time, &seconds)) return kExportBadTime;
  *limit = seconds;
  return kExportDateGood;
}

const char* ExportDateMessage(ExportDateFault fault, bool stopLimit) {
  static const char* const kStart[] = {
      "",
      "Bad Start Date: Month",
      "Bad Start Date: Day of the Month",
      "Bad Start Date: YEAR",
      "Bad Start Time: Hour",
      "Bad Start Time: Minute",
      "Bad Start Time Entered",
  };
  static const char* const kStop[] = {
      "",
      "Bad Stop Date: Month",
      "Bad Stop Date: Day of the Month",
      "Bad Stop Date: YEAR",
      "Bad Stop Time: Hour",
      "Bad Stop Time: Minute",
      "Bad Stop Time Entered",
  };
  if (fault < kExportDateGood || fault > kExportBadTime) return "";
  return stopLimit ? kStop[fault] : kStart[fault];
}
