#include <gtest/gtest.h>

#include <windows.h>

#include "store/file_seconds.h"

// The calendar arithmetic must give what SystemTimeToFileTime gives wherever
// the platform's conversion is right; it differs only where some platforms
// accept dates that do not exist.
static bool PlatformSeconds(const SYSTEMTIME& time, int64_t* seconds) {
  FILETIME file;
  if (!SystemTimeToFileTime(&time, &file)) return false;
  ULARGE_INTEGER count;
  count.LowPart = file.dwLowDateTime;
  count.HighPart = file.dwHighDateTime;
  *seconds = static_cast<int64_t>(count.QuadPart) / 10000000;
  return true;
}

TEST(PureFileSecondsPlatform, MatchesSystemTimeToFileTimeForValidDates) {
  unsigned state = 12345;
  auto next = [&state](unsigned range) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % range;
  };
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    SYSTEMTIME t = {};
    // Mostly recent years, some from the whole range.
    t.wYear = static_cast<WORD>(i % 4 == 0 ? 1601 + next(30827 - 1601 + 1) : 1900 + next(250));
    t.wMonth = static_cast<WORD>(1 + next(12));
    t.wDay = static_cast<WORD>(1 + next(31));
    t.wHour = static_cast<WORD>(next(24));
    t.wMinute = static_cast<WORD>(next(60));
    t.wSecond = static_cast<WORD>(next(60));
    t.wMilliseconds = static_cast<WORD>(next(1000));
    int64_t ours = -1, platform = -2;
    if (!ToFileSeconds(t, &ours)) continue;
    ASSERT_TRUE(PlatformSeconds(t, &platform)) << t.wYear << "-" << t.wMonth << "-" << t.wDay;
    ASSERT_EQ(ours, platform) << t.wYear << "-" << t.wMonth << "-" << t.wDay << " " << t.wHour
                              << ":" << t.wMinute << ":" << t.wSecond;
    ++compared;
  }
  EXPECT_GT(compared, 15000);
}

TEST(PureFileSecondsPlatform, EdgesOfTheRangeMatch) {
  const SYSTEMTIME edges[] = {
      {1601, 1, 0, 1, 0, 0, 0, 0},         {30827, 12, 0, 31, 23, 59, 59, 999},
      {2000, 2, 0, 29, 12, 0, 0, 0},       {1999, 12, 0, 31, 23, 59, 59, 999},
      {2038, 1, 0, 19, 3, 14, 8, 0},       {1999, 3, 0, 17, 15, 7, 9, 0},
  };
  for (const SYSTEMTIME& t : edges) {
    int64_t ours = -1, platform = -2;
    ASSERT_TRUE(ToFileSeconds(t, &ours));
    ASSERT_TRUE(PlatformSeconds(t, &platform));
    EXPECT_EQ(ours, platform) << t.wYear;
  }
}

TEST(PureFileSecondsPlatform, RefusesWhatThePlatformRefuses) {
  // 29 February of a common year and years past 30827 are left out: some
  // platforms accept them, which is why the program checks for itself.
  const SYSTEMTIME bad[] = {
      {2024, 1, 0, 1, 24, 0, 0, 0}, {2024, 1, 0, 1, 0, 60, 0, 0}, {2024, 1, 0, 1, 0, 0, 60, 0},
      {2024, 1, 0, 1, 0, 0, 0, 1000}, {2024, 4, 0, 31, 0, 0, 0, 0}, {1600, 12, 0, 31, 0, 0, 0, 0},
      {2024, 13, 0, 1, 0, 0, 0, 0}, {2024, 1, 0, 0, 0, 0, 0, 0},
  };
  for (const SYSTEMTIME& t : bad) {
    int64_t seconds = 0;
    EXPECT_FALSE(PlatformSeconds(t, &seconds)) << t.wYear << "-" << t.wMonth << "-" << t.wDay;
    EXPECT_FALSE(ToFileSeconds(t, &seconds));
  }
}
