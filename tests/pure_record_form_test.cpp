#include <gtest/gtest.h>
#include <string.h>

#include "editors/record_form.h"
#include "tests/record_form_texts.h"

namespace {
// 3/17/1999 00:00 in FileSeconds.
const int64_t kMarch17 = 12566102400LL;

TimeRecord Marked() {
  TimeRecord record;
  memset(&record, 0x5A, sizeof record);
  return record;
}

uint32_t Bits(float value) {
  uint32_t bits;
  memcpy(&bits, &value, sizeof bits);
  return bits;
}
}  // namespace

TEST(PureRecordForm, FirstFailingStepWinsAndLeavesTheRecordAlone) {
  const FormEntry good = GoodEntry();
  FormEntry empty;
  struct Case { FormEntry entry; RecordFormStep step; } cases[] = {
      {empty, kFormMissingTask},
      {With(good, kTask, ""), kFormMissingTask},
      {With(good, kProject, ""), kFormMissingProject},
      {With(good, kClass, ""), kFormMissingClass},
      {With(good, kStartMonth, "13"), kFormBadStartMonth},
      {With(good, kStartMonth, "-1"), kFormBadStartMonth},
      {With(good, kStartDay, "32"), kFormBadStartDay},
      {With(good, kStartYear, "10000"), kFormBadStartYear},
      {With(good, kStartYear, "100"), kFormBadStartTime},  // passes the field test, not the calendar
      {With(good, kStartHour, "25"), kFormBadStartHour},
      {With(good, kStartHour, "24"), kFormBadStartTime},
      {With(good, kStartMinute, "60"), kFormBadStartMinute},
      {With(good, kStopMonth, "0"), kFormBadStopMonth},
      {With(good, kStopDay, "0"), kFormBadStopDay},
      {With(good, kStopYear, "10000"), kFormBadStopYear},
      {With(good, kStopHour, "25"), kFormBadStopHour},
      {With(good, kStopHour, "24"), kFormBadStopTime},
      {With(good, kStopMinute, "60"), kFormBadStopMinute},
      // Every field test runs before any conversion.
      {With(With(good, kStartMonth, "4"), kStopMonth, "13"), kFormBadStopMonth},
      {With(With(good, kStartMonth, "4"), kStartDay, "31"), kFormBadStartTime},
      {With(With(good, kStopMonth, "4"), kStopDay, "31"), kFormBadStopTime},
      // The start is converted first.
      {With(With(With(good, kStartHour, "24"), kStopMonth, "4"), kStopDay, "31"), kFormBadStartTime},
      {With(With(good, kStartMonth, "2"), kStartDay, "29"), kFormBadStartTime},  // 1999 is common
      {With(With(good, kStopHour, "10"), kStopMinute, "0"), kFormStartNotBeforeStop},
      {With(good, kStopHour, "9"), kFormStartNotBeforeStop},
      {With(good, kStartYear, "1601"), kFormGood},
      {With(good, kStartYear, "1600"), kFormBadStartTime},
      {With(good, kStopYear, "9999"), kFormGood},
      {With(With(good, kTask, "   "), kProject, " "), kFormGood},  // only the first character counts
      {good, kFormGood},
  };
  for (const Case& c : cases) {
    TimeRecord record = Marked();
    RecordFormStep step = ReadTimeRecordForm(c.entry.Texts(), &record);
    EXPECT_EQ(step, c.step) << RecordFormMessage(step) << " / " << RecordFormMessage(c.step);
    if (c.step != kFormGood) {
      TimeRecord untouched = Marked();
      EXPECT_EQ(memcmp(&record, &untouched, sizeof record), 0);
    }
  }
}

TEST(PureRecordForm, MessagesInStepOrder) {
  const char* const expected[] = {
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
  for (int step = kFormGood; step <= kFormStartNotBeforeStop; ++step)
    EXPECT_STREQ(RecordFormMessage(static_cast<RecordFormStep>(step)), expected[step]);
}

TEST(PureRecordForm, NumbersReadAsUnsigned16BitsOfParseInt) {
  struct Case { const char* text; int value; } cases[] = {
      {"07", 7}, {"12abc", 12}, {"-1", 65535}, {"", 0}, {"65536", 0}, {"65537", 1}, {" +42", 42}};
  for (const Case& c : cases) EXPECT_EQ(FormNumber(c.text), c.value) << c.text;
  for (const FormHostileText& h : FormHostileTexts()) EXPECT_EQ(FormNumber(h.text.c_str()), h.value) << h.text;
}

TEST(PureRecordForm, TwoDigitYearsPivotAtNinety) {
  struct Case { const char* typed; int year; } cases[] = {
      {"", 2000}, {"0", 2000}, {"89", 2089}, {"90", 1990}, {"99", 1999}, {"1999", 1999}};
  for (const Case& c : cases) {
    TimeRecord record = {};
    FormEntry entry = With(With(GoodEntry(), kStartYear, c.typed), kStopYear, c.typed);
    ASSERT_EQ(ReadTimeRecordForm(entry.Texts(), &record), kFormGood) << c.typed;
    EXPECT_EQ(record.startTime.wYear, c.year) << c.typed;
    EXPECT_EQ(record.stopTime.wYear, c.year) << c.typed;
  }
}

TEST(PureRecordForm, BuiltRecordHasWholeMinutesStampsAndElapsedTime) {
  TimeRecord record = Marked();
  record.startTime.wSecond = 30;  // logged from 10:00:30 to 10:45:10
  FormEntry entry = With(With(GoodEntry(), kStopHour, "10"), kStopMinute, "45");
  entry.field[kTask] = std::string(70, 't');
  ASSERT_EQ(ReadTimeRecordForm(entry.Texts(), &record), kFormGood);
  EXPECT_EQ(std::string(record.task), std::string(63, 't'));
  EXPECT_EQ(record.task[63], '\0');
  EXPECT_STREQ(record.project, "P");
  EXPECT_EQ(record.project[5], '\0');  // the rest of a field is cleared
  EXPECT_STREQ(record.classification, "C");
  const SYSTEMTIME start = {1999, 3, 3, 17, 10, 0, 0, 0};  // a Wednesday
  const SYSTEMTIME stop = {1999, 3, 3, 17, 10, 45, 0, 0};
  EXPECT_EQ(memcmp(&record.startTime, &start, sizeof start), 0);
  EXPECT_EQ(memcmp(&record.stopTime, &stop, sizeof stop), 0);
  EXPECT_EQ(record.startSeconds, kMarch17 + 10 * 3600);
  EXPECT_EQ(record.stopSeconds, kMarch17 + 10 * 3600 + 45 * 60);
  EXPECT_EQ(record.elapsedMinutes, 45.0f);
  for (unsigned char byte : record.reserved) EXPECT_EQ(byte, 0x5A);  // kept from the shown record
}

TEST(PureRecordForm, ElapsedTimeIsTheLoggingArithmetic) {
  struct Case { const char* stopHour; const char* stopMinute; float minutes; double hours; uint32_t hourBits; } cases[] = {
      {"11", "30", 90.0f, 1.5000001192092896, 0x3FC00001},
      {"11", "0", 60.0f, 1.0, 0x3F800000},
      {"10", "1", 1.0f, 0.01666666753590107, 0x3C888889},
  };
  for (const Case& c : cases) {
    TimeRecord record = {};
    FormEntry entry = With(With(GoodEntry(), kStopHour, c.stopHour), kStopMinute, c.stopMinute);
    ASSERT_EQ(ReadTimeRecordForm(entry.Texts(), &record), kFormGood);
    EXPECT_EQ(record.elapsedMinutes, c.minutes);
    EXPECT_EQ(static_cast<double>(record.elapsedHours), c.hours);
    EXPECT_EQ(Bits(record.elapsedHours), c.hourBits);
  }
}

TEST(PureRecordForm, HostileTextsInEveryNumberField) {
  for (const FieldOutcomes& outcomes : NumberFieldOutcomes()) {
    for (const FormHostileText& hostile : FormHostileTexts()) {
      TimeRecord record = Marked();
      FormEntry entry = With(GoodEntry(), outcomes.field, hostile.text);
      RecordFormStep expected = OutcomeFor(outcomes, hostile.value);
      EXPECT_EQ(ReadTimeRecordForm(entry.Texts(), &record), expected)
          << "field " << outcomes.field << " text \"" << hostile.text.substr(0, 24) << "\"";
      if (expected != kFormGood) {
        EXPECT_EQ(record.task[0], 0x5A);
      }
    }
  }
}
