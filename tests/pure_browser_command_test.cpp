#include <gtest/gtest.h>

#include <string>

#include "common/browser_command.h"

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

TEST(PureBrowserCommand, CommandLineQuotesTheProgramOnlyAndRefusesWhatDoesNotFit) {
  const std::string browser = "C:\\Program Files\\Web\\web.exe";
  // Quotes, blank and browser take 31 characters; the rest of a 511-character
  // line is the address.
  const std::string fits(511 - browser.size() - 3, 'a'), tooLong(fits + "b");
  struct Case { std::string browser, address; bool built; std::string line; } cases[] = {
      {browser, "http://www.example.com/", true,
       "\"C:\\Program Files\\Web\\web.exe\" http://www.example.com/"},
      {"", "http://www.example.com/", false, ""},
      {browser, fits, true, "\"" + browser + "\" " + fits},
      {browser, tooLong, false, ""},
      // A value kept whole for its upper-case .EXE: its arguments stay arguments.
      {"C:\\Old\\BROWSER.EXE -url %1", "https://www.example.com/", true,
       "\"C:\\Old\\BROWSER.EXE\" -url %1 https://www.example.com/"},
      {"C:\\Web Tools\\Web.Exe", "a", true, "\"C:\\Web Tools\\Web.Exe\" a"},
      {"C:\\my.exes\\web.eXe -new", "a", true, "\"C:\\my.exes\\web.eXe\" -new a"},
      {"C:\\Tools\\browser -url", "a", true, "\"C:\\Tools\\browser -url\" a"},
  };
  for (const Case& c : cases) {
    char out[512] = "leftover";
    EXPECT_EQ(BuildBrowserCommandLine(c.browser.c_str(), c.address.c_str(), out, sizeof out),
              c.built) << c.address.size();
    EXPECT_EQ(out, c.line);
    if (c.built) {
      EXPECT_LE(std::string(out).size(), 511u);
    }
  }
  EXPECT_EQ(std::string("\"" + browser + "\" " + fits).size(), 511u);
}
