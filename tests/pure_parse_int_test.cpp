#include <gtest/gtest.h>

#include "common/parse_int.h"
#include "tests/hostile_texts.h"

TEST(PureParseInt, ReadsLikeAtoiAndWrapsIn32Bits) {
  struct Case { const char* text; int32_t expected; } cases[] = {
      {"12ab", 12}, {" -7", -7}, {"+-3", 0}, {"", 0}, {"4294967297", 1},
      {"\t\n\v\f\r 42", 42}, {"+15", 15}, {"--1", 0}, {"x1", 0},
      {"2147483647", 2147483647}, {"2147483648", INT32_MIN}, {"-2147483648", INT32_MIN},
      {"99999999999", 1215752191}, {"-2147483649", INT32_MAX},
      {"-99999999999999999999", -1661992959}, {"00000000000000000000042", 42}, {"3x", 3}, {"- 3", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(PureParseInt, ReadsEveryHostileTextAsTheFieldTestsExpect) {
  for (const HostileText& h : HostileTexts()) EXPECT_EQ(ParseInt(h.text.c_str()), h.reads) << '"' << h.text << '"';
}
