#include <gtest/gtest.h>

#include "store/stamp_text.h"

static SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t = {};
  t.wYear = year; t.wMonth = month; t.wDay = day;
  t.wHour = hour; t.wMinute = minute; t.wSecond = second;
  return t;
}

TEST(PureStampText, TwelveHourFormWithNoonAsPm) {
  struct Case { SYSTEMTIME time; const char* expected; } cases[] = {
      {At(1999, 3, 17, 15, 7, 9), "3:07:09 pm 3/17/1999"},
      {At(1999, 3, 7, 0, 5, 9), "0:05:09 am 3/7/1999"},
      {At(1999, 3, 7, 12, 5, 9), "12:05:09 pm 3/7/1999"},
      {At(1999, 3, 7, 12, 30, 0), "12:30:00 pm 3/7/1999"},
      {At(1999, 3, 7, 11, 59, 59), "11:59:59 am 3/7/1999"},
      {At(1999, 3, 7, 13, 0, 0), "1:00:00 pm 3/7/1999"},
      {At(2026, 12, 31, 23, 10, 10), "11:10:10 pm 12/31/2026"},
      {At(65535, 65535, 65535, 65535, 65535, 65535),
       "65523:65535:65535 pm 65535/65535/65535"},
  };
  for (const Case& c : cases) {
    char text[kStampTextSize];
    EXPECT_EQ(StampText(c.time, text, sizeof text), strlen(c.expected));
    EXPECT_STREQ(text, c.expected);
  }
}

TEST(PureStampText, NeverRunsPastASmallBuffer) {
  char text[8];
  memset(text, 'x', sizeof text);
  EXPECT_EQ(StampText(At(1999, 3, 17, 15, 7, 9), text, sizeof text), 7u);
  EXPECT_STREQ(text, "3:07:09");
  EXPECT_EQ(StampText(At(1999, 3, 17, 15, 7, 9), text, 1), 0u);
  EXPECT_STREQ(text, "");
  text[0] = 'x';
  EXPECT_EQ(StampText(At(1999, 3, 17, 15, 7, 9), text, 0), 0u);  // no room, nothing written
  EXPECT_EQ(text[0], 'x');
}
