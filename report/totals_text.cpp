#include "report/totals_text.h"

#include <stdio.h>

#include "store/rates_text.h"

static int64_t Hundredths(int64_t seconds) { return (seconds * 100 + 1800) / 3600; }

std::string HoursText(int64_t seconds) {
  char text[40];
  int64_t h = Hundredths(seconds);
  snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(h / 100),
           static_cast<long long>(h % 100));
  return text;
}

std::string JsonHoursText(int64_t seconds) {
  std::string text = HoursText(seconds);
  if (text.back() == '0') text.pop_back();
  return text;
}

std::string HmmText(int64_t seconds) {
  char text[40];
  snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 3600),
           static_cast<long long>(seconds / 60 % 60));
  return text;
}

std::string IntegerText(int64_t value) {
  char text[32];
  snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
  return text;
}

std::string PeriodText(const TotalsResult& result) {
  if (result.hasFrom && result.hasTo)
    return TotalsDateText(result.from) + " to " + TotalsDateText(result.to);
  if (result.hasFrom) return "from " + TotalsDateText(result.from);
  if (result.hasTo) return "up to " + TotalsDateText(result.to);
  return "all records";
}

std::vector<int> RecordTextFields(const TotalsChoice& choice) {
  bool record = false, shown[3] = {false, false, false};
  for (TotalsKey key : choice.by) {
    if (key == kTotalsRecord) record = true;
    if (key == kTotalsTask || key == kTotalsProject || key == kTotalsClassification)
      shown[key == kTotalsTask ? 0 : key == kTotalsProject ? 1 : 2] = true;
  }
  std::vector<int> fields;
  for (int field = 0; record && field < 3; ++field)
    if (!shown[field]) fields.push_back(field);
  return fields;
}

const char* RecordTextName(int field) {
  static const char* const kNames[3] = {"task", "project", "classification"};
  return kNames[field];
}

const std::string& RecordText(const TotalsRow& row, int field) {
  return field == 0 ? row.task : field == 1 ? row.project : row.classification;
}

std::string KeyNames(const TotalsChoice& choice, const char* separator) {
  std::string names;
  for (size_t i = 0; i < choice.by.size(); ++i) {
    if (i > 0) names += separator;
    names += TotalsKeyName(choice.by[i]);
    if (choice.by[i] != kTotalsRecord) continue;
    for (int field : RecordTextFields(choice)) names += separator + std::string(RecordTextName(field));
  }
  return names;
}

const char kSomeUnrated[] = "(some projects have no rate)";

std::string AmountCell(const TotalsAmount& amount) {
  return amount.Known() ? CentsText(amount.cents) : std::string();
}

std::string HtmlEscaped(const std::string& utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string HtmlKeyCells(const TotalsRow& row, size_t keys, AnsiToUtf8Function toUtf8) {
  std::string out;
  for (size_t k = 0; k < keys; ++k) {
    out += "<td>";
    if (static_cast<int>(k) == row.level) {
      out += HtmlEscaped(toUtf8(row.keys[k]));
      if (row.running) out += " *";
    }
    out += "</td>";
  }
  return out;
}

std::string HtmlPageEnd(const TotalsResult& result, AnsiToUtf8Function toUtf8) {
  std::string out;
  if (result.running.counts) {
    const TotalsRunning& r = result.running;
    out += "<p class=\"running\">* Running: " + HtmlEscaped(toUtf8(r.task)) + " / " +
           HtmlEscaped(toUtf8(r.project)) + " / " + HtmlEscaped(toUtf8(r.classification)) + ", since " +
           TotalsTimeText(r.start) + ", " + HmmText(r.seconds) + " counted</p>\n";
  }
  if (!result.warnings.empty()) {
    out += "<ul class=\"warnings\">\n";
    for (const std::string& warning : result.warnings)
      out += "<li>" + HtmlEscaped(toUtf8(warning)) + "</li>\n";
    out += "</ul>\n";
  }
  return out + "</body></html>\n";
}
