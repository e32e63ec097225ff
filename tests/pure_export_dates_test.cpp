#include <gtest/gtest.h>

#include "export/export_dates.h"

static ExportDateFields Fields(int32_t month, int32_t day, int32_t year, int32_t hour,
                               int32_t minute) {
  return ExportDateFields{month, day, year, hour, minute};
}

TEST(PureExportDates, FieldsAreCheckedInOrderOnTheirBounds) {
  struct Case { ExportDateFields fields; ExportDateFault fault; } cases[] = {
      {Fields(0, 0, -1, -1, -1), kExportBadMonth},  // month first, whatever follows
      {Fields(13, 17, 1999, 9, 0), kExportBadMonth},
      {Fields(-1, 17, 1999, 9, 0), kExportBadMonth},
      {Fields(1, 0, -1, -1, -1), kExportBadDay},
      {Fields(12, 32, 1999, 9, 0), kExportBadDay},
      {Fields(12, 31, -1, -1, -1), kExportBadYear},
      {Fields(1, 1, 10000, 9, 0), kExportBadYear},
      {Fields(1, 1, 9999, -1, -1), kExportBadHour},
      {Fields(1, 1, 0, 25, 0), kExportBadHour},
      {Fields(1, 1, 0, 24, -1), kExportBadMinute},
      {Fields(1, 1, 0, 0, 60), kExportBadMinute},
      {Fields(1, 1, 0, 0, 59), kExportDateGood},
      {Fields(12, 31, 9999, 23, 59), kExportDateGood},
  };
  for (const Case& c : cases) {
    int64_t limit = -7;
    EXPECT_EQ(CheckExportDate(c.fields, &limit), c.fault)
        << c.fields.month << "/" << c.fields.day << "/" << c.fields.year << " " << c.fields.hour
        << ":" << c.fields.minute;
    if (c.fault != kExportDateGood) {
      EXPECT_EQ(limit, -7);
    }
  }
}

TEST(PureExportDates, TwoDigitYearsPivotAtNinety) {
  struct Case { int32_t typed, year; } cases[] = {
      {0, 2000}, {89, 2089}, {90, 1990}, {99, 1999}, {100, 100}, {1999, 1999}, {-1, -1}};
  for (const Case& c : cases) EXPECT_EQ(WidenExportYear(c.typed), c.year) << c.typed;
}

TEST(PureExportDates, LimitIsTheFileSecondsOfTheDate) {
  struct Case { ExportDateFields fields; int64_t seconds; } cases[] = {
      {Fields(3, 17, 1999, 9, 0), 12566134800LL},
      {Fields(3, 17, 99, 17, 0), 12566163600LL},   // 99 is 1999
      {Fields(2, 29, 2024, 23, 59), 13353724740LL},
      {Fields(12, 31, 89, 0, 0), 15431299200LL},   // 89 is 2089
      {Fields(1, 1, 90, 0, 0), 12275625600LL},
      {Fields(1, 1, 1601, 0, 0), 0},               // the one date whose limit is 0
  };
  for (const Case& c : cases) {
    int64_t limit = -1;
    EXPECT_EQ(CheckExportDate(c.fields, &limit), kExportDateGood);
    EXPECT_EQ(limit, c.seconds);
  }
}

TEST(PureExportDates, DatesOutsideTheCalendarAreRefused) {
  const ExportDateFields cases[] = {
      Fields(3, 17, 1999, 24, 0),   // hour 24 passes its own check only
      Fields(4, 31, 2024, 9, 0),
      Fields(2, 29, 2023, 9, 0),
      Fields(2, 29, 1900, 9, 0),
      Fields(2, 30, 2024, 9, 0),
      Fields(12, 31, 100, 23, 59),  // years 100-1600 are typed as such
      Fields(12, 31, 1600, 23, 59),
  };
  for (const ExportDateFields& fields : cases) {
    int64_t limit = 5;
    EXPECT_EQ(CheckExportDate(fields, &limit), kExportBadTime)
        << fields.month << "/" << fields.day << "/" << fields.year << " " << fields.hour;
    EXPECT_EQ(limit, 5);
  }
}

TEST(PureExportDates, MessagesOfStartAndStop) {
  struct Case { ExportDateFault fault; const char* start; const char* stop; } cases[] = {
      {kExportBadMonth, "Bad Start Date: Month", "Bad Stop Date: Month"},
      {kExportBadDay, "Bad Start Date: Day of the Month", "Bad Stop Date: Day of the Month"},
      {kExportBadYear, "Bad Start Date: YEAR", "Bad Stop Date: YEAR"},
      {kExportBadHour, "Bad Start Time: Hour", "Bad Stop Time: Hour"},
      {kExportBadMinute, "Bad Start Time: Minute", "Bad Stop Time: Minute"},
      {kExportBadTime, "Bad Start Time Entered", "Bad Stop Time Entered"},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(ExportDateMessage(c.fault, false), c.start);
    EXPECT_STREQ(ExportDateMessage(c.fault, true), c.stop);
  }
}
