#include "report/totals_rates.h"

#include <unordered_map>
#include <vector>

#include "report/totals.h"
#include "store/compare_no_case.h"

struct TotalsPricing {
  const ProjectRates* rates;
  std::unordered_map<std::string, int64_t> byName;  // folded name: cents per hour
  std::string folded;
  bool anyRated = false;
};

static void Fold(const char* text, std::string* out) {
  out->clear();
  for (; *text != '\0'; ++text) out->push_back(static_cast<char>(FoldedByte(*text)));
}

TotalsPricing* StartPricing(const ProjectRates* rates) {
  if (rates == nullptr || (rates->projects.empty() && !rates->hasDefault)) return nullptr;
  TotalsPricing* pricing = new TotalsPricing;
  pricing->rates = rates;
  pricing->byName.reserve(rates->projects.size());
  for (const ProjectRate& rate : rates->projects) {
    Fold(rate.project.c_str(), &pricing->folded);
    pricing->byName.emplace(pricing->folded, rate.cents);  // the first of equal names counts
  }
  return pricing;
}

static int64_t MergedRate(int64_t a, int64_t b) {
  if (a == kNoRate) return b;
  if (b == kNoRate) return a;
  return a == b ? a : kMixedRates;
}

// Seconds times cents per hour, over 3600, without losing a fraction: the
// whole cents and the remainder are kept apart.
void PricePiece(TotalsPricing* pricing, TotalsAmount* amount, const char* project,
                int64_t seconds) {
  Fold(project, &pricing->folded);
  auto found = pricing->byName.find(pricing->folded);
  int64_t rate;
  if (found != pricing->byName.end()) {
    rate = found->second;
  } else if (pricing->rates->hasDefault) {
    rate = pricing->rates->defaultCents;
  } else {
    amount->unrated = true;
    return;
  }
  pricing->anyRated = true;
  amount->rated = true;
  amount->rate = MergedRate(amount->rate, rate);
  int64_t product = seconds * rate;  // below 2^63: 8400 years of seconds times 10^7
  amount->cents += product / 3600;
  amount->rest += product % 3600;
  if (amount->rest >= 3600) {
    amount->rest -= 3600;
    ++amount->cents;
  }
}

static void Add(TotalsAmount* sum, const TotalsAmount& part) {
  if (part.Known()) sum->cents += part.cents;
  sum->rated = sum->rated || part.rated;
  sum->unrated = sum->unrated || part.unrated;
  sum->rate = MergedRate(sum->rate, part.rate);
}

// Rows come parent first; walked backwards, each row meets its children's
// sum in the level below it.
void FinishPricing(TotalsPricing* pricing, TotalsResult* result, size_t levels) {
  if (pricing == nullptr) return;
  std::vector<TotalsAmount> sums(levels + 1);
  size_t finest = levels - 1;
  for (size_t i = result->rows.size(); i-- > 0;) {
    TotalsRow& row = result->rows[i];
    size_t level = static_cast<size_t>(row.level);
    TotalsAmount& amount = row.amount;
    if (level == finest) {
      if (amount.rest * 2 >= 3600) ++amount.cents;  // half up
      amount.rest = 0;
      Add(&result->amount, amount);
    } else {
      amount = sums[level + 1];
      sums[level + 1] = TotalsAmount();
    }
    if (!amount.Known()) amount.cents = 0;
    Add(&sums[level], amount);
  }
  result->amounts = pricing->rates->hasDefault || pricing->anyRated;
  result->currency = pricing->rates->currency;
  delete pricing;
}
