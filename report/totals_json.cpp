#include <stdio.h>

#include "report/totals_format.h"
#include "report/totals_text.h"
#include "store/rates_text.h"

namespace {

// A JSON string of UTF-8 text: quotes, backslashes and control characters escaped.
std::string Quoted(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string DateOrNull(bool has, const TotalsDate& date) {
  return has ? Quoted(TotalsDateText(date)) : "null";
}

std::string Numbers(int records, int64_t seconds) {
  return "\"records\": " + IntegerText(records) + ", \"seconds\": " + IntegerText(seconds) +
         ", \"hours\": " + JsonHoursText(seconds);
}

// The finest row's keys by name; a record row adds its start, stop and texts.
std::string RowObject(const TotalsRow& row, const TotalsChoice& choice, AnsiToUtf8Function toUtf8,
                      const std::string& money) {
  std::string out = "{";
  bool record = false;
  for (size_t k = 0; k < choice.by.size(); ++k) {
    TotalsKey key = choice.by[k];
    if (key == kTotalsRecord) {
      record = true;
      continue;
    }
    out += Quoted(TotalsKeyName(key)) + ": " + Quoted(toUtf8(row.keys[k])) + ", ";
  }
  if (record) {
    out += "\"start\": " + Quoted(TotalsTimeText(row.start)) +
           ", \"stop\": " + Quoted(TotalsTimeText(row.stop)) + ", ";
    for (int field : RecordTextFields(choice))
      out += Quoted(RecordTextName(field)) + ": " + Quoted(toUtf8(RecordText(row, field))) + ", ";
  }
  return out + Numbers(row.records, row.seconds) + money + "}";
}

// ", "amount": 12.50, "currency": "EUR"": null for an amount that is not
// known, and for no currency.
std::string Money(bool known, int64_t cents, const std::string& currency, AnsiToUtf8Function toUtf8) {
  return ", \"amount\": " + (known ? CentsText(cents) : std::string("null")) +
         ", \"currency\": " + (currency.empty() ? std::string("null") : Quoted(toUtf8(currency)));
}

}  // namespace

std::string FormatTotalsJson(const TotalsResult& result, const TotalsChoice& choice,
                             AnsiToUtf8Function toUtf8) {
  std::string out = "{\"from\": " + DateOrNull(result.hasFrom, result.from) +
                    ", \"to\": " + DateOrNull(result.hasTo, result.to) + ", \"by\": [";
  for (size_t k = 0; k < choice.by.size(); ++k)
    out += (k ? ", " : "") + Quoted(TotalsKeyName(choice.by[k]));
  out += "],\n \"rows\": [";
  bool first = true;
  for (const TotalsRow& row : result.rows) {
    if (row.level + 1 != static_cast<int>(choice.by.size())) continue;
    out += first ? "\n  " : ",\n  ";
    out += RowObject(row, choice, toUtf8,
                     result.amounts ? Money(row.amount.Known(), row.amount.cents, result.currency, toUtf8) : "");
    first = false;
  }
  out += "],\n \"total\": {" + Numbers(result.records, result.seconds);
  if (result.amounts)
    out += Money(true, result.amount.cents, result.currency, toUtf8) +
           ", \"unrated\": " + (result.amount.unrated ? "true" : "false");
  out += "},\n \"running\": ";
  const TotalsRunning& r = result.running;
  if (r.counts) {
    out += "{\"task\": " + Quoted(toUtf8(r.task)) + ", \"project\": " + Quoted(toUtf8(r.project)) +
           ", \"classification\": " + Quoted(toUtf8(r.classification)) +
           ", \"start\": " + Quoted(TotalsTimeText(r.start)) +
           ", \"seconds\": " + IntegerText(r.seconds) + "}";
  } else {
    out += "null";
  }
  out += ",\n \"warnings\": [";
  for (size_t w = 0; w < result.warnings.size(); ++w)
    out += (w ? ",\n  " : "\n  ") + Quoted(toUtf8(result.warnings[w]));
  return out + "]}\n";
}
