// The export date checks against a naive reading of their rules.
#include "export/export_dates.h"
#include "fuzz/fuzz_input.h"

static ExportDateFault Expected(const ExportDateFields& f, int64_t* seconds) {
  if (f.month < 1 || f.month > 12) return kExportBadMonth;
  if (f.day < 1 || f.day > 31) return kExportBadDay;
  if (f.year < 0 || f.year > 9999) return kExportBadYear;
  if (f.hour < 0 || f.hour > 24) return kExportBadHour;
  if (f.minute < 0 || f.minute > 59) return kExportBadMinute;
  int32_t year = f.year >= 100 ? f.year : f.year >= 90 ? 1900 + f.year : 2000 + f.year;
  if (year < 1601 || f.hour > 23 || !NaiveIsDate(year, f.month, f.day)) return kExportBadTime;
  *seconds = NaiveFileSeconds(year, f.month, f.day, f.hour, f.minute, 0);
  return kExportDateGood;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  ExportDateFields f = input.Take<ExportDateFields>();
  // Mostly small values, as typed dates are.
  uint8_t fold = input.Take<uint8_t>();
  int32_t* fields[] = {&f.month, &f.day, &f.year, &f.hour, &f.minute};
  for (int i = 0; i < 5; ++i)
    if (fold & (1 << i)) *fields[i] = (*fields[i] % 10050 + 10050) % 10050 - 20;
  int64_t expectedSeconds = -7, seconds = -7;
  ExportDateFault expected = Expected(f, &expectedSeconds);
  FUZZ_CHECK(CheckExportDate(f, &seconds) == expected);
  FUZZ_CHECK(seconds == expectedSeconds);
  for (bool stop : {false, true}) FUZZ_CHECK((ExportDateMessage(expected, stop)[0] != '\0') == (expected != kExportDateGood));
  return 0;
}
