#include <limits.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <unordered_map>

#include "report/totals.h"
#include "report/totals_calendar.h"
#include "report/totals_text.h"
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
  int texts = -1;  // kTotalsRecord rows: their record's texts in TotalsRun::recordTexts
  std::vector<int> children;
  TotalsAmount amount;
};

struct RecordTexts {
  std::string task, project, classification;
};

// A counted record's time inside the period, for the overlap check, in 16
// bytes: an ordered sheet of 100,000 records is otherwise timed mostly by the
// pages these take. Times lie within 1601 to 9999 (38 bits); a sheet below
// 4 GiB has fewer than 2^24 records.
struct Span {
  int64_t start;
  int64_t stop : 39;
  int64_t number : 25;
};
static_assert(sizeof(Span) == 16, "a span takes 16 bytes");
enum : int64_t { kMostSpanNumber = (int64_t(1) << 24) - 1 };

// A filter text, and whether any record has it.
struct Wanted {
  int field;  // 0 task, 1 project, 2 classification
  std::string text;
  bool seen;
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
  std::string keyText, lookup;
  std::vector<RecordTexts> recordTexts;
  int64_t textsRecord = -1;  // the record whose texts came last
  int64_t recordId = 0;
  bool cut = false;    // a date key is among the keys
  bool cutAt[4] = {};  // day, week, month, year: where a record is cut into pieces
  std::vector<Wanted> wanted;
  size_t wantedLeft = 0;
  // The sheet's counted records. In blocks, never moved: a vector's copies
  // as it grew cost more than the totals of an ordered sheet.
  std::deque<Span> spans;
  int sheetWarnings = 0;
  int sheetUncounted = 0;
  int sheetOverlaps = 0;
  // The sheet being read: its number, its records so far, and its latest
  // record, held back until it is known whether it is the last one.
  size_t sheetIndex = 0;
  size_t sheetRecords = 0;
  uint64_t sheetBytes = 0;
  bool hasPending = false;
  Record pending;
  TotalsPricing* pricing = nullptr;  // with rates
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

// A sheet's first hundred warnings are named; the rest are only counted.
void Warn(TotalsRun& t, const std::string& sheet, const char* text) {
  if (++t.sheetWarnings > kWarningsPerSheet) return;
  t.result.warnings.push_back(sheet + ": " + text);
}

void NotCounted(TotalsRun& t, const std::string& sheet, const char* what, size_t number) {
  ++t.result.uncounted;
  ++t.sheetUncounted;
  char text[160];
  snprintf(text, sizeof text, "record %zu %s; not counted", number, what);
  Warn(t, sheet, text);
}

// A filter text no record has is most likely mistyped: said once the sheets are read.
void SeeFilterTexts(TotalsRun& t, const Record& record) {
  for (Wanted& w : t.wanted) {
    if (w.seen || CompareNoCase(w.text.c_str(), record.texts[w.field]) != 0) continue;
    w.seen = true;
    --t.wantedLeft;
  }
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

// The key's text for a piece, as shown: the record's own text, or one made
// in `made`.
struct KeyView {
  const char* text;
  size_t length;
};

KeyView KeyText(TotalsKey key, const Record& record, const std::string& sheet, int64_t start,
                int64_t stop, bool sundayFirst, std::string* made) {
  char text[48];
  TotalsDate date;
  switch (key) {
    case kTotalsTask:
    case kTotalsProject:
    case kTotalsClassification: {
      const char* own = record.texts[key == kTotalsTask ? 0 : key == kTotalsProject ? 1 : 2];
      return {own, strlen(own)};
    }
    case kTotalsDay:
      *made = TotalsDateText(TotalsDayOf(start));
      break;
    case kTotalsWeek:
      *made = TotalsDateText(DateOfDayNumber(WeekStartDay(DayNumberHolding(start), sundayFirst)));
      break;
    case kTotalsMonth:
      date = TotalsDayOf(start);
      snprintf(text, sizeof text, "%04d-%02d", date.year, date.month);
      made->assign(text);
      break;
    case kTotalsYear:
      snprintf(text, sizeof text, "%04d", TotalsDayOf(start).year);
      made->assign(text);
      break;
    case kTotalsSheet:
      *made = sheet;
      break;
    case kTotalsRecord:
      *made = TotalsTimeText(start) + "/" + TotalsTimeText(stop);
      break;
  }
  return {made->data(), made->size()};
}

int ChildFor(TotalsRun& t, int parent, TotalsKey key, KeyView text, int64_t start, size_t sheet,
             size_t number) {
  t.lookup.assign(reinterpret_cast<const char*>(&parent), sizeof parent);
  if (key == kTotalsRecord) {
    // Every piece is its own row, however alike two records are.
    char unique[64];
    snprintf(unique, sizeof unique, "%zu:%zu:%lld", sheet, number, static_cast<long long>(start));
    t.lookup += unique;
  } else {
    // Folded to capitals in place: one group regardless of letter case.
    t.lookup.append(text.text, text.length);
    for (size_t i = sizeof parent; i < t.lookup.size(); ++i) {
      char& c = t.lookup[i];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
  }
  auto found = t.index.find(t.lookup);
  if (found != t.index.end()) return found->second;
  int child = static_cast<int>(t.nodes.size());
  t.index.emplace(t.lookup, child);
  Node node;
  node.level = t.nodes[parent].level + 1;
  node.text.assign(text.text, text.length);
  t.nodes.push_back(std::move(node));
  t.nodes[parent].children.push_back(child);
  return child;
}

// The one place a piece's seconds, after rounding, are added to its rows.
void AddPiece(TotalsRun& t, const Record& record, const std::string& sheetName, size_t number,
              int64_t start, int64_t stop, int64_t seconds, bool running) {
  int node = 0;
  for (size_t level = 0; level <= t.choice.by.size(); ++level) {
    if (level > 0) {
      TotalsKey key = t.choice.by[level - 1];
      KeyView text = KeyText(key, record, sheetName, start, stop, t.choice.weekStartsSunday, &t.keyText);
      node = ChildFor(t, node, key, text, start, t.sheetIndex, number);
      if (key == kTotalsRecord && t.nodes[node].texts < 0) {
        // The pieces of one record share its texts.
        if (t.textsRecord != t.recordId) {
          t.recordTexts.push_back({record.texts[0], record.texts[1], record.texts[2]});
          t.textsRecord = t.recordId;
        }
        Node& row = t.nodes[node];
        row.start = start;
        row.stop = stop;
        row.texts = static_cast<int>(t.recordTexts.size()) - 1;
      }
    }
    Node& n = t.nodes[node];
    n.seconds += seconds;
    if (t.pricing != nullptr && level == t.choice.by.size())
      PricePiece(t.pricing, &n.amount, record.texts[1], seconds);
    if (n.lastRecord != t.recordId) {
      n.lastRecord = t.recordId;
      ++n.records;
    }
    n.running = n.running || running;
  }
}

// Where the piece that starts at `start` ends: at the next change of the
// finest date key among the keys, or at the record's stop. Without a date
// key a record is one piece, and with only months a year-long record is
// twelve, not 365.
int64_t PieceEnd(const TotalsRun& t, int64_t start, int64_t stop) {
  if (!t.cut) return stop;
  int64_t day = DayNumberHolding(start), next = INT64_MAX;
  if (t.cutAt[0]) {
    next = day + 1;
  } else {
    if (t.cutAt[1]) next = WeekStartDay(day, t.choice.weekStartsSunday) + 7;
    TotalsDate date = DateOfDayNumber(day);
    if (t.cutAt[2]) {
      TotalsDate month = {date.month == 12 ? date.year + 1 : date.year, date.month % 12 + 1, 1};
      next = std::min(next, DayNumberOf(month));
    } else if (t.cutAt[3]) {
      next = std::min(next, DayNumberOf(TotalsDate{date.year + 1, 1, 1}));
    }
  }
  return std::min(stop, next * kSecondsPerDay);
}

// Counts one record's time inside the period. The record is rounded once,
// as a whole, whatever its pieces: rounding up adds to its last piece, and
// rounding down takes from the last piece back, none below zero, as if its
// stop came earlier. So the total is the same under every key.
void AddRecord(TotalsRun& t, const Record& record, const std::string& sheetName, size_t number,
               bool running) {
  int64_t start = std::max(record.start, t.periodStart);
  int64_t stop = std::min(record.stop, t.periodStop);
  if (stop <= start) return;
  ++t.recordId;
  if (number <= kMostSpanNumber) t.spans.push_back({start, stop, static_cast<int64_t>(number)});
  int64_t rounded = Rounded(t.choice, stop - start);
  int64_t added = rounded - (stop - start), cut = -added;
  for (int64_t from = start; from < stop;) {
    int64_t to = PieceEnd(t, from, stop);
    int64_t seconds = to - from;
    if (added > 0 && to == stop) seconds += added;
    if (cut > 0) seconds -= std::min(seconds, std::max<int64_t>(0, cut - (stop - to)));
    AddPiece(t, record, sheetName, number, from, to, seconds, running);
    from = to;
  }
  if (record.stop - record.start > 366 * int64_t(kSecondsPerDay)) {
    // Most likely a mistyped year: counted as it stands, but named.
    ++t.result.longRecords;
    char text[120];
    snprintf(text, sizeof text, "record %zu spans %lld days", number,
             static_cast<long long>((record.stop - record.start) / kSecondsPerDay));
    Warn(t, sheetName, text);
  }
  if (running) {
    // With several sheets each may have one; the latest started is named.
    TotalsRunning& r = t.result.running;
    if (!r.counts || record.start >= r.start) {
      r.seconds = rounded;
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
  if (t.wantedLeft > 0) SeeFilterTexts(t, record);
  // A torn write can leave a record of zeros: damage, not a task since 1601.
  if (record.start == 0) {
    NotCounted(t, sheet, "has no start time", number);
    return;
  }
  bool open = record.stop == 0;
  if (open && !last) {
    NotCounted(t, sheet, "is open but is not the last record", number);
    return;
  }
  if (record.start < 0 || record.start >= end || (!open && (record.stop < 0 || record.stop > end))) {
    NotCounted(t, sheet, "has a time outside 1 January 1601 to 31 December 9999", number);
    return;
  }
  if (open) {
    if (t.choice.closedOnly) return;
    record.stop = t.choice.now;
    if (record.stop < record.start) {
      NotCounted(t, sheet, "is the running task but starts after now", number);
      return;
    }
  } else if (record.stop < record.start) {
    NotCounted(t, sheet, "stops before it starts", number);
    return;
  }
  if (!Matches(t.choice.tasks, record.texts[0]) || !Matches(t.choice.projects, record.texts[1]) ||
      !Matches(t.choice.classifications, record.texts[2]))
    return;
  AddRecord(t, record, sheet, number, open);
}

// Both records count, as they are in the file: the user decides. Each
// counted record that starts before an earlier one ends is named with the
// one that reaches furthest.
void WarnOverlaps(TotalsRun& t, const std::string& sheet) {
  std::deque<Span>& spans = t.spans;
  auto earlier = [](const Span& a, const Span& b) { return a.start < b.start; };
  if (!std::is_sorted(spans.begin(), spans.end(), earlier))
    std::stable_sort(spans.begin(), spans.end(), earlier);
  const Span* reach = nullptr;
  for (const Span& span : spans) {
    if (reach != nullptr && span.start < reach->stop) {
      ++t.result.overlaps;
      ++t.sheetOverlaps;
      int64_t by = std::min(span.stop, reach->stop) - span.start;
      char seconds[8] = "";
      if (by % 60 != 0) snprintf(seconds, sizeof seconds, ":%02d", static_cast<int>(by % 60));
      char text[120];
      snprintf(text, sizeof text, "records %zu and %zu overlap by %s%s",
               static_cast<size_t>(std::min<int64_t>(span.number, reach->number)),
               static_cast<size_t>(std::max<int64_t>(span.number, reach->number)),
               HmmText(by).c_str(), seconds);
      Warn(t, sheet, text);
    }
    if (reach == nullptr || span.stop > reach->stop) reach = &span;
  }
  spans.clear();
}

void EndSheet(TotalsRun& t, const std::string& sheet) {
  if (t.hasPending) AddSheetRecord(t, sheet, t.pending, t.sheetRecords, true);
  WarnOverlaps(t, sheet);
  size_t piece = static_cast<size_t>(t.sheetBytes % kRecordSize);
  if (piece != 0) {
    char text[120];
    snprintf(text, sizeof text, ": the last %zu bytes are not a whole record and are ignored", piece);
    t.result.warnings.push_back(sheet + text);
  }
  if (t.sheetWarnings > kWarningsPerSheet) {
    char text[120];
    if (t.sheetUncounted > 0) {
      snprintf(text, sizeof text, ": %d records not counted in all", t.sheetUncounted);
      t.result.warnings.push_back(sheet + text);
    }
    if (t.sheetOverlaps > 0) {
      snprintf(text, sizeof text, ": %d overlaps in all", t.sheetOverlaps);
      t.result.warnings.push_back(sheet + text);
    }
  }
  ++t.sheetIndex;
  t.sheetRecords = 0;
  t.sheetBytes = 0;
  t.hasPending = false;
  t.sheetWarnings = t.sheetUncounted = t.sheetOverlaps = 0;
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

// Rows beneath a record's row carry its texts and times too.
void EmitRows(TotalsRun& t, int parent, std::vector<std::string>* keys, int recordNode) {
  for (int child : t.nodes[parent].children) {
    const Node& n = t.nodes[child];
    int record = n.texts >= 0 ? child : recordNode;
    keys->push_back(n.text);
    TotalsRow row;
    row.level = n.level;
    row.keys = *keys;
    row.seconds = n.seconds;
    row.records = n.records;
    row.running = n.running;
    row.start = record >= 0 ? t.nodes[record].start : 0;
    row.stop = record >= 0 ? t.nodes[record].stop : 0;
    if (record >= 0) {
      const RecordTexts& texts = t.recordTexts[t.nodes[record].texts];
      row.task = texts.task;
      row.project = texts.project;
      row.classification = texts.classification;
    }
    row.amount = n.amount;
    t.result.rows.push_back(std::move(row));
    EmitRows(t, child, keys, record);
    keys->pop_back();
  }
}

}  // namespace

TotalsRun* StartTotals(const TotalsChoice& choice) {
  std::unique_ptr<TotalsRun> run(new TotalsRun);
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
  result.uncounted = result.overlaps = result.longRecords = 0;
  Node root;
  root.level = -1;
  run->nodes.push_back(root);
  for (TotalsKey key : choice.by)
    if (IsDateKey(key)) run->cut = run->cutAt[key - kTotalsDay] = true;
  const std::vector<std::string>* filters[3] = {&choice.tasks, &choice.projects,
                                                &choice.classifications};
  for (int field = 0; field < 3; ++field)
    for (const std::string& text : *filters[field]) run->wanted.push_back({field, text, false});
  run->wantedLeft = run->wanted.size();
  run->periodStart = run->range.hasFrom ? TotalsDaySeconds(run->range.from) : INT64_MIN;
  run->periodStop = run->range.hasTo ? TotalsDaySeconds(run->range.to) + kSecondsPerDay : INT64_MAX;
  run->pricing = StartPricing(choice.rates.get());
  return run.release();
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
  std::unique_ptr<TotalsRun> owned(run);
  static const char* const kFields[3] = {"task", "project", "classification"};
  for (const Wanted& w : run->wanted) {
    if (w.seen) continue;
    run->result.warnings.push_back(std::string("no record has ") + kFields[w.field] + " \"" +
                                   w.text + "\"");
  }
  // Millions of day rows are possible: no index beside them, no growing.
  std::unordered_map<std::string, int>().swap(run->index);
  run->result.rows.reserve(run->nodes.size() - 1);
  SortChildren(*run, 0);
  std::vector<std::string> keys;
  EmitRows(*run, 0, &keys, -1);
  run->result.seconds = run->nodes[0].seconds;
  run->result.records = run->nodes[0].records;
  FinishPricing(run->pricing, &run->result, run->choice.by.size());
  return std::move(run->result);
}

TotalsResult ComputeTotals(const std::vector<TotalsSheet>& sheets, const TotalsChoice& choice) {
  std::unique_ptr<TotalsRun> run(StartTotals(choice));
  for (const TotalsSheet& sheet : sheets)
    AddTotalsBytes(run.get(), sheet.name, sheet.bytes, sheet.size, true);
  return FinishTotals(run.release());
}
