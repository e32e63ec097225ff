// Texts a user may type into a numeric field, and what ParseInt reads in each:
// every numeric field's test runs over all of them.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

struct HostileText {
  std::string text;
  int32_t reads;
};

inline std::vector<HostileText> HostileTexts() {
  return {
      {"", 0}, {"   ", 0}, {"-", 0}, {"+", 0}, {"-1", -1}, {"+13", 13}, {"\t-0005", -5},
      {"99999999999999999999", 1661992959}, {"4294967297", 1}, {"-4294967297", -1},
      {"4294967296", 0}, {"abc", 0}, {"0x10", 0}, {"\xb9", 0},
      {std::string(300, '9'), -1}, {std::string(300, 'x'), 0},
  };
}
