#include "editors/purge_date.h"

#include "editors/record_form.h"
#include "store/file_seconds.h"

uint16_t WidenPurgeYear(uint16_t year) { return static_cast<uint16_t>(WidenTwoDigitYear(year, 80)); }

PurgeDate CheckPurgeDate(const char* monthText, const char* dayText, const char* yearText) {
  PurgeDate result = {{NULL, NULL, NULL}, 0, false, 0, 0, 0, 0};
  SYSTEMTIME date = {};
  date.wDay = FormNumber(dayText);
  if (date.wDay < 1 || date.wDay > 31) result.messages[result.messageCount++] = "Bad Day of the Month Entered";
  date.wMonth = FormNumber(monthText);
  if (date.wMonth < 1 || date.wMonth > 12) result.messages[result.messageCount++] = "Bad Month Entered";
  date.wYear = WidenPurgeYear(FormNumber(yearText));
  if (!ToFileSeconds(date, &result.cutoff)) {
    result.messages[result.messageCount++] = "Bad Time Entered";
    return result;
  }
  result.good = true;
  result.month = date.wMonth;
  result.day = date.wDay;
  result.year = date.wYear;
  return result;
}
