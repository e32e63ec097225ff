// The five forms of the totals, each in its own file.
#pragma once
#include "report/totals.h"

std::string FormatTotalsTable(const TotalsResult& result, const TotalsChoice& choice,
                              const std::vector<std::string>& sheetNames);
std::string FormatTotalsDelimited(const TotalsResult& result, const TotalsChoice& choice,
                                  char separator, AnsiToUtf8Function toUtf8);
std::string FormatTotalsJson(const TotalsResult& result, const TotalsChoice& choice,
                             AnsiToUtf8Function toUtf8);
std::string FormatTotalsHtml(const TotalsResult& result, const TotalsChoice& choice,
                             const std::vector<std::string>& sheetNames, AnsiToUtf8Function toUtf8);
// The HTML page when the totals have amounts: hours, rate and amount per row,
// made to be printed.
std::string FormatTotalsInvoice(const TotalsResult& result, const TotalsChoice& choice,
                                const std::vector<std::string>& sheetNames,
                                AnsiToUtf8Function toUtf8);
