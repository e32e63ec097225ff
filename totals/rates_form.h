// What the Rates dialog shows and what its OK changes, apart from the window.
#pragma once
#include <string>
#include <vector>

#include "store/rates_text.h"

extern const char kRatesRefused[];

struct RatesForm {
  std::vector<std::string> projects;  // of the shown period
  std::vector<std::string> rates;     // as typed, one per project; empty: none of its own
  std::string defaultRate;
  std::string currency;
};

// The rates' texts as the user's locale writes a decimal (`decimal`, '.' or ',').
RatesForm MakeRatesForm(const std::vector<std::string>& projects, const ProjectRates& rates,
                        char decimal);
std::string RateFieldText(int64_t cents, char decimal);

// The field that holds no rate: a project's index, or one of these.
enum { kRatesFormOk = -1, kRatesFormDefault = -2 };
// The changes against `old`, only what differs; the first field whose text
// is neither empty nor a rate is named instead, and `edit` stays as it was.
int RatesFormEdit(const RatesForm& form, const ProjectRates& old, char decimal, RatesEdit* edit);
bool RatesEditChangesAnything(const RatesEdit& edit);
