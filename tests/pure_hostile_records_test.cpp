#include <gtest/gtest.h>
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "common/elapsed_time.h"
#include "export/export_text.h"
#include "logging/resume_question.h"
#include "store/stamp_text.h"
#include "tests/export_test_records.h"

// Records a damaged or hostile time sheet can hold; the native run checks
// that none of them takes any code past a buffer or into undefined behaviour.
static std::vector<TimeRecord> HostileRecords() {
  TimeRecord base = ExportClosed("t", "p", "c", ExportAt(2024, 1, 2, 3, 4, 5),
                                 ExportAt(2024, 1, 2, 4, 4, 5));
  std::vector<TimeRecord> records;
  const int64_t seconds[][2] = {{INT64_MIN, INT64_MAX}, {INT64_MAX, INT64_MIN},
                                {INT64_MIN + 1, -1},    {INT64_MAX, 1}};
  for (const auto& pair : seconds) {
    TimeRecord r = base;
    r.startSeconds = pair[0];
    r.stopSeconds = pair[1];
    records.push_back(r);
  }
  const float elapsed[][2] = {{1e9f, 1.6666667e7f}, {NAN, NAN},      {INFINITY, -INFINITY},
                              {-1e9f, -1e7f},        {3.4e38f, 1e-45f}, {-0.0f, 0.005f}};
  for (const auto& pair : elapsed) {
    TimeRecord r = base;
    r.elapsedMinutes = pair[0];
    r.elapsedHours = pair[1];
    records.push_back(r);
  }
  TimeRecord noNul = base;
  memset(noNul.task, 'x', sizeof noNul.task);
  memset(noNul.project, '\t', sizeof noNul.project);
  memset(noNul.classification, 0xFF, sizeof noNul.classification);
  records.push_back(noNul);
  TimeRecord wildStamps = noNul;
  memset(&wildStamps.startTime, 0xFF, sizeof wildStamps.startTime);
  memset(&wildStamps.stopTime, 0xFF, sizeof wildStamps.stopTime);
  wildStamps.elapsedMinutes = NAN;
  records.push_back(wildStamps);
  return records;
}

TEST(PureHostileRecords, ExportLinesStayInsideEveryBuffer) {
  const size_t sizes[] = {1, 2, 17, 64, 200, kExportLineSize};
  for (const TimeRecord& record : HostileRecords()) {
    for (int form = -1; form <= 3; ++form) {
      for (size_t size : sizes) {
        std::vector<char> out(size + 8, '#');
        size_t length = BuildExportLine(record, form, out.data(), size);
        ASSERT_LT(length, size);
        EXPECT_EQ(strlen(out.data()), length);
        EXPECT_EQ(std::string(out.data() + size, 8), "########") << "written past the end";
      }
    }
  }
}

TEST(PureHostileRecords, StampsAndResumeQuestionOfWildRecords) {
  for (const TimeRecord& record : HostileRecords()) {
    char stamp[kStampTextSize];
    size_t length = StampText(record.startTime, stamp, sizeof stamp);
    EXPECT_EQ(strlen(stamp), length);
    char question[1024];
    BuildResumeQuestion(record, question, sizeof question);
    EXPECT_LT(strlen(question), sizeof question);
  }
  SYSTEMTIME wild;
  memset(&wild, 0xFF, sizeof wild);
  char stamp[kStampTextSize];
  StampText(wild, stamp, sizeof stamp);
  EXPECT_STREQ(stamp, "65523:65535:65535 pm 65535/65535/65535");
}

TEST(PureElapsedSeconds, HeldAtTheLimitsInsteadOfOverflowing) {
  struct Case { int64_t stop, start, seconds; } cases[] = {
      {13000000000, 12999999910, 90},
      {13000000000, INT64_MIN, INT64_MAX},      // a resumed start near the minimum
      {13000000000, INT64_MIN + 13000000000, INT64_MAX},
      {-1, INT64_MAX, INT64_MIN},
      {INT64_MIN, 1, INT64_MIN},
      {INT64_MAX, -1, INT64_MAX},
      {INT64_MAX, 0, INT64_MAX},
      {INT64_MIN, 0, INT64_MIN},
      {INT64_MIN, -1, INT64_MIN + 1},
      {-5, INT64_MIN + 1, INT64_MAX - 5},
  };
  for (const Case& c : cases) EXPECT_EQ(ElapsedSeconds(c.stop, c.start), c.seconds) << c.stop << " - " << c.start;
  float minutes = 0, hours = 0;
  ComputeElapsed(ElapsedSeconds(13000000000, INT64_MIN), &minutes, &hours);
  EXPECT_GT(minutes, 1.5e17f);
}

// From 2^23 minutes on the stored hours are too coarse and ran ahead of the
// minutes (negative minutes from about 1.2e7); the text must read as the minutes.
TEST(PureHostileRecords, HoursAndMinutesOfVeryLongIntervals) {
  struct Case { int64_t seconds; const char* text; } cases[] = {
      {60LL * 12500039, "208333:59"},
      {60LL * 8388608, "139810:8"},
      {60LL * 500000000, "8333333:20"},
      {60LL * 1000000000, "16666666:40"},
  };
  for (const Case& c : cases) {
    TimeRecord record = ExportClosed("t", "p", "c", ExportAt(2024, 1, 2, 3, 4, 5),
                                     ExportAt(2024, 1, 2, 4, 4, 5));
    ComputeElapsed(c.seconds, &record.elapsedMinutes, &record.elapsedHours);
    char line[kExportLineSize];
    BuildExportLine(record, kElapsedHoursMinutes, line, sizeof line);
    std::string text = line;
    EXPECT_EQ(text.substr(text.rfind('\t') + 1), std::string(c.text) + "\r\n") << c.seconds;
  }
  // Minutes as the end of a task stores them, from one minute to 1e9: never a
  // negative or oversized minute, exact from 2^23 on, else at most the hour
  // the stored hours may round up.
  for (double seconds = 3600; seconds < 6e10; seconds = seconds * 1.0007 + 59) {
    float minutes = 0, hours = 0;
    ComputeElapsed(static_cast<int64_t>(seconds), &minutes, &hours);
    int32_t h = 0, m = 0;
    ElapsedHoursMinutes(minutes, hours, &h, &m);
    ASSERT_GE(m, 0) << minutes;
    ASSERT_LE(m, 59) << minutes;
    int64_t read = static_cast<int64_t>(h) * 60 + m;
    if (minutes >= 8388608.0f)
      ASSERT_EQ(read, static_cast<int64_t>(minutes)) << minutes;
    else
      ASSERT_LE(llabs(read - static_cast<int64_t>(minutes)), 60) << minutes;
  }
}
