// The Totals window's pure rules: the rounding box's text.
#include <gtest/gtest.h>

#include <utility>

#include "totals/totals_choices.h"

TEST(PureTotalsWindow, RoundingBoxTextGivesMinutes) {
  const std::pair<const char*, int> cases[] = {
      {"", 0},        {"0", 0},    {"15", 15}, {"1440", 1440}, {"1441", 1440},
      {"9999", 1440}, {"15x", 15}, {" 15", 0}, {"-5", 0},      {"00000000000000000007", 7}};
  for (const auto& c : cases) EXPECT_EQ(ParseRoundMinutes(c.first), c.second) << c.first;
}
