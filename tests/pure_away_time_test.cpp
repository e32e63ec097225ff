#include <gtest/gtest.h>

#include <string.h>

#include "logging/away_time.h"

static const int64_t kNoon = 400000LL * 86400 + 12 * 3600;  // 12:00:00 on some day

TEST(PureAwayTime, AskedFromNMinutesOfQuietWithinTheTask) {
  struct Case {
    const char* name;
    int64_t lastInput, taskStart, now;
    int32_t minutes;
    bool ask;
    int64_t from;
  } cases[] = {
      {"one second short of N", kNoon, kNoon - 3600, kNoon + 15 * 60 - 1, 15, false, kNoon},
      {"exactly N", kNoon, kNoon - 3600, kNoon + 15 * 60, 15, true, kNoon},
      {"over lunch", kNoon + 300, kNoon - 3600, kNoon + 6000, 15, true, kNoon + 300},
      {"N of 1", kNoon, kNoon, kNoon + 60, 1, true, kNoon},
      {"0 never asks", kNoon, kNoon - 3600, kNoon + 86400, 0, false, kNoon},
      {"N of 1440 at a day", kNoon, kNoon - 3600, kNoon + 86400, 1440, true, kNoon},
      {"out of range never asks", kNoon, kNoon - 3600, kNoon + 86400, 1441, false, kNoon},
      {"task started during the quiet", kNoon, kNoon + 600, kNoon + 600 + 15 * 60 - 1, 15, false, kNoon + 600},
      {"task started during the quiet, N after", kNoon, kNoon + 600, kNoon + 600 + 15 * 60, 15, true, kNoon + 600},
      // Asleep from 18:00 to 8:00: wall-clock time, so the night counts.
      {"slept overnight", kNoon + 6 * 3600, kNoon - 3600, kNoon + 20 * 3600, 15, true, kNoon + 6 * 3600},
      {"clock set back", kNoon, kNoon - 3600, kNoon - 3600, 15, false, kNoon},
  };
  for (const Case& c : cases) {
    AwaySpan span = DecideAway(AwayFacts{c.lastInput, c.taskStart, c.now, c.minutes});
    EXPECT_EQ(span.ask, c.ask) << c.name;
    EXPECT_EQ(span.from, c.from) << c.name;
    EXPECT_EQ(span.to, c.now) << c.name;
  }
}

TEST(PureAwayTime, QuestionTextsReadAsTheStampsDo) {
  struct Case { int64_t from, to; const char *text, *button; } cases[] = {
      {kNoon + 5 * 60 + 40, kNoon + 100 * 60 + 10,
       "No keyboard or mouse use from 12:05 pm to 1:40 pm (1:35) while this task was logging:",
       "&End the task at 12:05 pm"},
      {kNoon - 12 * 3600 + 5 * 60, kNoon - 2 * 3600 + 59 * 60 + 59,
       "No keyboard or mouse use from 0:05 am to 10:59 am (10:54) while this task was logging:",
       "&End the task at 0:05 am"},
      {kNoon + 11 * 3600 + 50 * 60, kNoon + 14 * 3600 + 5 * 60,
       "No keyboard or mouse use from 11:50 pm to 2:05 am (2:15) while this task was logging:",
       "&End the task at 11:50 pm"},
  };
  for (const Case& c : cases) {
    AwaySpan span = {true, c.from, c.to};
    char text[256], button[64];
    AwayQuestionText(span, text, sizeof text);
    AwayEndButtonText(span, button, sizeof button);
    EXPECT_STREQ(text, c.text);
    EXPECT_STREQ(button, c.button);
  }
  AwaySpan folded = FoldAway({true, kNoon, kNoon + 1200}, {true, kNoon + 1500, kNoon + 3000});
  EXPECT_EQ(folded.from, kNoon);
  EXPECT_EQ(folded.to, kNoon + 3000);
}
