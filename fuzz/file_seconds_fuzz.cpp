// FileSeconds and the calendar check against days_from_civil.
#include "fuzz/fuzz_input.h"
#include "store/file_seconds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  SYSTEMTIME t = input.Take<SYSTEMTIME>();
  // Half the inputs are folded into range so that valid dates are common.
  if (input.Take<uint8_t>() & 1) {
    t.wYear = static_cast<WORD>(1590 + t.wYear % 29260);
    t.wMonth = static_cast<WORD>(t.wMonth % 14);
    t.wDay = static_cast<WORD>(t.wDay % 33);
    t.wHour = static_cast<WORD>(t.wHour % 25);
    t.wMinute = static_cast<WORD>(t.wMinute % 61);
    t.wSecond = static_cast<WORD>(t.wSecond % 61);
    t.wMilliseconds = static_cast<WORD>(t.wMilliseconds % 1001);
  }
  bool expected = t.wYear >= 1601 && t.wYear <= 30827 && NaiveIsDate(t.wYear, t.wMonth, t.wDay) &&
                  t.wHour <= 23 && t.wMinute <= 59 && t.wSecond <= 59 && t.wMilliseconds <= 999;
  FUZZ_CHECK(IsCalendarTime(t) == expected);
  int64_t seconds = -12345;
  FUZZ_CHECK(ToFileSeconds(t, &seconds) == expected);
  if (expected)
    FUZZ_CHECK(seconds == NaiveFileSeconds(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond));
  else
    FUZZ_CHECK(seconds == -12345);
  return 0;
}
