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
#include "store/data_file_read.h"
#include "store/output_guard.h"

enum { kExitOk = 0, kExitUsage = 1, kExitFile = 2 };

static int UsageError(const std::string& message) {
  WriteStandardError("hourwright-report: " + message + "\n" + kReportUsage);
  return kExitUsage;
}

// One sheet into the totals, piece by piece: it need not fit in memory, and
// Hourwright may go on logging into it meanwhile. False with a short reason.
static bool ReadSheet(TotalsRun* run, const std::string& path, const std::string& name,
                      std::string* reason) {
  DataFileReader reader;
  DataFileRead read = reader.Open(path.c_str(), kShareWithLogging);
  std::vector<unsigned char> buffer(read.state == kDataFileRead ? kSheetPieceSize : 0);
  while (read.state == kDataFileRead) {
    size_t got = reader.NextRecords(buffer.data(), buffer.size());
    read = reader.Outcome();
    if (read.state != kDataFileRead) break;
    bool ends = reader.AtEnd();
    AddTotalsBytes(run, name, buffer.data(), got + (ends ? reader.Trailing() : 0), ends);
    if (ends) return true;
  }
  *reason = read.state == kDataFileMissing ? "no such file" : SystemErrorText(read.error);
  return false;
}

// A rates file read whole through the same reader; false with a short reason
// when it is missing, a folder, not readable or larger than any options file.
static bool ReadRatesFile(const std::string& path, std::string* text, std::string* reason) {
  enum { kRatesFileMost = 16 << 20 };
  DataFileReader reader;
  DataFileRead read = reader.Open(path.c_str(), kShareWithLogging);
  if (read.state == kDataFileRead && reader.Size() > kRatesFileMost) {
    *reason = "too large for a rates file";
    return false;
  }
  text->assign(read.state == kDataFileRead ? static_cast<size_t>(reader.Size()) : 0, '\0');
  // A file that grew meanwhile is read as far as it was.
  if (read.state == kDataFileRead) text->resize(reader.Read(&(*text)[0], text->size()));
  read = reader.Outcome();
  if (read.state == kDataFileRead) return true;
  *reason = read.state == kDataFileMissing ? "no such file" : SystemErrorText(read.error);
  return false;
}

// Never over a sheet it reads, nor over their descriptions files.
static bool MayWrite(const ReportOptions& options) {
  std::vector<const char*> sheets;
  for (const std::string& sheet : options.sheets) sheets.push_back(sheet.c_str());
  return MayWriteOutput(options.output.c_str(), sheets.data(), sheets.size());
}

// The first of the sheets before `index` that is the same file, or -1.
static int SameAsEarlier(const std::vector<std::string>& sheets, size_t index) {
  for (size_t i = 0; i < index; ++i)
    if (SameFile(sheets[i].c_str(), sheets[index].c_str())) return static_cast<int>(i);
  return -1;
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
  if (!options.output.empty() && !MayWrite(options)) {
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

  // Every sheet is read before anything is written. A sheet is keyed and
  // named in warnings by its path as given, so two sheets of one name in
  // different folders stay apart; one given twice is counted once.
  TotalsRun* run = StartTotals(choice);
  std::vector<std::string> names, repeated;
  for (size_t i = 0; i < options.sheets.size(); ++i) {
    const std::string& path = options.sheets[i];
    int earlier = SameAsEarlier(options.sheets, i);
    if (earlier >= 0) {
      repeated.push_back(ArgumentToAnsi(path) + " is the same file as " +
                         ArgumentToAnsi(options.sheets[earlier]) + "; counted once");
      continue;
    }
    names.push_back(ArgumentToAnsi(FileNameOf(path)));
    std::string reason;
    if (!ReadSheet(run, path, ArgumentToAnsi(path), &reason)) {
      WriteStandardError("hourwright-report: cannot read " + ArgumentToAnsi(path) + ": " + reason + "\n");
      FinishTotals(run);
      return kExitFile;
    }
  }
  TotalsResult result = FinishTotals(run);
  result.warnings.insert(result.warnings.begin(), repeated.begin(), repeated.end());
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
