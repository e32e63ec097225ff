#include "store/rates_file.h"

#include "store/options_file.h"

ProjectRates LoadRates(std::vector<std::string>* warnings) {
  std::string text;
  if (ReadOptionsText(&text) <= 0) return ProjectRates();
  return ParseRatesText(text.data(), text.size(), warnings);
}

bool SaveRates(const RatesEdit& edit) {
  return RewriteOptionsText([&edit](const std::string& text) { return RatesTextWith(text, edit); });
}
