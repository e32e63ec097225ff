#include <gtest/gtest.h>

#include <limits.h>
#include <string.h>

#include <utility>
#include <vector>

#include "store/time_sheet_rules.h"

static TimeRecord Rec(int64_t start, bool open = false) {
  TimeRecord r;
  memset(&r, 0, sizeof r);
  r.startSeconds = start;
  r.stopSeconds = open ? 0 : start + 60;
  return r;
}

TEST(PureTimeSheetRules, WrittenBackDropsOnlyATrailingOpenRecord) {
  struct Case { std::vector<TimeRecord> records; int32_t count; int32_t kept; } cases[] = {
      {{}, -1, 0},
      {{}, 0, 0},
      {{Rec(1)}, 1, 1},
      {{Rec(1, true)}, 1, 0},
      {{Rec(1), Rec(2, true)}, 2, 1},
      {{Rec(1, true), Rec(2)}, 2, 2},
      {{Rec(1), Rec(2, true), Rec(3, true)}, 3, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(RecordsWrittenBack(c.records.data(), c.count), c.kept);
  }
  // Any nonzero stop second closes a record, negative ones too.
  TimeRecord negative = Rec(5);
  negative.stopSeconds = -1;
  EXPECT_EQ(RecordsWrittenBack(&negative, 1), 1);
}

TEST(PureTimeSheetRules, AppendTakesTheOpenRecordsPlaceOrTheNextOne) {
  EXPECT_EQ(AppendSlot(0, false), 0);
  EXPECT_EQ(AppendSlot(0, true), 0);
  EXPECT_EQ(AppendSlot(5, false), 5);
  EXPECT_EQ(AppendSlot(5, true), 4);
  EXPECT_EQ(AppendSlot(1, true), 0);
}

TEST(PureTimeSheetRules, InsertGoesBeforeTheFirstStartAtOrAfterIt) {
  const std::vector<TimeRecord> sheet = {Rec(100), Rec(200), Rec(300)};
  struct Case { int64_t start; int32_t at; } cases[] = {
      {50, 0}, {100, 0}, {101, 1}, {200, 1}, {250, 2}, {300, 2}, {301, 3}, {400, 3},
      {INT64_MIN, 0}, {INT64_MAX, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    EXPECT_EQ(InsertPosition(sheet.data(), 3, c.start), c.at);
  }
  // File order counts, not time order: the first record at or after it wins.
  const std::vector<TimeRecord> unordered = {Rec(300), Rec(100), Rec(200)};
  EXPECT_EQ(InsertPosition(unordered.data(), 3, 150), 0);
  EXPECT_EQ(InsertPosition(unordered.data(), 3, 400), 3);
  EXPECT_EQ(InsertPosition(nullptr, 0, 5), 0);
  // An open record is placed by its start like any other.
  const std::vector<TimeRecord> logging = {Rec(100), Rec(200, true)};
  EXPECT_EQ(InsertPosition(logging.data(), 2, 300), 2);
}

TEST(PureTimeSheetRules, RecordIndexBounds) {
  EXPECT_FALSE(IsRecordIndex(3, -1));
  EXPECT_TRUE(IsRecordIndex(3, 0));
  EXPECT_TRUE(IsRecordIndex(3, 2));
  EXPECT_FALSE(IsRecordIndex(3, 3));
  EXPECT_FALSE(IsRecordIndex(0, 0));
  EXPECT_FALSE(IsRecordIndex(-1, 0));
  EXPECT_FALSE(IsRecordIndex(3, INT_MIN));
  EXPECT_FALSE(IsRecordIndex(3, INT_MAX));
}

TEST(PureTimeSheetRules, KeepFromGivesStretchesStartingAtOrAfterTheCutoff) {
  const std::vector<TimeRecord> sheet = {Rec(300), Rec(-5), Rec(100), Rec(200, true), Rec(50)};
  struct Case { int64_t cutoff; std::vector<std::pair<int32_t, int32_t>> runs; } cases[] = {
      {INT64_MIN, {{0, 5}}},
      {-5, {{0, 5}}},
      {-4, {{0, 1}, {2, 3}}},
      {50, {{0, 1}, {2, 3}}},
      {51, {{0, 1}, {2, 2}}},
      {101, {{0, 1}, {3, 1}}},
      {300, {{0, 1}}},
      {301, {}},
      {INT64_MAX, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cutoff);
    std::vector<RecordRun> runs((sheet.size() + 1) / 2);
    int32_t n = KeptRuns(sheet.data(), 5, c.cutoff, runs.data());
    ASSERT_EQ(n, static_cast<int32_t>(c.runs.size()));
    for (int32_t i = 0; i < n; ++i) {
      EXPECT_EQ(runs[i].first, c.runs[i].first);
      EXPECT_EQ(runs[i].count, c.runs[i].second);
    }
  }
  // Every other record kept: the most stretches there can be.
  const std::vector<TimeRecord> alternate = {Rec(9), Rec(1), Rec(9), Rec(1), Rec(9)};
  std::vector<RecordRun> runs(3);
  EXPECT_EQ(KeptRuns(alternate.data(), 5, 5, runs.data()), 3);
  EXPECT_EQ(runs[2].first, 4);
  EXPECT_EQ(KeptRuns(nullptr, 0, 0, nullptr), 0);
}
