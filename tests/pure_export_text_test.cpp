#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "export/export_text.h"
#include "tests/export_test_records.h"

static std::string Line(const TimeRecord& record, int form) {
  char line[kExportLineSize];
  size_t length = BuildExportLine(record, form, line, sizeof line);
  EXPECT_EQ(length, strlen(line));
  return line;
}

// The elapsed field: what follows the last tab, without CR LF.
static std::string ElapsedField(const TimeRecord& record, int form) {
  std::string line = Line(record, form);
  size_t tab = line.rfind('\t');
  EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
  return line.substr(tab + 1, line.size() - tab - 3);
}

static float FloatFromBits(uint32_t bits) {
  float value;
  memcpy(&value, &bits, sizeof value);
  return value;
}

static TimeRecord WithElapsed(float minutes, float hours) {
  TimeRecord record = ExportClosed("t", "p", "c", ExportAt(2024, 1, 2, 3, 4, 5),
                                   ExportAt(2024, 1, 2, 4, 4, 5));
  record.elapsedMinutes = minutes;
  record.elapsedHours = hours;
  return record;
}

TEST(PureExportText, HeaderOfEachForm) {
  struct Case { int form; const char* text; size_t length; } cases[] = {
      {kElapsedMinutes, "Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Minutes\r\n", 64},
      {kElapsedHours, "Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Hours\r\n", 62},
      {kElapsedHoursMinutes,
       "Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Hours:Minutes\r\n", 70},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(ExportHeader(c.form), c.text);
    EXPECT_EQ(ExportHeaderLength(c.form), c.length);
  }
}

TEST(PureExportText, ElapsedTableFromStoredFloats) {
  // Seconds apart, then minutes/hours as the end of a task stores them.
  struct Case { int seconds; uint32_t hoursBits; const char* forms[3]; } cases[] = {
      {5430, 0x3FC11112, {"90.50", "1.51", "1:30"}},
      {3900, 0x3F8AAAAB, {"65.00", "1.08", "1:5"}},
      {7200, 0x40000000, {"120.00", "2.00", "2:0"}},
      {7199, 0x3FFFF6E7, {"119.98", "2.00", "1:59"}},
      {90, 0x3CCCCCCE, {"1.50", "0.03", "0:1"}},
  };
  for (const Case& c : cases) {
    SYSTEMTIME start = ExportAt(2024, 5, 6, 8, 0, 0);
    SYSTEMTIME stop = ExportAt(2024, 5, 6, 8 + c.seconds / 3600, c.seconds % 3600 / 60, c.seconds % 60);
    TimeRecord record = ExportClosed("t", "p", "c", start, stop);
    ASSERT_EQ(record.stopSeconds - record.startSeconds, c.seconds);
    uint32_t bits;
    memcpy(&bits, &record.elapsedHours, sizeof bits);
    EXPECT_EQ(bits, c.hoursBits) << c.seconds;
    for (int form = 0; form < 3; ++form)
      EXPECT_EQ(ElapsedField(record, form), c.forms[form]) << c.seconds << " s, form " << form;
  }
}

TEST(PureExportText, HoursAndMinutesTruncateFromBothFloats) {
  struct Case { float minutes, hours; int32_t h, m; } cases[] = {
      {60.0f, 1.0f, 1, 0},
      {59.99f, 0.99983f, 0, 59},
      {-5.5f, -0.09f, 0, -5},            // below 60, negatives included: minutes cut alone
      {600.0f, 9.9999f, 9, 0},           // hours come from the stored hours, not the minutes
      {119.999f, 2.0f, 2, 59},
      {1e12f, 1.6e10f, INT32_MIN, INT32_MIN},  // beyond the int range
      {NAN, NAN, INT32_MIN, INT32_MIN},
  };
  for (const Case& c : cases) {
    int32_t h = 7, m = 7;
    ElapsedHoursMinutes(c.minutes, c.hours, &h, &m);
    EXPECT_EQ(h, c.h) << c.minutes;
    EXPECT_EQ(m, c.m) << c.minutes;
  }
  EXPECT_EQ(ElapsedField(WithElapsed(-5.5f, -0.09f), kElapsedHoursMinutes), "0:-5");
  EXPECT_EQ(ElapsedField(WithElapsed(NAN, 1e12f), kElapsedHoursMinutes),
            "-2147483648:-2147483648");
}

// The decimal forms must print exactly what "%.2f" prints for every float.
TEST(PureExportText, DecimalFormsMatchPrintfEverywhere) {
  auto check = [](float value) {
    char expected[64];
    snprintf(expected, sizeof expected, "%.2f", static_cast<double>(value));
    TimeRecord record = WithElapsed(value, value);
    std::string minutes = ElapsedField(record, kElapsedMinutes);
    std::string hours = ElapsedField(record, kElapsedHours);
    EXPECT_EQ(minutes, expected) << "bits of " << value;
    EXPECT_EQ(hours, expected);
    return minutes == expected && hours == expected;
  };
  // Ties, both ways of rounding, zeros, extremes.
  const float special[] = {0.0f, -0.0f, 0.125f, 0.375f, 2.675f, 1.005f, 0.005f, 0.015f, 0.995f,
                           9.995f, 99.995f, 1e-30f, 1e-10f, 1.4e-45f, 3.4e38f, -3.4e38f, 1e7f,
                           16777216.0f, 4294967296.0f, 1e15f, INFINITY, -INFINITY, NAN, -1.0f,
                           -0.125f, -0.001f, 0.004999f, 0.00500001f};
  for (float value : special) check(value);
  // Every logged interval of up to about 28 hours, as stored.
  for (int seconds = 0; seconds < 100000; ++seconds) {
    double minutes = seconds * (1.0 / 60.0);
    if (!check(static_cast<float>(minutes))) break;
    if (!check(static_cast<float>(minutes * static_cast<double>(0.016666668f)))) break;
  }
  // And arbitrary bit patterns, as a damaged file may hold.
  uint32_t state = 12345;
  for (int i = 0; i < 100000; ++i) {
    state = state * 1664525u + 1013904223u;
    if (!check(FloatFromBits(state))) break;
  }
}

TEST(PureExportText, SelectionIsInclusiveAndSkipsOpenRecords) {
  TimeRecord record = ExportClosed("t", "p", "c", ExportAt(1999, 3, 17, 9, 0),
                                   ExportAt(1999, 3, 17, 17, 0));
  int64_t start = record.startSeconds, stop = record.stopSeconds;
  struct Case { int64_t startLimit, stopLimit; bool exported; } cases[] = {
      {0, 0, true},
      {start, 0, true},           // starts exactly at the limit
      {0, stop, true},            // stops exactly at the limit
      {start, stop, true},
      {start + 1, 0, false},      // started before the limit
      {0, stop - 1, false},       // stopped after the limit
      {start - 1, stop + 1, true},
      {-5, -5, true},             // negative limits are no limits
      {start + 1, -1, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsRecordExported(record, c.startLimit, c.stopLimit), c.exported)
        << c.startLimit << " " << c.stopLimit;

  TimeRecord open = ExportOpen("o", ExportAt(1999, 3, 17, 9, 0));
  EXPECT_FALSE(IsRecordExported(open, 0, 0));
  EXPECT_FALSE(IsRecordExported(open, -1, -1));
  TimeRecord negativeStop = record;
  negativeStop.stopSeconds = -1;  // not 0, so not open
  EXPECT_TRUE(IsRecordExported(negativeStop, 0, 0));
}

TEST(PureExportText, NothingStopsBeforeTheEarliestMoment) {
  TimeRecord record = ExportClosed("t", "p", "c", ExportAt(1601, 1, 1, 0, 0), ExportAt(1601, 1, 1, 0, 1));
  TimeRecord negativeStop = record;
  negativeStop.stopSeconds = -1;
  for (const TimeRecord& r : {record, negativeStop})
    for (int64_t start : {int64_t{0}, int64_t{-1}, r.startSeconds})
      EXPECT_FALSE(IsRecordExported(r, start, kStopBeforeAnyRecord)) << r.stopSeconds << " " << start;
}

TEST(PureExportText, RecordLinesOfEachForm) {
  std::vector<TimeRecord> sheet = SampleSheet();
  for (int form = 0; form < 3; ++form) {
    std::string text = ExportHeader(form);
    for (const TimeRecord& record : sheet)
      if (IsRecordExported(record, 0, 0)) text += Line(record, form);
    EXPECT_EQ(text, SampleExport(form)) << "form " << form;
  }
}

TEST(PureExportText, DescriptionsAreCutAtTheirFieldAndStampsReadUnsigned) {
  TimeRecord record = ExportClosed("t", "", "c", ExportAt(1999, 3, 17, 0, 5, 0),
                                   ExportAt(1999, 3, 17, 12, 30, 0));
  memset(record.task, 'T', sizeof record.task);  // no NUL in the field
  EXPECT_EQ(Line(record, kElapsedMinutes),
            "0:05:00 am 3/17/1999\t12:30:00 pm 3/17/1999\t" + std::string(63, 'T') +
                "\t\tc\t745.00\r\n");

  // Every byte 0xFF: the longest line a record can give still fits.
  memset(&record, 0xFF, sizeof record);
  for (int form = 0; form < 3; ++form) {
    std::string line = Line(record, form);
    EXPECT_LT(line.size(), static_cast<size_t>(kExportLineSize));
    EXPECT_EQ(line.substr(0, 39), "65523:65535:65535 pm 65535/65535/65535\t");
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
  }
}

TEST(PureExportText, LineNeverRunsPastASmallBuffer) {
  TimeRecord record = SampleSheet()[0];
  char small[10];
  memset(small, 'x', sizeof small);
  EXPECT_EQ(BuildExportLine(record, kElapsedMinutes, small, sizeof small), 9u);
  EXPECT_STREQ(small, "3:07:09 p");
  EXPECT_EQ(BuildExportLine(record, kElapsedMinutes, small, 0), 0u);
}
