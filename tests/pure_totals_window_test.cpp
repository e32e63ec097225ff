// The Totals window's pure rules: the rounding box's text and the names a
// saved report may take.
#include <gtest/gtest.h>

#include "totals/report_file.h"
#include "totals/totals_choices.h"

TEST(PureTotalsWindow, RoundingBoxTextGivesMinutes) {
  struct Case {
    const char* text;
    int minutes;
  } cases[] = {
      {"", 0},        {"0", 0},    {"15", 15}, {"1440", 1440}, {"1441", 1440},
      {"9999", 1440}, {"15x", 15}, {" 15", 0}, {"-5", 0},      {"00000000000000000007", 7}};
  for (const Case& c : cases) EXPECT_EQ(ParseRoundMinutes(c.text), c.minutes) << c.text;
}

TEST(PureTotalsWindow, ReportNeverTakesASheetsName) {
  struct Case {
    const char* path;
    bool sheet;
  } cases[] = {{"C:\\a\\jobs.tim", true},
               {"C:\\a\\JOBS.TIM", true},
               {"jobs.Des", true},
               {"jobs.tim.", true},
               {"jobs.tim . ", true},
               {"jobs.tim.html", false},
               {"jobs totals.html", false},
               {"tim", false},
               {".tim", true},
               {"", false}};
  for (const Case& c : cases) EXPECT_EQ(IsSheetFileName(c.path), c.sheet) << c.path;
}

TEST(PureTotalsWindow, DefaultReportSitsBesideTheSheet) {
  char path[32];
  struct Case {
    const char* sheet;
    const char* report;
    bool fits;
  } cases[] = {{"C:\\t\\jobs.tim", "C:\\t\\jobs totals.html", true},
               {"C:\\t.d\\jobs", "C:\\t.d\\jobs totals.html", true},
               {"C:\\a.b\\c.d.tim", "C:\\a.b\\c.d totals.html", true},
               {"C:\\a longer folder\\jobs.tim", "", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultReportPath(c.sheet, path, sizeof path), c.fits) << c.sheet;
    EXPECT_STREQ(path, c.report);
  }
}
