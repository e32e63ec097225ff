#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "editors/purge_date.h"
#include "editors/record_list.h"
#include "store/time_sheet_rules.h"
#include "tests/record_form_texts.h"

namespace {
TimeRecord Rec(int64_t start, int64_t stop) {
  TimeRecord r;
  memset(&r, 0, sizeof r);
  r.startSeconds = start;
  r.stopSeconds = stop;
  return r;
}

std::vector<std::string> Messages(const PurgeDate& date) {
  return std::vector<std::string>(date.messages, date.messages + date.messageCount);
}

std::string Cell(float minutes) {
  char text[kRecordCellSize];
  ElapsedCellText(minutes, text, sizeof text);
  return text;
}
}  // namespace

TEST(PurePurgeDate, MessagesInOrderDayMonthConversion) {
  using List = std::vector<std::string>;
  const std::string day = "Bad Day of the Month Entered", month = "Bad Month Entered",
                    time = "Bad Time Entered";
  struct Case { const char *m, *d, *y; List messages; } cases[] = {
      {"3", "0", "99", {day, time}},
      {"13", "0", "99", {day, month, time}},
      {"13", "17", "99", {month, time}},
      {"4", "31", "99", {time}},       // a day the month does not have: the conversion alone
      {"2", "29", "2023", {time}},
      {"3", "17", "1600", {time}},
      {"3", "17", "30828", {time}},
      {"", "", "", {day, month, time}},
      {"3", "17", "99", {}},
      {"2", "29", "2024", {}},
      {"12", "31", "30827", {}},
  };
  for (const Case& c : cases) {
    PurgeDate date = CheckPurgeDate(c.m, c.d, c.y);
    EXPECT_EQ(Messages(date), c.messages) << c.m << "/" << c.d << "/" << c.y;
    EXPECT_EQ(date.good, c.messages.empty());
  }
}

TEST(PurePurgeDate, CutoffIsMidnightWithPivotEighty) {
  struct Case { const char* year; int64_t cutoff; } cases[] = {
      {"99", 12566102400LL},    // 3/17/1999
      {"1999", 12566102400LL},
      {"80", 11966572800LL},    // 3/17/1980
      {"79", 15090710400LL},    // 3/17/2079
      {"", 12597724800LL},      // empty is 0: 3/17/2000
  };
  for (const Case& c : cases) {
    PurgeDate date = CheckPurgeDate("3", "17", c.year);
    ASSERT_TRUE(date.good) << c.year;
    EXPECT_EQ(date.cutoff, c.cutoff) << c.year;
  }
  EXPECT_EQ(WidenPurgeYear(0), 2000);
  EXPECT_EQ(WidenPurgeYear(79), 2079);
  EXPECT_EQ(WidenPurgeYear(80), 1980);
  EXPECT_EQ(WidenPurgeYear(100), 100);
}

TEST(PurePurgeDate, HostileTextsInEachField) {
  const std::string day = "Bad Day of the Month Entered", month = "Bad Month Entered",
                    time = "Bad Time Entered";
  for (const FormHostileText& hostile : FormHostileTexts()) {
    const char* t = hostile.text.c_str();
    SCOPED_TRACE(hostile.text.substr(0, 24));
    std::vector<std::string> expectDay, expectMonth, expectYear;
    if (hostile.value == 0 || hostile.value == 65535) {
      expectDay = {day, time};
      expectMonth = {month, time};
    }
    // A year reads 0 as 2000 and 1 as 2001; 7 as 2007; 65535 is past 30827.
    if (hostile.value == 65535) expectYear = {time};
    EXPECT_EQ(Messages(CheckPurgeDate("3", t, "1999")), expectDay);
    EXPECT_EQ(Messages(CheckPurgeDate(t, "17", "1999")), expectMonth);
    EXPECT_EQ(Messages(CheckPurgeDate("3", "17", t)), expectYear);
  }
}

TEST(PureRecordList, ElapsedCellFromMinutesAlone) {
  struct Case { float minutes; const char* text; } cases[] = {
      {59.9f, "0:59"}, {60.0f, "1:00"}, {5.0f, "0:05"}, {96.0f, "1:36"}, {45.0f, "0:45"},
      {120.0f, "2:00"}, {0.0f, "0:00"}, {610.0f, "10:10"}, {1e9f, "16666666:40"}, {359999.0f / 60.0f * 1.0f, "99:59"},
  };
  for (const Case& c : cases) EXPECT_EQ(Cell(c.minutes), c.text) << c.minutes;
  // Damaged files: no crash, a bounded text.
  EXPECT_FALSE(Cell(NAN).empty());
  EXPECT_LT(Cell(3e38f).size(), static_cast<size_t>(kRecordCellSize));
}

TEST(PureRecordList, RowsStopAtTheFirstOpenRecord) {
  std::vector<TimeRecord> records = {Rec(1, 2), Rec(3, 4), Rec(5, 0), Rec(7, 8)};
  EXPECT_EQ(ListedRecordCount(records.data(), 4), 2);
  EXPECT_EQ(ListedRecordCount(records.data(), 2), 2);
  EXPECT_EQ(ListedRecordCount(records.data(), 0), 0);
  EXPECT_EQ(ListedRecordCount(records.data(), -1), 0);
  records[1].stopSeconds = -5;  // a negative stop ends the list too
  EXPECT_EQ(ListedRecordCount(records.data(), 4), 1);
}

TEST(PureRecordList, CellsOfARow) {
  TimeRecord r = Rec(1, 2);
  r.startTime = SYSTEMTIME{1999, 3, 3, 17, 15, 7, 9, 0};
  r.stopTime = SYSTEMTIME{1999, 3, 3, 17, 16, 45, 0, 0};
  memset(r.task, 'x', sizeof r.task);  // no NUL in the field
  snprintf(r.project, sizeof r.project, "Proj");
  snprintf(r.classification, sizeof r.classification, "Cls");
  r.elapsedMinutes = 98.0f;
  const std::string expected[] = {"3:07:09 pm 3/17/1999", "4:45:00 pm 3/17/1999",
                                  std::string(63, 'x'), "Proj", "Cls", "1:38"};
  for (int column = 0; column < kRecordColumns; ++column) {
    char text[kRecordCellSize];
    RecordCellText(r, column, text, sizeof text);
    EXPECT_EQ(text, expected[column]) << column;
  }
  char small[8];
  RecordCellText(r, 2, small, sizeof small);
  EXPECT_STREQ(small, "xxxxxxx");
  EXPECT_STREQ(kRecordColumnHeaders[5], "Elapsed Time  Hours:Minutes");
}

TEST(PureRecordList, TypeAheadFindsTheNextRowByItsStart) {
  std::vector<TimeRecord> rows(4, Rec(1, 2));
  const WORD hours[] = {9, 10, 21, 10};
  for (int i = 0; i < 4; ++i) rows[i].startTime = SYSTEMTIME{1999, 3, 0, 17, hours[i], 0, 0, 0};
  struct Case { int32_t from; const char* prefix; bool wrap; int32_t row; } cases[] = {
      {0, "10", false, 1}, {2, "10", false, 3}, {0, "9:00:00 PM", false, 2}, {3, "9", true, 0},
      {3, "9", false, -1}, {0, "11", true, -1}, {0, "", false, 0}, {7, "10", false, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindRowByStart(rows.data(), 4, c.from, c.prefix, c.wrap), c.row) << c.from << c.prefix;
}

TEST(PureTimeSheetRules, AnAddedRecordGoesBeforeTheRunningTask) {
  std::vector<TimeRecord> withTask = {Rec(100, 160), Rec(200, 260), Rec(300, 0)};
  std::vector<TimeRecord> closed = {Rec(100, 160), Rec(200, 260), Rec(300, 360)};
  struct Case { int64_t start; int32_t withTask, closed; } cases[] = {
      {50, 0, 0}, {200, 1, 1}, {250, 2, 2}, {300, 2, 2}, {999, 2, 3}};
  for (const Case& c : cases) {
    EXPECT_EQ(InsertPositionBeforeTask(withTask.data(), 3, c.start), c.withTask) << c.start;
    EXPECT_EQ(InsertPositionBeforeTask(closed.data(), 3, c.start), c.closed) << c.start;
  }
  EXPECT_EQ(InsertPositionBeforeTask(withTask.data(), 0, 5), 0);
  EXPECT_EQ(InsertPositionBeforeTask(withTask.data() + 2, 1, 999), 0);  // the task alone
}

TEST(PureTimeSheetRules, APurgeKeepsTheRunningTask) {
  std::vector<TimeRecord> records = {Rec(100, 160), Rec(200, 260), Rec(300, 360), Rec(150, 0)};
  struct Case { int64_t cutoff; std::vector<std::pair<int32_t, int32_t>> runs; } cases[] = {
      {0, {{0, 4}}},
      {200, {{1, 3}}},
      {250, {{2, 2}}},
      {999, {{3, 1}}},  // the task started before the cutoff and still stays
  };
  for (const Case& c : cases) {
    RecordRun runs[3];
    int32_t n = KeptRunsKeepingTask(records.data(), 4, c.cutoff, runs);
    std::vector<std::pair<int32_t, int32_t>> got;
    for (int32_t i = 0; i < n; ++i) got.push_back({runs[i].first, runs[i].count});
    EXPECT_EQ(got, c.runs) << c.cutoff;
  }
  // Without an open last record it is the plain keep-from.
  records[3].stopSeconds = 210;
  RecordRun runs[3];
  ASSERT_EQ(KeptRunsKeepingTask(records.data(), 4, 250, runs), 1);
  EXPECT_EQ(runs[0].first, 2);
  EXPECT_EQ(runs[0].count, 1);
}
