// The time record form's reading and checking of its thirteen fields.
#pragma once
#include <stdint.h>
#include "store/time_record.h"

// The form's fields as typed.
struct RecordFormTexts {
  const char* task;
  const char* project;
  const char* classification;
  const char* startMonth;
  const char* startDay;
  const char* startYear;
  const char* startHour;
  const char* startMinute;
  const char* stopMonth;
  const char* stopDay;
  const char* stopYear;
  const char* stopHour;
  const char* stopMinute;
};

// The checks in the order they run; the first that fails is the answer.
enum RecordFormStep {
  kFormGood = 0,
  kFormMissingTask,
  kFormMissingProject,
  kFormMissingClass,
  kFormBadStartMonth,
  kFormBadStartDay,
  kFormBadStartYear,
  kFormBadStartHour,
  kFormBadStartMinute,
  kFormBadStopMonth,
  kFormBadStopDay,
  kFormBadStopYear,
  kFormBadStopHour,
  kFormBadStopMinute,
  kFormBadStartTime,
  kFormBadStopTime,
  kFormStartNotBeforeStop,
};

// A number field as the form reads it: its first 63 characters through
// ParseInt, the low 16 bits taken as unsigned.
uint16_t FormNumber(const char* text);

// Two-digit years: 90-99 are 1990-1999, 0-89 are 2000-2089.
uint16_t WidenFormYear(uint16_t year);

// On kFormGood sets the members the form owns in *record (texts, times,
// stamps, elapsed time) and keeps the others; otherwise leaves it alone.
RecordFormStep ReadTimeRecordForm(const RecordFormTexts& texts, TimeRecord* record);

const char* RecordFormMessage(RecordFormStep step);
