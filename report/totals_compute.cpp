#include <limits.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <unordered_map>

#include "report/totals.h"
#include "report/totals_calendar.h"
#include "store/compare_no_case.h"
#include "store/description_text.h"
#include "store/time_record.h"

namespace {

// A group of the tree: one per distinct key text (regardless of case) under
// its parent. The root has no text and level -1.
struct Node {
  int level;
  std::string text;  // the spelling met first
  int64_t seconds = 0;
  int records = 0;
  int64_t lastRecord = -1;  // pieces of one record arrive together
  bool running = false;
  int64_t start = 0, stop = 0;
  std::string descriptions[3];  // kTotalsRecord rows: task, project, classification
  std::vector<int> children;
};

// One record's fields, its texts as the program reads them.
struct Record {
  char texts[3][kDescriptionSize];  // task, project, classification
  int64_t start, stop;
};

enum { kWarningsPerSheet = 100 };

}  // namespace

struct TotalsRun {
  TotalsChoice choice;
  TotalsResult result;
  TotalsRange range;
  int64_t periodStart, periodStop;
  std::vector<Node> nodes;
  std::unordered_map<std::string, int> index;  // parent number + folded text
  std::string lookup;
  int64_t recordId = 0;
  bool splitAtMidnight = false;
  int sheetWarnings = 0;
  int sheetUncounted = 0;
  // The sheet being read: its number, its records so far, and its latest
  // record, held back until it is known whether it is the last one.
  size_t sheetIndex = 0;
  size_t sheetRecords = 0;
  uint64_t sheetBytes = 0;
  bool hasPending = false;
  Record pending;
};

namespace {

bool IsDateKey(TotalsKey key) {
  return key == kTotalsDay || key == kTotalsWeek || key == kTotalsMonth || key == kTotalsYear;
}

int64_t Read64(const unsigned char* bytes) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
  return static_cast<int64_t>(value);
}

void ReadRecord(const unsigned char* bytes, Record* record) {
  for (int t = 0; t < 3; ++t) {
    const char* field = reinterpret_cast<const char*>(bytes + t * kDescriptionSize);
    size_t length = DescriptionLength(field);  // at most 63, as everywhere
    memcpy(record->texts[t], field, length);
    record->texts[t][length] = '\0';
  }
  record->start = Read64(bytes + offsetof(TimeRecord, startSeconds));
  record->stop = Read64(bytes + offsetof(TimeRecord, stopSeconds));
}

void Warn(TotalsRun& t, const std::string& sheet, const char* what, size_t number) {
  ++t.result.uncounted;
  ++t.sheetUncounted;
  if (++t.sheetWarnings > kWarningsPerSheet) return;
  char text[160];
  snprintf(text, sizeof text, ": record %zu %s; not counted", number, what);
  t.result.warnings.push_back(sheet + text);
}

bool Matches(const std::vector<std::string>& wanted, const char* text) {
  if (wanted.empty()) return true;
  for (const std::string& w : wanted)
    if (CompareNoCase(w.c_str(), text) == 0) return true;
  return false;
}

int64_t Rounded(const TotalsChoice& choice, int64_t seconds) {
  if (choice.roundMinutes <= 0) return seconds;
  int64_t unit = static_cast<int64_t>(choice.roundMinutes) * 60;
  int64_t add = choice.roundNearest ? unit / 2 : unit - 1;
  return (seconds + add) / unit * unit;
}

// The key's text for a piece, as shown.
std::string KeyText(TotalsKey key, const Record& record, const std::string& sheet,
                    int64_t start, int64_t stop, bool sundayFirst) {
  char text[48];
  TotalsDate date;
  switch (key) {
    case kTotalsTask:
      return record.texts[0];
    case kTotalsProject:
      return record.texts[1];
    case kTotalsClassification:
      return record.texts[2];
    case kTotalsDay:
      return TotalsDateText(TotalsDayOf(start));
    case kTotalsWeek:
      return TotalsDateText(DateOfDayNumber(WeekStartDay(DayNumberHolding(start), sundayFirst)));
    case kTotalsMonth:
      date = TotalsDayOf(start);
      snprintf(text, sizeof text, "%04d-%02d", date.year, date.month);
      return text;
    case kTotalsYear:
      snprintf(text, sizeof text, "%04d", TotalsDayOf(start).year);
      return text;
    case kTotalsSheet:
      return sheet;
    case kTotalsRecord:
      return TotalsTimeText(start) + "/" + TotalsTimeText(stop);
  }
  return std::string();
}

void AppendFolded(std::string* out, const std::string& text) {
  for (char c : text) out->push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
}

int ChildFor(TotalsRun& t, int parent, TotalsKey key, const std::string& text, int64_t start,
             size_t sheet, size_t number) {
  t.lookup.assign(reinterpret_cast<const char*>(&parent), sizeof parent);
  if (key == kTotalsRecord) {
    // Every piece is its own row, however alike two records are.
    char unique[64];
    snprintf(unique, sizeof unique, "%zu:%zu:%lld", sheet, number, static_cast<long long>(start));
    t.lookup += unique;
  } else {
    AppendFolded(&t.lookup, text);
  }
  auto found = t.index.find(t.lookup);
  if (found != t.index.end()) return found->second;
  int child = static_cast<int>(t.nodes.size());
  t.index.emplace(t.lookup, child);
  Node node;
  node.level = t.nodes[parent].level + 1;
  node.text = text;
  t.nodes.push_back(node);
  t.nodes[parent].children.push_back(child);
  return child;
}

// Returns the piece's seconds after rounding.
int64_t AddPiece(TotalsRun& t, const Record& record, const std::string& sheetName, size_t sheet,
                 size_t number, int64_t start, int64_t stop, bool running) {
  int64_t seconds = Rounded(t.choice, stop - start);
  int node = 0;
  for (size_t level = 0; level <= t.choice.by.size(); ++level) {
    if (level > 0) {
      TotalsKey key = t.choice.by[level - 1];
      std::string text = KeyText(key, record, sheetName, start, stop, t.choice.weekStartsSunday);
      node = ChildFor(t, node, key, text, start, sheet, number);
      if (key == kTotalsRecord) {
        Node& row = t.nodes[node];
        row.start = start;
        row.stop = stop;
        for (int k = 0; k < 3; ++k) row.descriptions[k] = record.texts[k];
      }
    }
    Node& n = t.nodes[node];
    n.seconds += seconds;
    if (n.lastRecord != t.recordId) {
      n.lastRecord = t.recordId;
      ++n.records;
    }
    n.running = n.running || running;
  }
  return seconds;
}

// Counts one record's time inside the period, cut at midnights when a date
// key asks for days.
void AddRecord(TotalsRun& t, const Record& record, const std::string& sheetName, size_t sheet,
               size_t number, int64_t periodStart, int64_t periodStop, bool running) {
  int64_t start = std::max(record.start, periodStart);
  int64_t stop = std::min(record.stop, periodStop);
  if (stop <= start) return;
  ++t.recordId;
  int64_t given = 0;
  while (start < stop) {
    int64_t end = stop;
    if (t.splitAtMidnight) end = std::min(stop, (DayNumberHolding(start) + 1) * kSecondsPerDay);
    given += AddPiece(t, record, sheetName, sheet, number, start, end, running);
    start = end;
  }
  if (running) {
    // With several sheets each may have one; the latest started is named.
    TotalsRunning& r = t.result.running;
    if (!r.counts || record.start >= r.start) {
      r.seconds = given;
      r.counts = true;
      r.task = record.texts[0];
      r.project = record.texts[1];
      r.classification = record.texts[2];
      r.start = record.start;
    }
  }
}

// One record of the sheet being read, `last` when no record follows it.
void AddSheetRecord(TotalsRun& t, const std::string& sheet, Record& record, size_t number, bool last) {
  static const int64_t end = EndOfYear9999();
  bool open = record.stop == 0;
  if (open && !last) {
    Warn(t, sheet, "is open but is not the last record", number);
    return;
  }
  if (record.start < 0 || record.start >= end || (!open && (record.stop < 0 || record.stop > end))) {
    Warn(t, sheet, "has a time outside 1 January 1601 to 31 December 9999", number);
    return;
  }
  if (open) {
    if (t.choice.closedOnly) return;
    record.stop = t.choice.now;
    if (record.stop < record.start) {
      Warn(t, sheet, "is the running task but starts after now", number);
      return;
    }
  } else if (record.stop < record.start) {
    Warn(t, sheet, "stops before it starts", number);
    return;
  }
  if (!Matches(t.choice.tasks, record.texts[0]) || !Matches(t.choice.projects, record.texts[1]) ||
      !Matches(t.choice.classifications, record.texts[2]))
    return;
  AddRecord(t, record, sheet, t.sheetIndex, number, t.periodStart, t.periodStop, open);
}

void EndSheet(TotalsRun& t, const std::string& sheet) {
  if (t.hasPending) AddSheetRecord(t, sheet, t.pending, t.sheetRecords, true);
  size_t piece = static_cast<size_t>(t.sheetBytes % kRecordSize);
  if (piece != 0) {
    char text[120];
    snprintf(text, sizeof text, ": the last %zu bytes are not a whole record and are ignored", piece);
    t.result.warnings.push_back(sheet + text);
  }
  if (t.sheetWarnings > kWarningsPerSheet) {
    char text[120];
    snprintf(text, sizeof text, ": %d records not counted in all", t.sheetUncounted);
    t.result.warnings.push_back(sheet + text);
  }
  ++t.sheetIndex;
  t.sheetRecords = 0;
  t.sheetBytes = 0;
  t.hasPending = false;
  t.sheetWarnings = t.sheetUncounted = 0;
}

// Time order for date keys and records; otherwise largest total first, then
// name regardless of case. Stable, so equal rows keep their file order.
void SortChildren(TotalsRun& t, int parent) {
  std::vector<int>& children = t.nodes[parent].children;
  if (children.empty()) return;
  TotalsKey key = t.choice.by[t.nodes[children[0]].level];
  const std::vector<Node>& nodes = t.nodes;
  std::stable_sort(children.begin(), children.end(), [&](int a, int b) {
    const Node& x = nodes[a];
    const Node& y = nodes[b];
    if (key == kTotalsRecord) return x.start != y.start ? x.start < y.start : x.stop < y.stop;
    if (IsDateKey(key)) return x.text < y.text;
    if (x.seconds != y.seconds) return x.seconds > y.seconds;
    return CompareNoCase(x.text.c_str(), y.text.c_str()) < 0;
  });
  for (int child : children) SortChildren(t, child);
}

void EmitRows(TotalsRun& t, int parent, std::vector<std::string>* keys) {
  for (int child : t.nodes[parent].children) {
    const Node& n = t.nodes[child];
    keys->push_back(n.text);
    TotalsRow row;
    row.level = n.level;
    row.keys = *keys;
    row.seconds = n.seconds;
    row.records = n.records;
    row.running = n.running;
    row.start = n.start;
    row.stop = n.stop;
    row.task = n.descriptions[0];
    row.project = n.descriptions[1];
    row.classification = n.descriptions[2];
    t.result.rows.push_back(row);
    EmitRows(t, child, keys);
    keys->pop_back();
  }
}

}  // namespace

TotalsRun* StartTotals(const TotalsChoice& choice) {
  TotalsRun* run = new TotalsRun;
  run->choice = choice;
  TotalsResult& result = run->result;
  run->range = ResolveTotalsPeriod(choice);
  result.hasFrom = run->range.hasFrom;
  result.hasTo = run->range.hasTo;
  result.from = run->range.from;
  result.to = run->range.to;
  result.seconds = 0;
  result.records = 0;
  result.running = TotalsRunning();
  result.running.counts = false;
  result.running.start = result.running.seconds = 0;
  result.uncounted = 0;
  Node root;
  root.level = -1;
  run->nodes.push_back(root);
  for (TotalsKey key : choice.by) run->splitAtMidnight = run->splitAtMidnight || IsDateKey(key);
  run->periodStart = run->range.hasFrom ? TotalsDaySeconds(run->range.from) : INT64_MIN;
  run->periodStop = run->range.hasTo ? TotalsDaySeconds(run->range.to) + kSecondsPerDay : INT64_MAX;
  return run;
}

void AddTotalsBytes(TotalsRun* run, const std::string& sheetName, const unsigned char* bytes,
                    size_t size, bool sheetEnds) {
  size_t whole = size / kRecordSize;
  for (size_t i = 0; i < whole; ++i) {
    if (run->hasPending) AddSheetRecord(*run, sheetName, run->pending, run->sheetRecords, false);
    ReadRecord(bytes + i * kRecordSize, &run->pending);
    run->hasPending = true;
    ++run->sheetRecords;
  }
  run->sheetBytes += size;
  if (sheetEnds) EndSheet(*run, sheetName);
}

TotalsResult FinishTotals(TotalsRun* run) {
  SortChildren(*run, 0);
  std::vector<std::string> keys;
  EmitRows(*run, 0, &keys);
  run->result.seconds = run->nodes[0].seconds;
  run->result.records = run->nodes[0].records;
  TotalsResult result = std::move(run->result);
  delete run;
  return result;
}

TotalsResult ComputeTotals(const std::vector<TotalsSheet>& sheets, const TotalsChoice& choice) {
  TotalsRun* run = StartTotals(choice);
  for (const TotalsSheet& sheet : sheets) AddTotalsBytes(run, sheet.name, sheet.bytes, sheet.size, true);
  return FinishTotals(run);
}
