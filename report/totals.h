// Hours per project, task, classification or date over one or more time
// sheets: the totals behind `hourwright-report` and File > Totals.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "report/totals_rates.h"

enum TotalsKey {
  kTotalsProject,
  kTotalsTask,
  kTotalsClassification,
  kTotalsDay,    // YYYY-MM-DD
  kTotalsWeek,   // the date of the week's first day, YYYY-MM-DD
  kTotalsMonth,  // YYYY-MM
  kTotalsYear,   // YYYY
  kTotalsSheet,  // the sheet's file name
  kTotalsRecord  // one row per record, or per piece where a date key cuts it
};

// "project", "task", ... as `--by` takes them; false for any other name.
bool ParseTotalsKey(const char* name, TotalsKey* key);
const char* TotalsKeyName(TotalsKey key);

enum TotalsPeriod {
  kPeriodToday,
  kPeriodYesterday,
  kPeriodWeek,
  kPeriodLastWeek,
  kPeriodMonth,
  kPeriodLastMonth,
  kPeriodQuarter,  // calendar quarters: January to March, ...
  kPeriodLastQuarter,
  kPeriodYear,
  kPeriodLastYear,
  kPeriodAll,
  kPeriodDates  // from and/or to below, either end may be open
};

struct TotalsDate {
  int year;
  int month;  // 1-12
  int day;    // 1-31
};

// "today", "week", ... "all" as `--period` takes them; false for any other.
bool ParseTotalsPeriod(const char* name, TotalsPeriod* period);
// "YYYY-MM-DD", a calendar day of the years 1601 to 9999.
bool ParseTotalsDate(const char* text, TotalsDate* date);
// "YYYY-MM-DDTHH:MM:SS" as local seconds since 1601-01-01, as FileSeconds.
bool ParseTotalsNow(const char* text, int64_t* seconds);
// Local seconds at the start of a day, and the day that holds a second.
int64_t TotalsDaySeconds(const TotalsDate& date);
TotalsDate TotalsDayOf(int64_t seconds);
// "YYYY-MM-DD" and "YYYY-MM-DDTHH:MM:SS".
std::string TotalsDateText(const TotalsDate& date);
std::string TotalsTimeText(int64_t seconds);

struct TotalsChoice {
  TotalsPeriod period = kPeriodWeek;
  bool hasFrom = false;  // kPeriodDates only
  TotalsDate from = {};
  bool hasTo = false;  // kPeriodDates only; both ends are whole days, included
  TotalsDate to = {};
  std::vector<TotalsKey> by = {kTotalsProject};
  // Filters: empty means any; otherwise one of the texts, regardless of case.
  std::vector<std::string> projects, tasks, classifications;
  bool weekStartsSunday = false;
  int roundMinutes = 0;  // 0: exact seconds; else 1-1440, each record rounded once
  bool roundNearest = false;  // half up; false rounds up
  bool closedOnly = false;    // the running task counts nothing
  int64_t now = 0;            // local seconds since 1601-01-01, as FileSeconds
  std::shared_ptr<const ProjectRates> rates;  // null: no amounts
};

// One sheet's bytes as read from its file, named by its file name.
struct TotalsSheet {
  std::string name;
  const unsigned char* bytes;
  size_t size;
};

struct TotalsRow {
  int level;                      // 0 to by.size() - 1; the last is the finest
  std::vector<std::string> keys;  // the texts of keys 0 to level, as shown
  int64_t seconds;                // after rounding
  int records;                    // records that gave the row time
  bool running;                   // the running task gave the row time
  int64_t start, stop;            // with kTotalsRecord: the piece, local seconds
  // With kTotalsRecord, its rows and those beneath carry the record's texts.
  std::string task, project, classification;
  TotalsAmount amount;  // with rates
};

struct TotalsRunning {
  bool counts;  // false when there is none, with closedOnly, or outside the period
  std::string task, project, classification;
  int64_t start;    // local seconds
  int64_t seconds;  // what it gave, after rounding
};

struct TotalsResult {
  // The period resolved: first and last day, included; open ends have no date.
  bool hasFrom, hasTo;
  TotalsDate from, to;
  // Tree order: each upper-level row is followed by the rows beneath it;
  // within a level, date keys and records in time order, others by total,
  // largest first, ties by name regardless of case.
  std::vector<TotalsRow> rows;
  int64_t seconds;  // total, after rounding
  int records;
  TotalsRunning running;
  int uncounted;                      // hostile records that counted nothing
  int overlaps;                       // counted records that start before another ends
  int longRecords;                    // counted records of more than 366 days
  // Each names the sheet and the record numbers; then the filter texts no
  // record has.
  std::vector<std::string> warnings;
  // With rates: shown when there is a default or a counted project has a
  // rate; the total sums the finest rows whose amount is known.
  bool amounts = false;
  TotalsAmount amount;
  std::string currency;
};

// The period's first and last day for the choice's now; open ends have no date.
struct TotalsRange {
  bool hasFrom, hasTo;
  TotalsDate from, to;
};
// Both ends lie within 1601-01-01 and 9999-12-31.
TotalsRange ResolveTotalsPeriod(const TotalsChoice& choice);
// Dates whose From is after their To: refused, never an empty total.
bool TotalsFromAfterTo(const TotalsChoice& choice);

// Short of memory, these throw std::bad_alloc and hold nothing back.
TotalsResult ComputeTotals(const std::vector<TotalsSheet>& sheets, const TotalsChoice& choice);

// The same piece by piece, for a reader that need not hold a sheet whole:
// each sheet's bytes in order, every piece but its last a whole number of
// records; the last says `sheetEnds` (and may be empty).
struct TotalsRun;
TotalsRun* StartTotals(const TotalsChoice& choice);
void AddTotalsBytes(TotalsRun* run, const std::string& sheetName, const unsigned char* bytes,
                    size_t size, bool sheetEnds);
TotalsResult FinishTotals(TotalsRun* run);  // and frees the run

enum TotalsFormat { kFormatTable, kFormatCsv, kFormatTsv, kFormatJson, kFormatHtml };

// Turns a description's ANSI bytes into UTF-8 for csv, tsv, json and html;
// the table stays in ANSI. Windows passes its ANSI code page's converter;
// FormatTotals takes a null one as Windows1252ToUtf8.
typedef std::string (*AnsiToUtf8Function)(const std::string& ansi);
std::string Windows1252ToUtf8(const std::string& ansi);
// The reverse, for texts typed on a UTF-8 system: the text unchanged unless it
// is valid UTF-8 whose every character Windows-1252 holds.
std::string Utf8ToWindows1252(const std::string& utf8);

// "table", "csv", "tsv", "json", "html"; false for any other name.
bool ParseTotalsFormat(const char* name, TotalsFormat* format);

std::string FormatTotals(const TotalsResult& result, const TotalsChoice& choice,
                         const std::vector<std::string>& sheetNames, TotalsFormat format,
                         AnsiToUtf8Function toUtf8);
