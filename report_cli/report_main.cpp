// hourwright-report: hours per project, task, classification or date from
// one or more time sheets, as a table, CSV, TSV, JSON or an HTML page.
#include <memory>
#include <new>
#include <stdexcept>
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

struct SheetReading {
  TotalsRun* run;
  const std::string* name;
};

static void TakePiece(void* context, const unsigned char* bytes, size_t size, bool ends) {
  SheetReading* reading = static_cast<SheetReading*>(context);
  AddTotalsBytes(reading->run, *reading->name, bytes, size, ends);
}

static void ConvertTexts(std::vector<std::string>* texts) {
  for (std::string& text : *texts) text = ArgumentToAnsi(text);
}

// The rates of --rates FILE or, without it, of the program's own options
// file; a bad line is warned and skipped. False when the named file cannot
// be read.
static bool LoadRates(const ReportOptions& options, TotalsChoice* choice) {
  if (options.noRates) return true;
  std::string text, source = options.rates, reason;
  if (!options.rates.empty()) {
    if (!ReadRatesFile(options.rates, &text, &reason)) {
      WriteStandardError("hourwright-report: cannot read " + ArgumentToAnsi(options.rates) + ": " + reason + "\n");
      return false;
    }
  } else {
    int read = ReadOwnOptions(&text, &source);
    if (read < 0) WriteStandardError("hourwright-report: warning: cannot read " + source + "; no rates\n");
    if (read <= 0) return true;
  }
  std::vector<std::string> warnings;
  auto rates = std::make_shared<ProjectRates>(ParseRatesText(text.data(), text.size(), &warnings));
  for (const std::string& warning : warnings)
    WriteStandardError("hourwright-report: warning: " + ArgumentToAnsi(source) + ": " + warning + "\n");
  // A rates file typed on a UTF-8 system names projects as the sheets spell them.
  for (ProjectRate& rate : rates->projects) rate.project = ArgumentToAnsi(rate.project);
  rates->currency = ArgumentToAnsi(rates->currency);
  choice->rates = rates;
  return true;
}

// A full disk or a closed pipe is a failure, not a report.
static int WriteOutput(const std::string& text, bool table) {
  std::string reason;
  if (WriteStandardOutput(text, table, &reason)) return kExitOk;
  WriteStandardError("hourwright-report: cannot write the output: " + reason + "\n");
  return kExitFile;
}

// Excel takes a CSV file without the mark for its own code page; pipes get none.
static const char kByteOrderMark[] = "\xEF\xBB\xBF";

static int Report(int argc, char** argv) {
  ReportOptions options;
  std::string error;
  if (!ParseReportOptions(argc, argv, &options, &error)) return UsageError(error);
  if (options.help) return WriteOutput(kReportUsage, true);
  if (options.version) return WriteOutput("hourwright-report " HOURWRIGHT_VERSION_TEXT "\n", true);
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
  if (!LoadRates(options, &choice)) return kExitFile;

  // Every sheet is read before anything is written.
  TotalsRun* run = StartTotals(choice);
  std::vector<std::string> names;
  for (const std::string& path : options.sheets) {
    names.push_back(ArgumentToAnsi(FileNameOf(path)));
    SheetReading reading = {run, &names.back()};
    std::string reason;
    if (!ReadSheetFile(path, TakePiece, &reading, &reason)) {
      WriteStandardError("hourwright-report: cannot read " + ArgumentToAnsi(path) + ": " + reason + "\n");
      FinishTotals(run);
      return kExitFile;
    }
  }
  TotalsResult result = FinishTotals(run);
  for (const std::string& warning : result.warnings)
    WriteStandardError("hourwright-report: warning: " + warning + "\n");
  std::string text = FormatTotals(result, choice, names, options.format, SystemToUtf8());
  bool table = options.format == kFormatTable;
  if (options.output.empty()) return WriteOutput(text, table);
  if (options.format == kFormatCsv || options.format == kFormatTsv) text.insert(0, kByteOrderMark);
  std::string reason;
  if (!WriteOutputFile(options.output, table ? TableForFile(text) : text, &reason)) {
    WriteStandardError("hourwright-report: cannot write " + ArgumentToAnsi(options.output) + ": " + reason + "\n");
    return kExitFile;
  }
  return kExitOk;
}

// Memory never ends the command unannounced: a record typed as 9024 for
// 2024, grouped by day, asks for millions of rows.
int main(int argc, char** argv) {
  try {
    return Report(argc, argv);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  WriteStandardError("hourwright-report: not enough memory for these totals\n");
  return kExitFile;
}
