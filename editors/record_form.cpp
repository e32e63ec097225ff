#include "editors/record_form.h"

#include <stdio.h>

#include "common/elapsed_time.h"
#include "common/parse_int.h"
#include "store/description_text.h"
#include "store/file_seconds.h"

uint16_t FormNumber(const char* text) {
  // The window hands over at most 63 characters; the same cut here keeps a
  // long typed number reading the same whichever way it arrives.
  char field[64];
  snprintf(field, sizeof field, "%s", text != NULL ? text : "");
  return static_cast<uint16_t>(static_cast<uint32_t>(ParseInt(field)) & 0xFFFFu);
}

uint16_t WidenFormYear(uint16_t year) { return static_cast<uint16_t>(WidenTwoDigitYear(year, 90)); }

static bool Filled(const char* text) { return text != NULL && text[0] != '\0'; }

// The numbers of one date and time; the bounds are the form's own.
struct DateFields {
  uint16_t month, day, year, hour, minute;
};

static DateFields ReadDate(const char* month, const char* day, const char* year,
                           const char* hour, const char* minute) {
  return DateFields{FormNumber(month), FormNumber(day), FormNumber(year), FormNumber(hour),
                    FormNumber(minute)};
}

// The first field out of bounds, counted from `firstStep`; kFormGood if none.
static RecordFormStep CheckDate(const DateFields& date, int firstStep) {
  if (date.month < 1 || date.month > 12) return static_cast<RecordFormStep>(firstStep);
  if (date.day < 1 || date.day > 31) return static_cast<RecordFormStep>(firstStep + 1);
  if (date.year > 9999) return static_cast<RecordFormStep>(firstStep + 2);
  // 24 passes here on purpose and fails the conversion.
  if (date.hour > 24) return static_cast<RecordFormStep>(firstStep + 3);
  if (date.minute > 59) return static_cast<RecordFormStep>(firstStep + 4);
  return kFormGood;
}

// 1601-01-01 was a Monday.
static WORD DayOfWeek(int64_t seconds) { return static_cast<WORD>((seconds / 86400 + 1) % 7); }

static bool ToTime(const DateFields& date, SYSTEMTIME* time, int64_t* seconds) {
  SYSTEMTIME t = {};
  t.wYear = WidenFormYear(date.year);
  t.wMonth = date.month;
  t.wDay = date.day;
  t.wHour = date.hour;
  t.wMinute = date.minute;
  if (!ToFileSeconds(t, seconds)) return false;
  t.wDayOfWeek = DayOfWeek(*seconds);
  *time = t;
  return true;
}

RecordFormStep ReadTimeRecordForm(const RecordFormTexts& texts, TimeRecord* record) {
  if (!Filled(texts.task)) return kFormMissingTask;
  if (!Filled(texts.project)) return kFormMissingProject;
  if (!Filled(texts.classification)) return kFormMissingClass;
  DateFields start = ReadDate(texts.startMonth, texts.startDay, texts.startYear, texts.startHour,
                              texts.startMinute);
  RecordFormStep step = CheckDate(start, kFormBadStartMonth);
  if (step != kFormGood) return step;
  DateFields stop = ReadDate(texts.stopMonth, texts.stopDay, texts.stopYear, texts.stopHour,
                             texts.stopMinute);
  step = CheckDate(stop, kFormBadStopMonth);
  if (step != kFormGood) return step;

  TimeRecord built = *record;
  if (!ToTime(start, &built.startTime, &built.startSeconds)) return kFormBadStartTime;
  if (!ToTime(stop, &built.stopTime, &built.stopSeconds)) return kFormBadStopTime;
  if (built.startSeconds >= built.stopSeconds) return kFormStartNotBeforeStop;
  CopyDescription(built.task, texts.task);
  CopyDescription(built.project, texts.project);
  CopyDescription(built.classification, texts.classification);
  ComputeElapsed(built.stopSeconds - built.startSeconds, &built.elapsedMinutes,
                 &built.elapsedHours);
  *record = built;
  return kFormGood;
}

const char* RecordFormMessage(RecordFormStep step) {
  static const char* const kMessages[] = {
      "",
      "Missing Task Description",
      "Missing Project Description",
      "Missing Class Description",
      "Bad Start Date: Month",
      "Bad Start Date: Day of the Month",
      "Bad Start Date: YEAR",
      "Bad Start Time: Hour",
      "Bad Start Time: Minute",
      "Bad Stop Date: Month",
      "Bad Stop Date: Day of the Month",
      "Bad Stop Date: YEAR",
      "Bad Stop Time: Hour",
      "Bad Stop Time: Minute",
      "Bad Start Time Entered",
      "Bad Stop Time Entered",
      "Start Time is equal to or later than Stop Time",
  };
  if (step < kFormGood || step > kFormStartNotBeforeStop) return "";
  return kMessages[step];
}
