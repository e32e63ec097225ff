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

void PricePiece(TotalsPricing*, TotalsAmount* amount, const char* project, int64_t seconds) {
  std::vector<std::pair<std::string, int64_t>>& projects = amount->projects;
  if (amount->last < projects.size() && projects[amount->last].first == project) {
    projects[amount->last].second += seconds;
    return;
  }
  for (size_t i = 0; i < projects.size(); ++i) {
    if (projects[i].first == project) {
      projects[i].second += seconds;
      amount->last = i;
      return;
    }
  }
  amount->last = projects.size();
  projects.emplace_back(project, seconds);
}

// Seconds times cents per hour, over 3600, rounded half up once for the
// row: the whole cents and the remainder are kept apart, so nothing is lost
// and nothing overflows.
static void PriceRow(TotalsPricing* pricing, TotalsAmount* amount) {
  int64_t rest = 0;
  for (const auto& spent : amount->projects) {
    Fold(spent.first.c_str(), &pricing->folded);
    auto found = pricing->byName.find(pricing->folded);
    int64_t rate;
    if (found != pricing->byName.end()) {
      rate = found->second;
    } else if (pricing->rates->hasDefault) {
      rate = pricing->rates->defaultCents;
    } else {
      amount->unrated = true;
      continue;
    }
    pricing->anyRated = true;
    amount->rated = true;
    amount->rate = MergedRate(amount->rate, rate);
    int64_t hours = spent.second / 3600, seconds = spent.second % 3600;
    amount->cents += hours * rate + seconds * rate / 3600;
    rest += seconds * rate % 3600;
  }
  amount->cents += rest / 3600 + (rest % 3600 * 2 >= 3600 ? 1 : 0);
  amount->projects.clear();
  amount->projects.shrink_to_fit();
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
      PriceRow(pricing, &amount);
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
