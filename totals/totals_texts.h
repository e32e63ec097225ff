// The texts the Totals window shows for a result: list cells and the lines
// below the list.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "report/totals.h"

// One column per key of the choice, then "Hours", "Decimal", "Records",
// "Amount" when the totals have amounts, and "Share".
int TotalsColumnCount(const TotalsChoice& choice, bool amounts);
const char* TotalsColumnHeader(const TotalsChoice& choice, bool amounts, int column);
bool TotalsColumnIsShare(const TotalsChoice& choice, bool amounts, int column);
bool TotalsColumnIsAmount(const TotalsChoice& choice, bool amounts, int column);

// Hours read as the report writes them: "37:45" (h:mm) and "37.75".
// A cell of `row`. A row shows its key in the column of its level, the
// columns to its left empty, so rows beneath a subtotal read indented; the
// finest row the running task gave time to says "(running)".
void TotalsCellText(const TotalsResult& result, const TotalsChoice& choice, size_t row, int column,
                    char* out, size_t size);
// The row's share of the whole total, 0 to 1.
double TotalsShare(const TotalsResult& result, size_t row);
// A row over finer rows: drawn bold.
bool TotalsRowIsSubtotal(const TotalsResult& result, const TotalsChoice& choice, size_t row);

// "Total: 37:45 (37.75 hours) in 42 records"
std::string TotalsSummaryText(const TotalsResult& result);
// The same with ", <money>" and, when some of the hours have no rate,
// " (some projects have no rate)".
std::string TotalsSummaryWithAmount(const TotalsResult& result, const std::string& money);
// "2 records could not be counted; 1 overlap between records; 1 record
// spans more than 366 days", each part only when it applies; empty when
// there is nothing to warn of.
std::string UncountedText(const TotalsResult& result);
// The reasons, one warning a line, at most `lines` of them.
std::string UncountedReasons(const TotalsResult& result, size_t lines);
