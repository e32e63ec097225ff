#include "common/parse_int.h"

int32_t ParseInt(const char* text) {
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
  bool negative = false;
  if (*p == '-' || *p == '+') {
    negative = *p == '-';
    ++p;
  }
  // Out of range, the value is held at the nearest limit, as the Windows atoi
  // does: wrapping would read a typed 4294967297 as a valid 1.
  uint64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p)
    if (value <= 0xFFFFFFFFu) value = value * 10u + static_cast<uint64_t>(*p - '0');
  if (negative) return value >= 0x80000000u ? INT32_MIN : -static_cast<int32_t>(value);
  return value > 0x7FFFFFFFu ? INT32_MAX : static_cast<int32_t>(value);
}
