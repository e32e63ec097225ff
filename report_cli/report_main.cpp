// hourwright-report: hours per project, task, classification or date from
// one or more time sheets, as a table, CSV, TSV, JSON or an HTML page.
#include <string>
#include <vector>

#include "common/version.h"
#include "report/totals.h"
#include "report_cli/report_io.h"
#include "report_cli/report_options.h"

enum { kExitOk = 0, kExitUsage = 1, kExitFile = 2 };

static int UsageError(const std::string& message) {
  WriteStandardError("hourwright-report: " + message + "\n" + kReportUsage);
  return kExitUsage;
}

static void ConvertTexts(std::vector<std::string>* texts) {
  for (std::string& text : *texts) text = ArgumentToAnsi(text);
}

int main(int argc, char** argv) {
  ReportOptions options;
  std::string error;
  if (!ParseReportOptions(argc, argv, &options, &error)) return UsageError(error);
  if (options.help) {
    WriteStandardOutput(kReportUsage, true);
    return kExitOk;
  }
  if (options.version) {
    WriteStandardOutput("hourwright-report " HOURWRIGHT_VERSION_TEXT "\n", true);
    return kExitOk;
  }
  if (!options.output.empty() && IsSheetOrDescriptionsPath(options.output)) {
    WriteStandardError("hourwright-report: will not write over a time sheet or descriptions file: " +
                       ArgumentToAnsi(options.output) + "\n");
    return kExitUsage;
  }
  TotalsChoice& choice = options.choice;
  if (!options.hasNow) choice.now = LocalNowSeconds();
  ConvertTexts(&choice.projects);
  ConvertTexts(&choice.tasks);
  ConvertTexts(&choice.classifications);

  // Every sheet is read before anything is written.
  std::vector<std::string> contents(options.sheets.size());
  std::vector<std::string> names;
  std::vector<TotalsSheet> sheets;
  for (size_t i = 0; i < options.sheets.size(); ++i) {
    std::string reason;
    if (!ReadSheetFile(options.sheets[i], &contents[i], &reason)) {
      WriteStandardError("hourwright-report: cannot read " + ArgumentToAnsi(options.sheets[i]) +
                         ": " + reason + "\n");
      return kExitFile;
    }
    names.push_back(ArgumentToAnsi(FileNameOf(options.sheets[i])));
    TotalsSheet sheet = {names.back(), reinterpret_cast<const unsigned char*>(contents[i].data()),
                         contents[i].size()};
    sheets.push_back(sheet);
  }

  TotalsResult result = ComputeTotals(sheets, choice);
  for (const std::string& warning : result.warnings)
    WriteStandardError("hourwright-report: warning: " + warning + "\n");
  std::string text = FormatTotals(result, choice, names, options.format, SystemToUtf8());
  bool table = options.format == kFormatTable;
  if (options.output.empty()) {
    WriteStandardOutput(text, table);
    return kExitOk;
  }
  std::string reason;
  if (!WriteOutputFile(options.output, table ? TableForFile(text) : text, &reason)) {
    WriteStandardError("hourwright-report: cannot write " + ArgumentToAnsi(options.output) + ": " + reason + "\n");
    return kExitFile;
  }
  return kExitOk;
}
