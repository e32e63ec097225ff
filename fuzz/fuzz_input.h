// What every fuzz target shares: reading typed values off the fuzzer's bytes,
// and the check that turns a wrong answer into a finding.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

// Takes values from the front of the input; past its end they read as zero.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  template <typename T>
  T Take() {
    T value;
    memset(&value, 0, sizeof value);
    size_t n = size_ - at_ < sizeof value ? size_ - at_ : sizeof value;
    if (n > 0) memcpy(&value, data_ + at_, n);
    at_ += n;
    return value;
  }
  // The rest of the input, as bytes or as a NUL-terminated text.
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
    at_ = size_;
    return rest;
  }
  std::string Text() {
    std::string text = Rest();
    size_t nul = text.find('\0');
    return nul == std::string::npos ? text : text.substr(0, nul);
  }
  size_t Left() const { return size_ - at_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A wrong answer is a finding just as a crash is.
#define FUZZ_CHECK(condition)                                                       \
  do {                                                                              \
    if (!(condition)) {                                                             \
      fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      abort();                                                                      \
    }                                                                               \
  } while (0)

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's
// days_from_civil), an independent calendar for the oracles.
inline int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

inline bool NaiveIsDate(unsigned y, unsigned m, unsigned d) {
  if (m < 1 || m > 12 || d < 1) return false;
  static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= kDays[m - 1] + (m == 2 && leap ? 1u : 0u);
}

// Whole seconds since 1601-01-01 by the independent calendar.
inline int64_t NaiveFileSeconds(unsigned y, unsigned m, unsigned d, unsigned h, unsigned mi, unsigned s) {
  return (DaysFromCivil(y, m, d) - DaysFromCivil(1601, 1, 1)) * 86400 + h * 3600 + mi * 60 + s;
}
