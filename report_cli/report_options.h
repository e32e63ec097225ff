// The command line of hourwright-report, read into a totals choice.
#pragma once
#include <string>
#include <vector>

#include "report/totals.h"

struct ReportOptions {
  TotalsChoice choice;
  TotalsFormat format = kFormatTable;
  bool help = false;
  bool version = false;
  bool hasNow = false;  // otherwise the caller fills choice.now from the clock
  std::string output;   // empty: standard output
  std::string rates;    // --rates FILE
  bool noRates = false;
  std::vector<std::string> sheets;
};

// False with a one-line `error` for an unknown option, a missing or bad value,
// --from after --to, or no sheet; --help and --version need no sheet.
bool ParseReportOptions(int argc, const char* const* argv, ReportOptions* options,
                        std::string* error);

extern const char kReportUsage[];

// The file name after the last / or \.
std::string FileNameOf(const std::string& path);
