#include "totals/rates_form.h"

#include <unordered_map>

const char kRatesRefused[] = "Rates are amounts from 0 to 100000 with at most two decimals.";

static std::string Trimmed(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// Empty is no rate; a dot is taken as well as the locale's own separator.
static bool ParseField(const std::string& text, char decimal, bool* has, int64_t* cents) {
  std::string typed = Trimmed(text);
  if (typed.empty()) {
    *has = false;
    *cents = 0;
    return true;
  }
  for (char& c : typed)
    if (c == decimal) c = '.';
  if (!ParseRate(typed.data(), typed.size(), cents)) return false;
  *has = true;
  return true;
}

static std::unordered_map<std::string, int64_t> ByName(const ProjectRates& rates) {
  std::unordered_map<std::string, int64_t> byName;
  for (const ProjectRate& rate : rates.projects) byName.emplace(FoldedName(rate.project), rate.cents);
  return byName;
}

std::string RateFieldText(int64_t cents, char decimal) {
  std::string text = CentsText(cents);
  for (char& c : text)
    if (c == '.') c = decimal;
  return text;
}

RatesForm MakeRatesForm(const std::vector<std::string>& projects, const ProjectRates& rates,
                        char decimal) {
  std::unordered_map<std::string, int64_t> byName = ByName(rates);
  RatesForm form;
  form.projects = projects;
  for (const std::string& project : projects) {
    auto found = byName.find(FoldedName(project));
    form.rates.push_back(found == byName.end() ? std::string() : RateFieldText(found->second, decimal));
  }
  if (rates.hasDefault) form.defaultRate = RateFieldText(rates.defaultCents, decimal);
  form.currency = rates.currency;
  return form;
}

int RatesFormEdit(const RatesForm& form, const ProjectRates& old, char decimal, RatesEdit* edit) {
  std::unordered_map<std::string, int64_t> byName = ByName(old);
  RatesEdit made;
  for (size_t i = 0; i < form.projects.size(); ++i) {
    bool has = false;
    int64_t cents = 0;
    if (!ParseField(i < form.rates.size() ? form.rates[i] : std::string(), decimal, &has, &cents))
      return static_cast<int>(i);
    auto found = byName.find(FoldedName(form.projects[i]));
    bool had = found != byName.end();
    if (has != had || (has && cents != found->second)) made.projects.push_back({form.projects[i], has, cents});
  }
  if (!ParseField(form.defaultRate, decimal, &made.hasDefault, &made.defaultCents)) return kRatesFormDefault;
  made.changeDefault = made.hasDefault != old.hasDefault ||
                       (made.hasDefault && made.defaultCents != old.defaultCents);
  // A pasted tab or line break has no place in a currency code.
  for (char c : Trimmed(form.currency))
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) made.currency += c;
  made.changeCurrency = made.currency != old.currency;
  *edit = made;
  return kRatesFormOk;
}

bool RatesEditChangesAnything(const RatesEdit& edit) {
  return !edit.projects.empty() || edit.changeDefault || edit.changeCurrency;
}
