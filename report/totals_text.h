// The number and period texts every totals format shares.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "report/totals.h"

std::string HoursText(int64_t seconds);      // "1.50": hours to 2 places, half up
std::string JsonHoursText(int64_t seconds);  // "1.5", "10.0": the same value, trimmed
std::string HmmText(int64_t seconds);        // "7:05": whole hours, two-digit minutes
std::string IntegerText(int64_t value);
// "2026-03-16 to 2026-03-22", "from 2026-03-16", "up to 2026-03-22", "all records".
std::string PeriodText(const TotalsResult& result);
// With `record` among the keys, the record's own texts stand beside its
// interval: those of task (0), project (1) and classification (2) that are
// not keys themselves.
std::vector<int> RecordTextFields(const TotalsChoice& choice);
const char* RecordTextName(int field);  // "task", "project", "classification"
const std::string& RecordText(const TotalsRow& row, int field);
// The key names of the choice, and the record's texts, joined by `separator`.
std::string KeyNames(const TotalsChoice& choice, const char* separator);
// The amount of a row, "1234.50", or empty when some of its time has no rate.
std::string AmountCell(const TotalsAmount& amount);
// What the total of amounts adds when some of the hours have no rate.
extern const char kSomeUnrated[];
std::string HtmlEscaped(const std::string& utf8);
// A page row's key cells: the row's own key in its column (with " *" when the
// running task gave it time), the other columns empty.
std::string HtmlKeyCells(const TotalsRow& row, size_t keys, AnsiToUtf8Function toUtf8);
// A page's end: the running task's line and the warnings, then the closing tags.
std::string HtmlPageEnd(const TotalsResult& result, AnsiToUtf8Function toUtf8);
