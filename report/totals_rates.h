// What the hours of the totals are worth: each record's rounded time times
// its project's rate, kept exactly in cents.
#pragma once
#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

#include "store/rates_text.h"

struct TotalsResult;

const int64_t kNoRate = -1, kMixedRates = -2;

// A row's amount, in cents rounded half up, once the totals are finished.
struct TotalsAmount {
  int64_t cents = 0;
  int64_t rate = kNoRate;  // cents per hour of all its time, kMixedRates when they differ
  bool rated = false;      // some of its time has a rate
  bool unrated = false;    // some of its time has none
  // Its amount is known only when every second of it has a rate.
  bool Known() const { return rated && !unrated; }
  // While counting: the row's seconds per project as spelled, priced at the
  // end, so a record costs a text comparison rather than a lookup.
  std::vector<std::pair<std::string, int64_t>> projects;
  size_t last = 0;
};

struct TotalsPricing;
// Null without rates (none given, or none in them): nothing is priced.
TotalsPricing* StartPricing(const ProjectRates* rates);
// One piece of a record of `project`, `seconds` after rounding, into the
// finest row it belongs to.
void PricePiece(TotalsPricing* pricing, TotalsAmount* amount, const char* project,
                int64_t seconds);
// Prices each finest row, rounds it, sums the rows into the rows above and
// the total, says whether amounts are shown; frees the pricing.
void FinishPricing(TotalsPricing* pricing, TotalsResult* result, size_t levels);
