#include "store/stamp_text.h"

#include <stdio.h>

static void TwoDigits(unsigned long value, char (&out)[16]) {
  snprintf(out, sizeof out, value > 9 ? "%lu" : "0%lu", value);
}

size_t StampText(const SYSTEMTIME& time, char* out, size_t outSize) {
  unsigned long hour = time.wHour;
  // Noon to 12:59 is afternoon: printing it as "am" would read as just after midnight.
  const char* half = hour >= 12 ? "pm" : "am";
  if (hour > 12) hour -= 12;
  char minute[16], second[16];
  TwoDigits(time.wMinute, minute);
  TwoDigits(time.wSecond, second);
  int n = snprintf(out, outSize, "%lu:%s:%s %s %lu/%lu/%lu", hour, minute, second, half,
                   static_cast<unsigned long>(time.wMonth), static_cast<unsigned long>(time.wDay),
                   static_cast<unsigned long>(time.wYear));
  if (n < 0) return 0;
  return static_cast<size_t>(n) < outSize ? static_cast<size_t>(n) : outSize - 1;
}
