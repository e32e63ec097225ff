// The few Win32 types the pure code shares, without pulling in <windows.h>.
#pragma once
#include <stdint.h>

#ifdef _WIN32
#include <windef.h>
#include <minwinbase.h>
#else
typedef uint16_t WORD;
typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME;
#endif

static_assert(sizeof(SYSTEMTIME) == 16, "SYSTEMTIME is eight 16-bit values");
