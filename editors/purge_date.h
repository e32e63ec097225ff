// The date typed into the records editor's purge box and the cutoff it gives.
#pragma once
#include <stdint.h>

// Two-digit years: 80-99 are 1980-1999, 0-79 are 2000-2079.
uint16_t WidenPurgeYear(uint16_t year);

// What the purge box tells the user, in order, and the cutoff when the date
// is good. Every message is shown: a bad day does not stop the month check.
struct PurgeDate {
  const char* messages[3];
  int messageCount;
  bool good;
  int64_t cutoff;  // midnight at the start of the day, in FileSeconds
  uint16_t month, day, year;  // the date, the year widened
};

PurgeDate CheckPurgeDate(const char* monthText, const char* dayText, const char* yearText);
