#include "report/totals_format.h"

std::string FormatTotals(const TotalsResult& result, const TotalsChoice& choice,
                         const std::vector<std::string>& sheetNames, TotalsFormat format,
                         AnsiToUtf8Function toUtf8) {
  if (toUtf8 == nullptr) toUtf8 = Windows1252ToUtf8;
  switch (format) {
    case kFormatTable:
      return FormatTotalsTable(result, choice, sheetNames);
    case kFormatCsv:
      return FormatTotalsDelimited(result, choice, ',', toUtf8);
    case kFormatTsv:
      return FormatTotalsDelimited(result, choice, '\t', toUtf8);
    case kFormatJson:
      return FormatTotalsJson(result, choice, toUtf8);
    case kFormatHtml:
      return FormatTotalsHtml(result, choice, sheetNames, toUtf8);
  }
  return std::string();
}
