#include <gtest/gtest.h>

#include "store/compare_no_case.h"

TEST(PureCompareNoCase, FoldsOnlyAsciiLettersAndComparesSignedBytes) {
  struct Case {
    const char* a;
    const char* b;
    int32_t expected;
  } cases[] = {
      {"abc", "ABC", 0},
      {"abc", "abcd", -1},
      {"abcd", "abc", 1},
      {"", "", 0},
      {"", "a", -1},
      {"a", "", 1},
      {"Meeting", "MEETING", 0},
      {"Meet", "Meeting", -1},
      {"Meeting", "Meetings", -1},
      {"abc", "abd", 'C' - 'D'},
      {"ABD", "abc", 'D' - 'C'},
      // '[' (91) lies between Z and a: after folding, a is 65.
      {"[", "a", '[' - 'A'},
      {"a", "[", 'A' - '['},
      {"`", "@", '`' - '@'},
      {"{", "{", 0},
      // Bytes above 127 count as negative and are never folded.
      {"\xE9", "a", -23 - 'A'},
      {"a", "\xE9", 'A' + 23},
      {"\xE9", "\xC9", -23 - (-55)},
      {"caf\xE9", "CAF\xE9", 0},
      {"\xFF", "\x80", -1 - (-128)},
      {"\x7F", "\x80", 127 + 128},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareNoCase(c.a, c.b), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
  }
}

TEST(PureCompareNoCase, StopsAtTheFirstDifference) {
  EXPECT_EQ(CompareNoCase("aZz", "Ayz"), 'Z' - 'Y');
  EXPECT_EQ(CompareNoCase("x1", "X2longer"), '1' - '2');
}
