// The page of totals with amounts: the lines of an invoice, hours, rate and
// amount, that add up to its total. Self-contained, no script; printed, it
// fits the width of A4 and of Letter and repeats its header on each page.
#include "report/totals_format.h"
#include "report/totals_text.h"
#include "store/rates_text.h"

namespace {

const char kStyle[] =
    "body{font-family:Segoe UI,Helvetica,Arial,sans-serif;margin:24px;color:#222;max-width:180mm}"
    "h1{font-size:20px;margin:0 0 4px}p.period{color:#555;margin:0 0 16px}"
    "table{border-collapse:collapse;width:100%}th,td{padding:4px 8px;text-align:left;"
    "vertical-align:top}th{border-bottom:2px solid #888}td.n,th.n{text-align:right;"
    "white-space:nowrap;width:1%;font-variant-numeric:tabular-nums}tr.upper td{font-weight:600;"
    "border-top:1px solid #ccc}tr.total td{font-weight:700;border-top:2px solid #888}"
    "td.none{color:#a33}p.note{color:#a33}p.running{margin-top:12px}ul.warnings{color:#a33}"
    "@page{margin:15mm}"
    "@media print{body{margin:0;max-width:none;font-size:10pt;color:#000}"
    "thead{display:table-header-group}tr{break-inside:avoid}}";

std::string Money(const std::string& currency, const std::string& amount) {
  return currency.empty() ? amount : currency + " " + amount;
}

// The row's one rate; "no rate" when none of its time has one; empty when
// its projects have different rates.
std::string RateCell(const TotalsAmount& amount) {
  if (!amount.rated) return "<td class=\"n none\">no rate</td>";
  if (amount.rate < 0 || amount.unrated) return "<td class=\"n\"></td>";
  return "<td class=\"n\">" + CentsText(amount.rate) + "</td>";
}

}  // namespace

std::string FormatTotalsInvoice(const TotalsResult& result, const TotalsChoice& choice,
                                const std::vector<std::string>& sheetNames,
                                AnsiToUtf8Function toUtf8) {
  std::string sheets;
  for (size_t i = 0; i < sheetNames.size(); ++i) sheets += (i ? ", " : "") + sheetNames[i];
  std::string title = HtmlEscaped(toUtf8(sheets)) + ": " + PeriodText(result);
  std::string currency = HtmlEscaped(toUtf8(result.currency));
  std::string per = currency.empty() ? "" : " (" + currency + ")";
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>Hours and amounts, " +
                    title + "</title>\n<style>" + kStyle + "</style></head>\n<body>\n<h1>Hours and amounts</h1>\n"
                    "<p class=\"period\">" + title + "</p>\n<table>\n<thead><tr>";
  for (TotalsKey key : choice.by) out += std::string("<th>") + TotalsKeyName(key) + "</th>";
  out += "<th class=\"n\">hours</th><th class=\"n\">rate" + per + "</th><th class=\"n\">amount" + per +
         "</th></tr></thead>\n<tbody>\n";
  size_t finest = choice.by.size() - 1;
  for (const TotalsRow& row : result.rows) {
    out += static_cast<size_t>(row.level) == finest ? "<tr>" : "<tr class=\"upper\">";
    out += HtmlKeyCells(row, choice.by.size(), toUtf8);
    out += "<td class=\"n\">" + HoursText(row.seconds) + "</td>" + RateCell(row.amount) +
           "<td class=\"n\">" + AmountCell(row.amount) + "</td></tr>\n";
  }
  out += "</tbody>\n<tfoot><tr class=\"total\"><td>Total</td>";
  for (size_t k = 1; k < choice.by.size(); ++k) out += "<td></td>";
  out += "<td class=\"n\">" + HoursText(result.seconds) + "</td><td></td><td class=\"n\">" +
         Money(currency, CentsText(result.amount.cents)) + "</td></tr></tfoot>\n</table>\n";
  if (result.amount.unrated)
    out += std::string("<p class=\"note\">Total ") + kSomeUnrated +
           ": it adds up the amounts of the hours that have a rate.</p>\n";
  return out + HtmlPageEnd(result, toUtf8);
}
