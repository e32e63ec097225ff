#include <gtest/gtest.h>

#include "store/file_seconds.h"

static SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0,
                     WORD second = 0, WORD milliseconds = 0) {
  SYSTEMTIME t = {};
  t.wYear = year; t.wMonth = month; t.wDay = day;
  t.wHour = hour; t.wMinute = minute; t.wSecond = second; t.wMilliseconds = milliseconds;
  return t;
}

TEST(PureFileSeconds, KnownValues) {
  struct Case { SYSTEMTIME time; int64_t seconds; } cases[] = {
      {At(1601, 1, 1), 0},
      {At(1601, 1, 1, 0, 0, 0, 999), 0},  // milliseconds are cut off
      {At(1601, 1, 1, 0, 0, 1), 1},
      {At(1601, 1, 2), 86400},
      {At(1602, 1, 1), 365LL * 86400},
      {At(1999, 3, 17, 15, 7, 9), 12566156829LL},
      {At(1999, 3, 17, 15, 7, 9, 999), 12566156829LL},
      {At(1970, 1, 1), 11644473600LL},
      {At(2000, 3, 1), 12596342400LL},
      {At(30827, 12, 31, 23, 59, 59, 999), 922314988799LL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.time.wYear << "-" << c.time.wMonth << "-" << c.time.wDay);
    int64_t seconds = -1;
    EXPECT_TRUE(IsCalendarTime(c.time));
    EXPECT_TRUE(ToFileSeconds(c.time, &seconds));
    EXPECT_EQ(seconds, c.seconds);
  }
}

TEST(PureFileSeconds, LeapDaysFollowTheGregorianRules) {
  struct Case { WORD year; bool leap; } cases[] = {
      {1900, false}, {2000, true}, {2024, true}, {2100, false}, {2023, false},
      {1604, true},  {1700, false}, {2400, true}, {30800, true}, {30827, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.year);
    EXPECT_EQ(IsCalendarTime(At(c.year, 2, 29)), c.leap);
    EXPECT_TRUE(IsCalendarTime(At(c.year, 2, 28)));
    EXPECT_FALSE(IsCalendarTime(At(c.year, 2, 30)));
    int64_t feb28 = 0, mar1 = 0;
    ASSERT_TRUE(ToFileSeconds(At(c.year, 2, 28), &feb28));
    ASSERT_TRUE(ToFileSeconds(At(c.year, 3, 1), &mar1));
    EXPECT_EQ(mar1 - feb28, (c.leap ? 2 : 1) * 86400);
  }
}

TEST(PureFileSeconds, TimesOutsideTheCalendarAreRefusedAndLeaveTheResult) {
  const SYSTEMTIME bad[] = {
      At(1600, 12, 31, 23, 59, 59), At(30828, 1, 1), At(0, 1, 1), At(65535, 1, 1),
      At(2024, 0, 1),  At(2024, 13, 1), At(2024, 1, 0),  At(2024, 1, 32),
      At(2024, 4, 31), At(2024, 6, 31), At(2024, 9, 31), At(2024, 11, 31),
      At(2023, 2, 29), At(2100, 2, 29), At(2024, 2, 30),
      At(2024, 1, 1, 24), At(2024, 1, 1, 0, 60), At(2024, 1, 1, 0, 0, 60),
      At(2024, 1, 1, 0, 0, 0, 1000), At(2024, 1, 1, 65535, 65535, 65535, 65535),
  };
  for (const SYSTEMTIME& t : bad) {
    SCOPED_TRACE(testing::Message() << t.wYear << "-" << t.wMonth << "-" << t.wDay << " "
                                    << t.wHour << ":" << t.wMinute << ":" << t.wSecond << "."
                                    << t.wMilliseconds);
    int64_t seconds = 77;
    EXPECT_FALSE(IsCalendarTime(t));
    EXPECT_FALSE(ToFileSeconds(t, &seconds));
    EXPECT_EQ(seconds, 77);
  }
}

TEST(PureFileSeconds, LastMomentsOfEachMonthAreValid) {
  const WORD days[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (WORD month = 1; month <= 12; ++month) {
    SCOPED_TRACE(month);
    EXPECT_TRUE(IsCalendarTime(At(2024, month, days[month - 1], 23, 59, 59, 999)));
    int64_t last = 0, next = 0;
    ASSERT_TRUE(ToFileSeconds(At(2024, month, days[month - 1], 23, 59, 59), &last));
    ASSERT_TRUE(ToFileSeconds(month < 12 ? At(2024, month + 1, 1) : At(2025, 1, 1), &next));
    EXPECT_EQ(next - last, 1);
  }
}

TEST(PureFileSeconds, DayOfWeekIsNotLookedAt) {
  SYSTEMTIME t = At(1999, 3, 17, 15, 7, 9);
  t.wDayOfWeek = 9;
  int64_t seconds = 0;
  EXPECT_TRUE(ToFileSeconds(t, &seconds));
  EXPECT_EQ(seconds, 12566156829LL);
}
