#include "report_cli/report_options.h"

#include <string.h>

const char kReportUsage[] =
    "usage: hourwright-report [options] SHEET.tim...\n"
    "  --period today|yesterday|week|lastweek|month|lastmonth|quarter|lastquarter|\n"
    "           year|lastyear|all\n"
    "                          the days to total (default week, the week that holds now)\n"
    "  --from YYYY-MM-DD, --to YYYY-MM-DD\n"
    "                          whole days, both included; either end may be left open\n"
    "  --by KEY[,KEY...]       project, task, classification, day, week, month, year,\n"
    "                          sheet, record (default project)\n"
    "  --project TEXT, --task TEXT, --classification TEXT\n"
    "                          only records with one of these descriptions (any case)\n"
    "  --week-start monday|sunday\n"
    "  --round N               round each record up to N minutes (1-1440)\n"
    "  --round-mode up|nearest\n"
    "  --closed-only           leave the running task out\n"
    "  --now YYYY-MM-DDTHH:MM:SS\n"
    "                          the time taken as now\n"
    "  --format table|csv|tsv|json|html\n"
    "  --output FILE           write to FILE (never a .tim or .des file)\n"
    "  --rates FILE            amounts from the [rates] of FILE, an options file\n"
    "                          (on Windows the program's own options file by default)\n"
    "  --no-rates              no amounts\n"
    "  --help, --version\n";

namespace {

bool Fail(std::string* error, const std::string& text) {
  *error = text;
  return false;
}

bool ParseKeys(const std::string& list, std::vector<TotalsKey>* keys, std::string* error) {
  keys->clear();
  size_t at = 0;
  while (true) {
    size_t comma = list.find(',', at);
    std::string name = list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    TotalsKey key;
    if (!ParseTotalsKey(name.c_str(), &key)) return Fail(error, "--by: unknown key '" + name + "'");
    for (TotalsKey k : *keys)
      if (k == key) return Fail(error, "--by: key '" + name + "' given twice");
    keys->push_back(key);
    if (comma == std::string::npos) return true;
    at = comma + 1;
  }
}

bool ParseMinutes(const std::string& text, int* minutes) {
  if (text.empty() || text.size() > 4) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > 1440) return false;
  *minutes = value;
  return true;
}

// One option that takes a value.
bool TakeValue(const std::string& name, const std::string& value, ReportOptions* o,
               bool* periodGiven, std::string* error) {
  TotalsChoice& c = o->choice;
  if (name == "--period") {
    if (!ParseTotalsPeriod(value.c_str(), &c.period)) return Fail(error, "--period: unknown period '" + value + "'");
    *periodGiven = true;
  } else if (name == "--from" || name == "--to") {
    TotalsDate& date = name == "--from" ? c.from : c.to;
    if (!ParseTotalsDate(value.c_str(), &date))
      return Fail(error, name + ": bad date '" + value + "' (want YYYY-MM-DD)");
    (name == "--from" ? c.hasFrom : c.hasTo) = true;
  } else if (name == "--by") {
    return ParseKeys(value, &c.by, error);
  } else if (name == "--project") {
    c.projects.push_back(value);
  } else if (name == "--task") {
    c.tasks.push_back(value);
  } else if (name == "--classification") {
    c.classifications.push_back(value);
  } else if (name == "--week-start") {
    if (value != "monday" && value != "sunday")
      return Fail(error, "--week-start: want monday or sunday, not '" + value + "'");
    c.weekStartsSunday = value == "sunday";
  } else if (name == "--round") {
    if (!ParseMinutes(value, &c.roundMinutes))
      return Fail(error, "--round: want whole minutes from 1 to 1440, not '" + value + "'");
  } else if (name == "--round-mode") {
    if (value != "up" && value != "nearest")
      return Fail(error, "--round-mode: want up or nearest, not '" + value + "'");
    c.roundNearest = value == "nearest";
  } else if (name == "--now") {
    if (!ParseTotalsNow(value.c_str(), &c.now))
      return Fail(error, "--now: bad time '" + value + "' (want YYYY-MM-DDTHH:MM:SS)");
    o->hasNow = true;
  } else if (name == "--format") {
    if (!ParseTotalsFormat(value.c_str(), &o->format))
      return Fail(error, "--format: unknown format '" + value + "'");
  } else if (name == "--rates") {
    if (value.empty()) return Fail(error, "--rates: no file name");
    o->rates = value;
  } else if (name == "--output") {
    if (value.empty()) return Fail(error, "--output: no file name");
    o->output = value;
  } else {
    return Fail(error, "unknown option '" + name + "'");
  }
  return true;
}

bool IsFlag(const std::string& name) {
  return name == "--help" || name == "--version" || name == "--closed-only" || name == "--no-rates";
}

}  // namespace

bool ParseReportOptions(int argc, const char* const* argv, ReportOptions* options,
                        std::string* error) {
  ReportOptions o;
  bool periodGiven = false, onlySheets = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (onlySheets || arg.size() < 2 || arg[0] != '-') {
      o.sheets.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlySheets = true;
      continue;
    }
    size_t equals = arg.find('=');
    std::string name = arg.substr(0, equals);
    if (IsFlag(name)) {
      if (equals != std::string::npos) return Fail(error, name + " takes no value");
      if (name == "--help") o.help = true;
      if (name == "--version") o.version = true;
      if (name == "--closed-only") o.choice.closedOnly = true;
      if (name == "--no-rates") o.noRates = true;
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      // Said as unknown when it is, else as missing its value.
      TakeValue(name, "", &o, &periodGiven, error);
      if (error->compare(0, 7, "unknown") != 0) *error = name + " needs a value";
      return false;
    }
    if (!TakeValue(name, value, &o, &periodGiven, error)) return false;
  }
  if (o.help || o.version) {
    *options = o;
    return true;
  }
  TotalsChoice& c = o.choice;
  if (c.hasFrom || c.hasTo) {
    if (periodGiven) return Fail(error, "--period cannot be used with --from or --to");
    c.period = kPeriodDates;
    if (TotalsFromAfterTo(c))
      return Fail(error, "--from " + TotalsDateText(c.from) + " is after --to " + TotalsDateText(c.to));
  }
  if (o.noRates && !o.rates.empty()) return Fail(error, "--rates cannot be used with --no-rates");
  if (o.sheets.empty()) return Fail(error, "no time sheet given");
  *options = o;
  return true;
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
