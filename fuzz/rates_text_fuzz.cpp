// The options file's [rates] as any bytes: read, then a rate set for a name
// made of the input and written back. The rewrite must keep the away minutes
// and every rate it did not touch, and read back the one it set.

#include "fuzz/fuzz_input.h"
#include "store/options_text.h"
#include "store/rates_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  uint8_t nameLength = input.Take<uint8_t>() % 64;
  int64_t cents = input.Take<uint32_t>() % (kRateMostCents + 1);
  std::string name;
  for (uint8_t i = 0; i < nameLength && input.Left() > 0; ++i) name += static_cast<char>(input.Take<uint8_t>());
  std::string text = input.Rest();
  ProjectRates before = ParseRatesText(text.data(), text.size(), nullptr);
  if (name.empty() || name.find('\0') != std::string::npos) return 0;
  RatesEdit edit;
  edit.projects.push_back({name, true, cents});
  std::string after = RatesTextWith(text, edit);
  FUZZ_CHECK(ParseAwayMinutes(after.data(), after.size()) == ParseAwayMinutes(text.data(), text.size()));
  if (text.find('\0') != std::string::npos) return 0;  // not text: no rates either way
  ProjectRates read = ParseRatesText(after.data(), after.size(), nullptr);
  int64_t found = -1;
  for (const ProjectRate& rate : read.projects)
    if (FoldedName(rate.project) == FoldedName(name)) found = rate.cents;
  FUZZ_CHECK(found == cents);
  for (const ProjectRate& rate : before.projects) {
    if (FoldedName(rate.project) == FoldedName(name)) continue;
    bool kept = false;
    for (const ProjectRate& again : read.projects) kept = kept || (again.project == rate.project && again.cents == rate.cents);
    FUZZ_CHECK(kept);
  }
  return 0;
}
