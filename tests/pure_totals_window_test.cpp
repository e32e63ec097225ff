// The Totals window's pure rules: the rounding box's text and the names a
// saved report may not take.
#include <gtest/gtest.h>

#include <utility>

#include "totals/report_file.h"
#include "totals/totals_choices.h"

TEST(PureTotalsWindow, RoundingBoxTextGivesMinutes) {
  const std::pair<const char*, int> cases[] = {
      {"", 0},        {"0", 0},    {"15", 15}, {"1440", 1440}, {"1441", 1440},
      {"9999", 1440}, {"15x", 15}, {" 15", 0}, {"-5", 0},      {"00000000000000000007", 7}};
  for (const auto& c : cases) EXPECT_EQ(ParseRoundMinutes(c.first), c.second) << c.first;
}

TEST(PureTotalsWindow, ReportNeverTakesASheetsName) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\a\\jobs.tim", true}, {"C:\\a\\JOBS.TIM", true},   {"jobs.Des", true},
      {"jobs.tim.", true},       {"jobs.tim . ", true},       {"jobs.tim.html", false},
      {"tim", false},            {".tim", true},              {"", false}};
  for (const auto& c : cases) EXPECT_EQ(IsSheetFileName(c.first), c.second) << c.first;
}
