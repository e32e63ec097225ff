// Rates per project in the "[rates]" section of the options file:
//   Acme Bookkeeping=85.00
//   *default*=60
//   *currency*=EUR
// A project name writes a backslash and two hex digits for a byte an .ini key
// cannot hold as it is (see EscapedRateKey).
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

enum { kRateMostCents = 10000000, kCurrencyMost = 8, kRatesWarningsMost = 100 };

struct ProjectRate {
  std::string project;  // the name as written; names match regardless of case
  int64_t cents;        // per hour
};

struct ProjectRates {
  std::vector<ProjectRate> projects;  // one per name: the first given counts
  bool hasDefault = false;
  int64_t defaultCents = 0;  // for projects without a rate of their own
  std::string currency;      // e.g. "EUR"; empty when none is named
};

// "85", "85.5", "85.50": digits, then a dot and one or two digits, from 0 to
// 100000. False for anything else, leaving `cents` as it was.
bool ParseRate(const char* text, size_t length, int64_t* cents);
// "1234.50": cents as a decimal with a dot and two places.
std::string CentsText(int64_t cents);
// A currency code as the file keeps it: 1 to 8 characters, none a control.
bool IsCurrencyCode(const std::string& text);

// A project name as rates are looked up: its letters a to z in upper case.
std::string FoldedName(const std::string& project);

// `\` followed by two hex digits stands for that byte: written for a
// backslash, '=', a control character, a leading '[', ';', '*' or blank and
// a trailing blank.
std::string EscapedRateKey(const std::string& project);
bool UnescapedRateKey(const char* key, size_t length, std::string* project);

// The rates of an options file's text. A line that holds no rate is skipped
// and told in `warnings` ("line 4: ..."); a text that is not text (it holds
// a NUL byte) has no rates at all.
ProjectRates ParseRatesText(const char* text, size_t length, std::vector<std::string>* warnings);

// Changes made in the Rates dialog: only these keys' lines are rewritten.
struct RateChange {
  std::string project;
  bool has;  // false: the project has no rate of its own any more
  int64_t cents;
};
struct RatesEdit {
  std::vector<RateChange> projects;
  bool changeDefault = false;
  bool hasDefault = false;
  int64_t defaultCents = 0;
  bool changeCurrency = false;
  std::string currency;  // empty: none
};

// The options file's text with the changes made; every other line, of the
// rates and of other sections, byte for byte as it was.
std::string RatesTextWith(const std::string& text, const RatesEdit& edit);
