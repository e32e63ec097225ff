// The totals over hostile sheet bytes and option values: the command's option
// reader, every format, and answers checked against plain sums, the row tree
// and a reading of the same bytes in other pieces.
#include <strings.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "report/totals.h"
#include "report_cli/report_options.h"
#include "store/time_record.h"

namespace {

const int64_t kBase = NaiveFileSeconds(2026, 3, 16, 0, 0, 0);
const int64_t kEnd = NaiveFileSeconds(9999, 12, 31, 23, 59, 59) + 1;

// Arguments from NUL-separated texts.
bool ChoiceFromArguments(const std::string& text, TotalsChoice* choice) {
  std::vector<std::string> words(1, "hourwright-report");
  size_t at = 0;
  while (at <= text.size()) {
    size_t nul = std::min(text.find('\0', at), text.size());
    words.push_back(text.substr(at, nul - at));
    at = nul + 1;
  }
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  ReportOptions options;
  std::string error;
  bool ok = ParseReportOptions(static_cast<int>(argv.size()), argv.data(), &options, &error);
  FUZZ_CHECK(ok || !error.empty());
  if (!ok || options.help || options.version) return false;
  FUZZ_CHECK(options.choice.roundMinutes >= 0 && options.choice.roundMinutes <= 1440);
  int64_t now = options.choice.now;
  *choice = options.choice;
  if (!options.hasNow) choice->now = kBase;
  FUZZ_CHECK(!options.hasNow || ParseTotalsNow(TotalsTimeText(now).c_str(), &now));
  return !choice->by.empty();
}

// Records near one week, from compact fields: small descriptions, so that
// groups and filters meet; seconds either near the week or taken whole.
std::string SheetFrom(FuzzInput& input) {
  static const char* const kTexts[] = {"acme", "ACME", "Beta", "b\xe9ta", "a,\"b\"", ""};
  std::string bytes;
  while (input.Left() >= 6 && bytes.size() < 256 * 300) {
    TimeRecord r = {};
    uint8_t kind = input.Take<uint8_t>();
    snprintf(r.task, sizeof r.task, "%s", kTexts[kind % 6]);
    snprintf(r.project, sizeof r.project, "%s", kTexts[kind / 6 % 6]);
    if (kind >= 216) memset(r.classification, 'x', sizeof r.classification);  // no NUL
    if (kind & 1) {
      r.startSeconds = input.Take<int64_t>();
      r.stopSeconds = input.Take<int64_t>();
    } else {
      r.startSeconds = kBase + input.Take<int16_t>() * 97;
      uint16_t length = input.Take<uint16_t>();
      r.stopSeconds = length == 0 ? 0 : r.startSeconds + length * 7 - 3000;
    }
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  return bytes;
}

int64_t Overlap(int64_t a, int64_t b, int64_t from, int64_t to) {
  a = std::max(a, from);
  b = std::min(b, to);
  return b > a ? b - a : 0;
}

bool Matches(const std::vector<std::string>& wanted, const char* text) {
  if (wanted.empty()) return true;
  for (const std::string& w : wanted)
    if (strcasecmp(w.c_str(), text) == 0) return true;
  return false;
}

// Seconds without rounding, record by record.
int64_t PlainSum(const std::string& bytes, const TotalsChoice& choice, const TotalsResult& result) {
  int64_t from = result.hasFrom ? (DaysFromCivil(result.from.year, result.from.month, result.from.day) -
                                   DaysFromCivil(1601, 1, 1)) * 86400
                                : std::numeric_limits<int64_t>::min();
  int64_t to = result.hasTo ? (DaysFromCivil(result.to.year, result.to.month, result.to.day) -
                               DaysFromCivil(1601, 1, 1) + 1) * 86400
                            : std::numeric_limits<int64_t>::max();
  size_t count = bytes.size() / 256;
  int64_t sum = 0;
  for (size_t i = 0; i < count; ++i) {
    TimeRecord r;
    memcpy(&r, bytes.data() + i * 256, 256);
    char texts[3][65] = {};
    memcpy(texts[0], r.task, 64);
    memcpy(texts[1], r.project, 64);
    memcpy(texts[2], r.classification, 64);
    bool open = r.stopSeconds == 0;
    if (r.startSeconds == 0 || (open && (i + 1 != count || choice.closedOnly))) continue;
    int64_t stop = open ? choice.now : r.stopSeconds;
    if (r.startSeconds < 0 || r.startSeconds >= kEnd || stop < r.startSeconds) continue;
    if (!open && stop > kEnd) continue;
    if (!Matches(choice.tasks, texts[0]) || !Matches(choice.projects, texts[1]) ||
        !Matches(choice.classifications, texts[2]))
      continue;
    sum += Overlap(r.startSeconds, stop, from, to);
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  uint8_t flags = input.Take<uint8_t>();
  uint8_t split = input.Take<uint8_t>();
  TotalsChoice choice;
  if (flags & 1) {
    uint8_t length = input.Take<uint8_t>();
    std::string text;
    for (uint8_t i = 0; i < length && input.Left() > 0; ++i) text += input.Take<char>();
    if (!ChoiceFromArguments(text, &choice)) return 0;
  } else {
    choice.period = static_cast<TotalsPeriod>(input.Take<uint8_t>() % (kPeriodDates + 1));
    choice.hasFrom = flags & 2;
    choice.hasTo = flags & 4;
    choice.from = TotalsDayOf(kBase + input.Take<int8_t>() * 86400);
    choice.to = TotalsDayOf(kBase + input.Take<int8_t>() * 86400);
    choice.by.clear();
    for (int k = 0; k < 1 + (flags >> 6); ++k) choice.by.push_back(static_cast<TotalsKey>(input.Take<uint8_t>() % 9));
    choice.roundMinutes = flags & 8 ? 1 + input.Take<uint16_t>() % 1440 : 0;
    choice.roundNearest = flags & 16;
    choice.closedOnly = flags & 32;
    choice.weekStartsSunday = split & 1;
    choice.now = kBase + input.Take<int32_t>();
  }
  // A date key gives a piece per day: a record of eight thousand years is
  // three million of them, honest work but a fuzzer timeout. Such runs get a
  // period of at most a year.
  bool dateKey = false;
  for (TotalsKey key : choice.by) dateKey = dateKey || (key >= kTotalsDay && key <= kTotalsYear);
  if (dateKey && (choice.period == kPeriodAll || (choice.period == kPeriodDates && (!choice.hasFrom || !choice.hasTo)))) {
    choice.period = kPeriodDates;
    choice.hasFrom = choice.hasTo = true;
    choice.from = TotalsDayOf(kBase - 183 * 86400);
    choice.to = TotalsDayOf(kBase + 183 * 86400);
  }
  std::string bytes = (flags & 128) ? input.Rest() : SheetFrom(input);
  std::vector<TotalsSheet> sheets = {{"a.tim", reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}};
  TotalsResult result = ComputeTotals(sheets, choice);

  // The row tree adds up, level by level, to the total.
  int64_t finest = 0;
  for (size_t i = 0; i < result.rows.size(); ++i) {
    const TotalsRow& row = result.rows[i];
    FUZZ_CHECK(row.level >= 0 && row.level < static_cast<int>(choice.by.size()));
    FUZZ_CHECK(row.keys.size() == static_cast<size_t>(row.level) + 1 && row.seconds >= 0);
    FUZZ_CHECK(row.records >= 1 && row.records <= result.records);
    if (row.level + 1 == static_cast<int>(choice.by.size())) finest += row.seconds;
    int64_t children = 0;
    size_t j = i + 1;
    for (; j < result.rows.size() && result.rows[j].level > row.level; ++j)
      if (result.rows[j].level == row.level + 1) children += result.rows[j].seconds;
    if (j > i + 1) FUZZ_CHECK(children == row.seconds);
  }
  FUZZ_CHECK(finest == result.seconds);
  if (choice.roundMinutes == 0) FUZZ_CHECK(result.seconds == PlainSum(bytes, choice, result));

  // The same bytes in pieces of whole records give the same answer.
  TotalsRun* run = StartTotals(choice);
  const unsigned char* all = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t piece = 256 * (1 + split % 5), whole = bytes.size() / 256 * 256, at = 0;
  for (; at + piece <= whole; at += piece) AddTotalsBytes(run, "a.tim", all + at, piece, false);
  AddTotalsBytes(run, "a.tim", all + at, bytes.size() - at, true);
  TotalsResult pieces = FinishTotals(run);
  std::string json = FormatTotals(result, choice, {"a.tim"}, kFormatJson, nullptr);
  FUZZ_CHECK(json == FormatTotals(pieces, choice, {"a.tim"}, kFormatJson, nullptr));
  for (int f = 0; f < 5; ++f) FormatTotals(result, choice, {"a.tim"}, static_cast<TotalsFormat>(f), nullptr);
  return 0;
}
