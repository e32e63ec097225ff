#include <gtest/gtest.h>

#include <string>

#include "about/browser_command.h"

TEST(PureBrowserCommand, QuotesDroppedAndCutAfterTheFirstLowerCaseExe) {
  struct Case { std::string value, expected; } cases[] = {
      {"\"C:\\Program Files\\Browser\\browser.exe\" -nohome \"%1\"",
       "C:\\Program Files\\Browser\\browser.exe"},
      {"C:\\Tools\\web.exe", "C:\\Tools\\web.exe"},
      {"C:\\Old\\BROWSER.EXE \"%1\"", "C:\\Old\\BROWSER.EXE %1"},
      {"C:\\a.exe\\b.exe", "C:\\a.exe"},
      {"\"\"", ""},
      {".exe", ".exe"},
      {"x.ex\"e", "x.exe"},
  };
  for (const Case& c : cases) {
    char out[260];
    ExtractBrowserCommand(c.value.c_str(), out, sizeof out);
    EXPECT_EQ(out, c.expected) << c.value;
  }
}

TEST(PureBrowserCommand, NeverRunsPastItsBuffer) {
  char out[8];
  ExtractBrowserCommand("C:\\very\\long\\path\\browser.exe", out, sizeof out);
  EXPECT_STREQ(out, "C:\\very");
}
