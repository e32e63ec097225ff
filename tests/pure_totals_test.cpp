#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/totals.h"
#include "tests/test_records.h"

// Totals of small sheets, seen as "level:key=seconds/records" per row.
namespace {

const int64_t kMonday = TotalsDaySeconds({2026, 3, 16});

int64_t At(int day, int hour, int minute, int second = 0) {
  return kMonday + day * 86400 + hour * 3600 + minute * 60 + second;
}

struct Span {
  const char* project;
  int64_t start, stop;
};

std::string Sheet(const std::vector<Span>& spans) {
  std::string bytes;
  for (const Span& s : spans) bytes += RecordBytes(MakeRecord("t", s.project, "c", s.start, s.stop));
  return bytes;
}

TotalsResult Totals(const std::string& bytes, const TotalsChoice& choice) {
  std::vector<TotalsSheet> sheets = {
      {"jobs.tim", reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}};
  return ComputeTotals(sheets, choice);
}

std::string Rows(const TotalsResult& result) {
  std::string text;
  for (const TotalsRow& row : result.rows)
    text += (text.empty() ? "" : " ") + std::to_string(row.level) + ":" + row.keys[row.level] +
            "=" + std::to_string(row.seconds) + "/" + std::to_string(row.records);
  return text;
}

TotalsChoice Choice(const char* from, const char* to, std::vector<TotalsKey> by, int round = 0,
                    bool nearest = false) {
  TotalsChoice choice;
  choice.period = kPeriodDates;
  choice.hasFrom = from != nullptr && ParseTotalsDate(from, &choice.from);
  choice.hasTo = to != nullptr && ParseTotalsDate(to, &choice.to);
  choice.by = by;
  choice.roundMinutes = round;
  choice.roundNearest = nearest;
  return choice;
}

}  // namespace

TEST(PureTotals, ClipsSplitsRoundsAndGroups) {
  const TotalsKey P = kTotalsProject, D = kTotalsDay, W = kTotalsWeek, M = kTotalsMonth,
                  Y = kTotalsYear;
  struct Case {
    const char* what;
    std::vector<Span> spans;
    TotalsChoice choice;
    const char* rows;
  } cases[] = {
      {"clipped at the first day's midnight", {{"P", At(-1, 23, 0), At(0, 1, 0)}},
       Choice("2026-03-16", "2026-03-16", {P}), "0:P=3600/1"},
      {"clipped at the end of the last day", {{"P", At(0, 23, 30), At(1, 0, 30)}},
       Choice("2026-03-16", "2026-03-16", {P}), "0:P=1800/1"},
      {"open ends take everything", {{"P", At(-400, 1, 0), At(400, 1, 0)}},
       Choice(nullptr, nullptr, {P}), "0:P=69120000/1"},
      {"split at midnight, one piece per day", {{"P", At(0, 23, 0), At(1, 1, 0)}},
       Choice(nullptr, nullptr, {D}), "0:2026-03-16=3600/1 0:2026-03-17=3600/1"},
      {"days run in time order under their project",
       {{"P", At(1, 9, 0), At(1, 10, 0)}, {"P", At(0, 9, 0), At(0, 9, 30)}},
       Choice(nullptr, nullptr, {P, D}), "0:P=5400/2 1:2026-03-16=1800/1 1:2026-03-17=3600/1"},
      {"rounded up to 15 minutes: 1 s, 900 s, 901 s",
       {{"B", At(0, 1, 0), At(0, 1, 15)}, {"A", At(0, 2, 0), At(0, 2, 0, 1)},
        {"C", At(0, 3, 0), At(0, 3, 15, 1)}},
       Choice(nullptr, nullptr, {P}, 15), "0:C=1800/1 0:A=900/1 0:B=900/1"},
      {"rounded to the nearest 15 minutes, half up: 449 s, 450 s, 1349 s, 1350 s",
       {{"A", At(0, 1, 0), At(0, 1, 7, 29)}, {"B", At(0, 2, 0), At(0, 2, 7, 30)},
        {"C", At(0, 3, 0), At(0, 3, 22, 29)}, {"D", At(0, 4, 0), At(0, 4, 22, 30)}},
       Choice(nullptr, nullptr, {P}, 15, true), "0:D=1800/1 0:B=900/1 0:C=900/1 0:A=0/1"},
      {"a record is rounded once, the change on its last piece", {{"P", At(0, 23, 59), At(1, 0, 1)}},
       Choice(nullptr, nullptr, {D}, 60), "0:2026-03-16=60/1 0:2026-03-17=3540/1"},
      {"rounded down, the cut reaches back over the pieces, none below zero",
       {{"P", At(0, 23, 40), At(1, 0, 2)}}, Choice(nullptr, nullptr, {D}, 15, true),
       "0:2026-03-16=900/1 0:2026-03-17=0/1"},
      {"rounded down to nothing", {{"P", At(0, 23, 58), At(1, 0, 1)}},
       Choice(nullptr, nullptr, {D}, 15, true), "0:2026-03-16=0/1 0:2026-03-17=0/1"},
      {"weeks cut a record only where a week ends",
       {{"P", At(0, 23, 50), At(1, 0, 10)}, {"P", At(6, 23, 50), At(7, 0, 10)}},
       Choice(nullptr, nullptr, {W}, 60), "0:2026-03-16=4200/2 0:2026-03-23=3000/1"},
      {"months cut at a month's end", {{"P", At(15, 23, 50), At(16, 0, 10)}},
       Choice(nullptr, nullptr, {M}, 60), "0:2026-03=600/1 0:2026-04=3000/1"},
      {"years cut at New Year", {{"P", At(290, 23, 50), At(291, 0, 10)}},
       Choice(nullptr, nullptr, {Y}, 60), "0:2026=600/1 0:2027=3000/1"},
      {"letter case is ignored, the first spelling shown, ties by name",
       {{"acme", At(0, 1, 0), At(0, 2, 0)}, {"ACME", At(0, 3, 0), At(0, 4, 0)},
        {"beta", At(0, 5, 0), At(0, 6, 0)}, {"Alpha", At(0, 7, 0), At(0, 8, 0)}},
       Choice(nullptr, nullptr, {P}), "0:acme=7200/2 0:Alpha=3600/1 0:beta=3600/1"},
  };
  for (const Case& c : cases) EXPECT_EQ(Rows(Totals(Sheet(c.spans), c.choice)), c.rows) << c.what;
}

TEST(PureTotals, ARoundedRecordGivesTheSameTotalUnderEveryKey) {
  // 20 minutes over a week's end, 2 over a month's end, 50 over New Year.
  std::string bytes = Sheet({{"P", At(6, 23, 50), At(7, 0, 10)},
                             {"Q", At(15, 23, 59), At(16, 0, 1)},
                             {"P", At(290, 23, 30), At(291, 0, 20)}});
  const std::vector<std::vector<TotalsKey>> keys = {
      {kTotalsProject}, {kTotalsTask},   {kTotalsClassification}, {kTotalsDay},
      {kTotalsWeek},    {kTotalsMonth},  {kTotalsYear},           {kTotalsSheet},
      {kTotalsRecord},  {kTotalsDay, kTotalsRecord},              {kTotalsProject, kTotalsWeek}};
  for (const std::vector<TotalsKey>& by : keys) {
    for (bool nearest : {false, true}) {
      TotalsResult result = Totals(bytes, Choice(nullptr, nullptr, by, 15, nearest));
      int64_t finest = 0;
      for (const TotalsRow& row : result.rows)
        if (row.level + 1 == static_cast<int>(by.size())) finest += row.seconds;
      std::string what = TotalsKeyName(by[0]) + std::string(nearest ? " nearest" : " up");
      EXPECT_EQ(result.seconds, nearest ? 900 + 0 + 2700 : 1800 + 900 + 3600) << what;
      EXPECT_EQ(finest, result.seconds) << what;
    }
  }
}

TEST(PureTotals, PeriodsFollowNow) {
  struct Case {
    TotalsPeriod period;
    const char* now;
    bool sunday;
    const char* range;
  } cases[] = {
      {kPeriodQuarter, "2026-03-18T12:00:00", false, "2026-01-01 to 2026-03-31"},
      {kPeriodQuarter, "2026-11-30T12:00:00", false, "2026-10-01 to 2026-12-31"},
      {kPeriodLastQuarter, "2026-02-10T08:00:00", false, "2025-10-01 to 2025-12-31"},
      {kPeriodLastQuarter, "2026-07-01T00:00:00", false, "2026-04-01 to 2026-06-30"},
      {kPeriodWeek, "9999-12-31T12:00:00", false, "9999-12-27 to 9999-12-31"},
      {kPeriodWeek, "1601-01-02T12:00:00", true, "1601-01-01 to 1601-01-06"},
      {kPeriodWeek, "2026-03-18T12:00:00", false, "2026-03-16 to 2026-03-22"},
      {kPeriodWeek, "2026-03-22T23:59:59", true, "2026-03-22 to 2026-03-28"},
      {kPeriodLastWeek, "2026-03-16T00:00:00", false, "2026-03-09 to 2026-03-15"},
      {kPeriodYesterday, "2026-03-01T08:00:00", false, "2026-02-28 to 2026-02-28"},
      {kPeriodLastMonth, "2026-01-15T08:00:00", false, "2025-12-01 to 2025-12-31"},
      {kPeriodMonth, "2024-02-10T08:00:00", false, "2024-02-01 to 2024-02-29"},
      {kPeriodLastYear, "2026-01-01T00:00:00", false, "2025-01-01 to 2025-12-31"},
  };
  for (const Case& c : cases) {
    TotalsChoice choice;
    choice.period = c.period;
    if (c.period == kPeriodQuarter || c.period == kPeriodLastQuarter) {
      const char* name = c.period == kPeriodQuarter ? "quarter" : "lastquarter";
      ASSERT_TRUE(ParseTotalsPeriod(name, &choice.period) && choice.period == c.period);
    }
    choice.weekStartsSunday = c.sunday;
    ASSERT_TRUE(ParseTotalsNow(c.now, &choice.now));
    TotalsRange range = ResolveTotalsPeriod(choice);
    EXPECT_EQ(TotalsDateText(range.from) + " to " + TotalsDateText(range.to), c.range) << c.now;
  }
}

TEST(PureTotals, RunningTaskCountsUpToNow) {
  std::string bytes = Sheet({{"P", At(0, 9, 0), At(0, 10, 0)}, {"Q", At(0, 11, 0), 0}});
  TotalsChoice choice = Choice(nullptr, nullptr, {kTotalsProject});
  choice.now = At(0, 11, 45);
  TotalsResult running = Totals(bytes, choice);
  EXPECT_EQ(Rows(running), "0:P=3600/1 0:Q=2700/1");
  EXPECT_TRUE(running.running.counts && running.rows[1].running);
  EXPECT_EQ(running.running.project + " " + std::to_string(running.running.seconds), "Q 2700");
  choice.closedOnly = true;
  EXPECT_EQ(Rows(Totals(bytes, choice)), "0:P=3600/1");
  choice.closedOnly = false;
  choice.now = At(0, 10, 30);
  TotalsResult early = Totals(bytes, choice);
  EXPECT_EQ(Rows(early), "0:P=3600/1");
  EXPECT_EQ(early.warnings, std::vector<std::string>{
                                "jobs.tim: record 2 is the running task but starts after now; not counted"});
}

TEST(PureTotals, HostileRecordsAreWarnedAndNotCounted) {
  const int64_t end = TotalsDaySeconds({9999, 12, 31}) + 86400;
  std::string bytes = Sheet({{"open", At(0, 1, 0), 0}, {"back", At(0, 3, 0), At(0, 2, 0)},
                             {"early", -1, At(0, 1, 0)}, {"late", At(0, 1, 0), end + 1},
                             {"P", At(0, 1, 0), At(0, 2, 0)}}) + "piece";
  TotalsResult result = Totals(bytes, Choice(nullptr, nullptr, {kTotalsProject}));
  EXPECT_EQ(Rows(result), "0:P=3600/1");
  EXPECT_EQ(result.uncounted, 4);
  EXPECT_EQ(result.warnings, (std::vector<std::string>{
      "jobs.tim: record 1 is open but is not the last record; not counted",
      "jobs.tim: record 2 stops before it starts; not counted",
      "jobs.tim: record 3 has a time outside 1 January 1601 to 31 December 9999; not counted",
      "jobs.tim: record 4 has a time outside 1 January 1601 to 31 December 9999; not counted",
      "jobs.tim: the last 5 bytes are not a whole record and are ignored"}));
}

TEST(PureTotals, RecordsWorthAWarning) {
  TotalsChoice all = Choice(nullptr, nullptr, {kTotalsProject});
  all.now = At(0, 12, 0);
  TotalsChoice fromTuesday = Choice("2026-03-17", nullptr, {kTotalsProject});
  TotalsChoice filtered = all, filteredLater = fromTuesday;
  filtered.projects = {"Acme", "p"};
  filteredLater.projects = {"old"};
  struct Case {
    const char* what;
    std::string bytes;
    TotalsChoice choice;
    const char* rows;
    std::vector<std::string> warnings;
    std::vector<int> counts;  // uncounted, overlaps, long records
  } cases[] = {
      {"a record of zeros at the end is damage, not a running task",
       Sheet({{"P", At(0, 9, 0), At(0, 10, 0)}}) + std::string(256, '\0'), all, "0:P=3600/1",
       {"jobs.tim: record 2 has no start time; not counted"}, {1, 0, 0}},
      {"overlapping records both count; touching ones do not overlap",
       Sheet({{"A", At(0, 9, 0), At(0, 11, 0)}, {"B", At(0, 10, 0), At(0, 10, 30)},
              {"C", At(0, 10, 45), At(0, 12, 0)}, {"D", At(0, 12, 0), At(0, 13, 0)}}),
       all, "0:A=7200/1 0:C=4500/1 0:D=3600/1 0:B=1800/1",
       {"jobs.tim: records 1 and 2 overlap by 0:30", "jobs.tim: records 1 and 3 overlap by 0:15"},
       {0, 2, 0}},
      {"out of file order, by seconds",
       Sheet({{"X", At(0, 14, 0), At(0, 15, 0)}, {"Y", At(0, 9, 0), At(0, 10, 0)},
              {"Z", At(0, 9, 59, 30), At(0, 10, 30)}}),
       all, "0:X=3600/1 0:Y=3600/1 0:Z=1830/1", {"jobs.tim: records 2 and 3 overlap by 0:00:30"},
       {0, 1, 0}},
      {"only time inside the period overlaps",
       Sheet({{"A", At(0, 9, 0), At(0, 23, 0)}, {"B", At(0, 22, 0), At(1, 1, 0)}}), fromTuesday,
       "0:B=3600/1", {}, {0, 0, 0}},
      {"a record of more than 366 days counts and is named",
       Sheet({{"P", At(-800, 0, 0), At(-434, 0, 0)}, {"P", At(-400, 0, 0), At(-33, 0, 0)}}), all,
       "0:P=63331200/2", {"jobs.tim: record 2 spans 367 days"}, {0, 0, 1}},
      {"a filter text no record has is named", Sheet({{"P", At(0, 9, 0), At(0, 10, 0)}}),
       filtered, "0:P=3600/1", {"no record has project \"Acme\""}, {0, 0, 0}},
      {"one a record outside the period has is not", Sheet({{"Old", At(-30, 9, 0), At(-30, 10, 0)}}),
       filteredLater, "", {}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    TotalsResult result = Totals(c.bytes, c.choice);
    EXPECT_EQ(Rows(result), c.rows) << c.what;
    EXPECT_EQ(result.warnings, c.warnings) << c.what;
    EXPECT_EQ((std::vector<int>{result.uncounted, result.overlaps, result.longRecords}), c.counts)
        << c.what;
  }
}

TEST(PureTotals, RecordRowsShowTheirTextsAndTheTableIsSafeForATerminal) {
  std::string bytes = RecordBytes(MakeRecord("a\x1b[2Jb", "P\r\n", "c,d", At(0, 9, 0), At(0, 10, 0)));
  const char kInterval[] = "2026-03-16T09:00:00/2026-03-16T10:00:00";
  struct Case {
    TotalsFormat format;
    std::vector<TotalsKey> by;
    std::string shows;
  } cases[] = {
      {kFormatCsv, {kTotalsRecord},
       "record,task,project,classification,records,seconds,hours,hmm\r\n" + std::string(kInterval) +
           ",a\x1b[2Jb,\"P\r\n\",\"c,d\",1,3600,1.00,1:00\r\n"},
      {kFormatJson, {kTotalsRecord, kTotalsDay},
       "{\"day\": \"2026-03-16\", \"start\": \"2026-03-16T09:00:00\", \"stop\": "
       "\"2026-03-16T10:00:00\", \"task\": \"a\\u001b[2Jb\", \"project\": \"P\\u000d\\u000a\", "
       "\"classification\": \"c,d\", \"records\": 1"},
      {kFormatTable, {kTotalsRecord},
       std::string(kInterval) + "  a?[2Jb  P??      c,d             1:00   1.00        1\n"},
      {kFormatTable, {kTotalsProject}, "\nP??      1:00   1.00        1\n"},
  };
  for (const Case& c : cases) {
    TotalsChoice choice = Choice(nullptr, nullptr, c.by);
    std::string text = FormatTotals(Totals(bytes, choice), choice, {"jobs\x1b.tim"}, c.format, nullptr);
    EXPECT_NE(text.find(c.shows), std::string::npos) << text;
    if (c.format != kFormatTable) continue;
    for (char ch : text) EXPECT_TRUE(ch == '\n' || (ch >= 0x20 && ch != 0x7F)) << text;
  }
}
