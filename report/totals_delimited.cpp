#include "report/totals_format.h"
#include "report/totals_text.h"

// RFC 4180: a field with a comma, quote or line break is quoted, its quotes doubled.
static std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// A tab-separated field cannot hold its separators; blanks take their place.
static std::string TsvField(const std::string& text) {
  std::string field = text;
  for (char& c : field)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return field;
}

// One line per finest group, no total; CR LF ends each line as RFC 4180 has it.
std::string FormatTotalsDelimited(const TotalsResult& result, const TotalsChoice& choice,
                                  char separator, AnsiToUtf8Function toUtf8) {
  bool csv = separator == ',';
  std::string sep(1, separator);
  std::vector<int> texts = RecordTextFields(choice);
  std::string out = KeyNames(choice, sep.c_str());
  out += sep + "records" + sep + "seconds" + sep + "hours" + sep + "hmm";
  out += result.amounts ? sep + "amount" + sep + "currency\r\n" : "\r\n";
  std::string currency = toUtf8(result.currency);
  currency = csv ? CsvField(currency) : TsvField(currency);
  for (const TotalsRow& row : result.rows) {
    if (row.level + 1 != static_cast<int>(choice.by.size())) continue;
    for (size_t k = 0; k < row.keys.size(); ++k) {
      std::string text = toUtf8(row.keys[k]);
      out += (csv ? CsvField(text) : TsvField(text)) + sep;
      if (choice.by[k] != kTotalsRecord) continue;
      for (int field : texts) {
        text = toUtf8(RecordText(row, field));
        out += (csv ? CsvField(text) : TsvField(text)) + sep;
      }
    }
    out += IntegerText(row.records) + sep + IntegerText(row.seconds) + sep +
           HoursText(row.seconds) + sep + HmmText(row.seconds);
    if (result.amounts) out += sep + AmountCell(row.amount) + sep + currency;
    out += "\r\n";
  }
  return out;
}
