#include <gtest/gtest.h>

#include <string.h>

#include "common/elapsed_time.h"
#include "logging/resume_question.h"

static uint32_t Bits(float value) {
  uint32_t bits;
  memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(PureElapsedTime, MinutesAndHoursToTheBit) {
  struct Case { int64_t seconds; uint32_t minutes, hours; } cases[] = {
      {90, Bits(1.5f), 0x3CCCCCCE},       // 1.5 and 0.025000002
      {5400, Bits(90.0f), 0x3FC00001},    // 90.0 and 1.5000001, not 1.5
      {3600, Bits(60.0f), 0x3F800000},    // 60.0 and exactly 1.0
      {5430, Bits(90.5f), Bits(1.5083334f)},
      {7199, Bits(119.98333f), Bits(1.9997224f)},
      {0, 0, 0},
  };
  for (const Case& c : cases) {
    float minutes = -1, hours = -1;
    ComputeElapsed(c.seconds, &minutes, &hours);
    EXPECT_EQ(Bits(minutes), c.minutes) << c.seconds << " s";
    EXPECT_EQ(Bits(hours), c.hours) << c.seconds << " s";
  }
}

TEST(PureResumeQuestion, NamesTheRecordAndItsStart) {
  TimeRecord record = {};
  snprintf(record.task, sizeof record.task, "Write report");
  snprintf(record.project, sizeof record.project, "Acme");
  snprintf(record.classification, sizeof record.classification, "Billable");
  record.startTime.wYear = 1999; record.startTime.wMonth = 3; record.startTime.wDay = 17;
  record.startTime.wHour = 15; record.startTime.wMinute = 7; record.startTime.wSecond = 9;
  char text[1024];
  BuildResumeQuestion(record, text, sizeof text);
  EXPECT_STREQ(text,
               "Last Entry in the File was marked as still open.\n Do you want to continue logging "
               "time to the last entry?\nWrite report\nAcme\nBillable\nTask Started: 3:07:09 pm 3/17/1999");
}

TEST(PureResumeQuestion, FieldsWithoutNulStopAt63Characters) {
  TimeRecord record;
  memset(&record, 'x', sizeof record);
  memset(&record.startTime, 0, sizeof record.startTime);
  char text[1024];
  BuildResumeQuestion(record, text, sizeof text);
  std::string line(63, 'x');
  EXPECT_NE(std::string(text).find("\n" + line + "\n" + line + "\n" + line + "\nTask Started: "),
            std::string::npos);
}
