#include <algorithm>

#include "report/totals_format.h"
#include "report/totals_text.h"
#include "store/rates_text.h"

// Aligned text, one column per key and a subtotal row for every upper group,
// in the sheets' own bytes: the console converts them as it shows them.
namespace {

struct Line {
  std::vector<std::string> cells;  // the keys, then h:mm, hours, records
  bool running;
};

void Pad(std::string* out, const std::string& text, size_t width, bool right) {
  if (right) out->append(width - std::min(width, text.size()), ' ');
  *out += text;
  if (!right) out->append(width - std::min(width, text.size()), ' ');
}

// Descriptions may hold ESC, CR or LF; a terminal would act on them.
std::string TerminalSafe(const std::string& text) {
  std::string safe = text;
  for (char& c : safe)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return safe;
}

Line NumberLine(size_t keys, int64_t seconds, int records, bool running) {
  Line line;
  line.cells.resize(keys);
  line.cells.push_back(HmmText(seconds));
  line.cells.push_back(HoursText(seconds));
  line.cells.push_back(IntegerText(records));
  line.running = running;
  return line;
}

}  // namespace

std::string FormatTotalsTable(const TotalsResult& result, const TotalsChoice& choice,
                              const std::vector<std::string>& sheetNames) {
  // A column per key, and the record's texts beside it.
  std::vector<int> texts = RecordTextFields(choice);
  std::vector<size_t> columns;
  std::vector<Line> lines;
  Line header;
  for (TotalsKey key : choice.by) {
    columns.push_back(header.cells.size());
    header.cells.push_back(TotalsKeyName(key));
    if (key == kTotalsRecord)
      for (int field : texts) header.cells.push_back(RecordTextName(field));
  }
  size_t keys = header.cells.size();
  header.cells.push_back("h:mm");
  header.cells.push_back("hours");
  header.cells.push_back("records");
  if (result.amounts) header.cells.push_back(result.currency.empty() ? "amount" : "amount " + TerminalSafe(result.currency));
  header.running = false;
  lines.push_back(header);
  for (const TotalsRow& row : result.rows) {
    Line line = NumberLine(keys, row.seconds, row.records, row.running);
    size_t column = columns[row.level];
    line.cells[column] = TerminalSafe(row.keys[row.level]);
    if (choice.by[row.level] == kTotalsRecord)
      for (int field : texts) line.cells[++column] = TerminalSafe(RecordText(row, field));
    if (result.amounts) line.cells.push_back(AmountCell(row.amount));
    lines.push_back(line);
  }
  Line total = NumberLine(keys, result.seconds, result.records, false);
  if (keys > 0) total.cells[0] = "Total";
  if (result.amounts) total.cells.push_back(CentsText(result.amount.cents));
  lines.push_back(total);

  std::vector<size_t> widths(header.cells.size(), 0);
  for (const Line& line : lines)
    for (size_t c = 0; c < line.cells.size(); ++c) widths[c] = std::max(widths[c], line.cells[c].size());

  std::string out;
  for (size_t i = 0; i < sheetNames.size(); ++i) out += (i ? ", " : "") + TerminalSafe(sheetNames[i]);
  out += ": " + PeriodText(result) + "\n\n";
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i + 1 == lines.size() || i == 1) {
      std::string rule;
      for (size_t c = 0; c < widths.size(); ++c) {
        if (c) rule += "  ";
        rule.append(widths[c], '-');
      }
      out += rule + "\n";
    }
    std::string text;
    for (size_t c = 0; c < widths.size(); ++c) {
      if (c) text += "  ";
      Pad(&text, lines[i].cells[c], widths[c], c >= keys);
    }
    if (lines[i].running) text += " *";
    if (i + 1 == lines.size() && result.amounts && result.amount.unrated) text += std::string(" ") + kSomeUnrated;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + "\n";
  }
  if (result.running.counts) {
    const TotalsRunning& r = result.running;
    out += "\n* Running: " + TerminalSafe(r.task + " / " + r.project + " / " + r.classification) + ", since " +
           TotalsTimeText(r.start) + ", " + HmmText(r.seconds) + " counted\n";
  }
  return out;
}
