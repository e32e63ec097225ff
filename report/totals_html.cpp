#include <stdio.h>

#include <algorithm>
#include <map>

#include "report/totals_format.h"
#include "report/totals_text.h"

// One self-contained page: inline style and SVG, no script, no outside address.
namespace {

enum { kBarWidth = 240, kChartHeight = 120 };


std::string Bar(int64_t seconds, int64_t largest) {
  int64_t width = largest > 0 ? seconds * kBarWidth / largest : 0;
  if (seconds > 0 && width < 1) width = 1;
  char svg[200];
  snprintf(svg, sizeof svg,
           "<svg class=\"bar\" width=\"%d\" height=\"12\"><rect width=\"%lld\" height=\"12\"/></svg>",
           kBarWidth, static_cast<long long>(width));
  return svg;
}

// The totals of each day, summed over the other keys, as columns.
std::string DayChart(const TotalsResult& result, const TotalsChoice& choice) {
  int dayLevel = -1;
  for (size_t k = 0; k < choice.by.size(); ++k)
    if (choice.by[k] == kTotalsDay) dayLevel = static_cast<int>(k);
  if (dayLevel < 0) return std::string();
  std::map<std::string, int64_t> days;
  for (const TotalsRow& row : result.rows)
    if (row.level == dayLevel) days[row.keys[dayLevel]] += row.seconds;
  if (days.empty()) return std::string();
  int64_t largest = 1;
  for (const auto& day : days) largest = std::max(largest, day.second);
  int step = days.size() > 62 ? 4 : 28;  // a long period gets thin columns, no labels
  int width = static_cast<int>(days.size()) * step + 30;
  const int top = 14;  // room for the hours above a column
  char text[400];
  snprintf(text, sizeof text,
           "<svg class=\"days\" width=\"%d\" height=\"%d\" role=\"img\" aria-label=\"hours per day\">\n",
           width, top + kChartHeight + 44);
  std::string out = text;
  int x = 0;
  for (const auto& day : days) {
    int64_t height = day.second * kChartHeight / largest;
    long long y = top + kChartHeight - height;
    snprintf(text, sizeof text,
             "<rect x=\"%d\" y=\"%lld\" width=\"%d\" height=\"%lld\"><title>%s %s h</title></rect>\n",
             x + 1, y, step - 2, static_cast<long long>(height), day.first.c_str(),
             HoursText(day.second).c_str());
    out += text;
    if (step > 4) {
      snprintf(text, sizeof text,
               "<text x=\"%d\" y=\"%lld\" text-anchor=\"middle\">%s</text>\n"
               "<text x=\"%d\" y=\"%d\" transform=\"rotate(60 %d %d)\">%s</text>\n",
               x + step / 2, y - 3, HoursText(day.second).c_str(), x + 6,
               top + kChartHeight + 10, x + 6, top + kChartHeight + 10, day.first.c_str() + 5);
      out += text;
    }
    x += step;
  }
  return out + "</svg>\n";
}

const char kStyle[] =
    "body{font-family:Segoe UI,Helvetica,Arial,sans-serif;margin:24px;color:#222}"
    "h1{font-size:20px;margin:0 0 4px}p.period{color:#555;margin:0 0 16px}"
    "table{border-collapse:collapse}th,td{padding:3px 10px;text-align:left;white-space:nowrap}"
    "th{border-bottom:2px solid #888}td.n,th.n{text-align:right;font-variant-numeric:tabular-nums}"
    "tr.upper td{font-weight:600;border-top:1px solid #ccc}tr.total td{font-weight:700;"
    "border-top:2px solid #888}svg.bar rect{fill:#3b78c2}tr.upper svg.bar rect{fill:#1f4f8a}"
    "svg.days rect{fill:#3b78c2}svg.days text{font-size:10px;fill:#555}"
    "p.running{margin-top:12px}ul.warnings{color:#a33}";

}  // namespace

std::string FormatTotalsHtml(const TotalsResult& result, const TotalsChoice& choice,
                             const std::vector<std::string>& sheetNames, AnsiToUtf8Function toUtf8) {
  if (result.amounts) return FormatTotalsInvoice(result, choice, sheetNames, toUtf8);
  std::string sheets;
  for (size_t i = 0; i < sheetNames.size(); ++i) sheets += (i ? ", " : "") + sheetNames[i];
  std::string title = HtmlEscaped(toUtf8(sheets)) + ": " + PeriodText(result);
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>Totals, " +
                    title + "</title>\n<style>" + kStyle + "</style></head>\n<body>\n<h1>Totals</h1>\n<p class=\"period\">" +
                    title + "</p>\n" + DayChart(result, choice) + "<table>\n<thead><tr>";
  for (TotalsKey key : choice.by) out += std::string("<th>") + TotalsKeyName(key) + "</th>";
  out += "<th class=\"n\">h:mm</th><th class=\"n\">hours</th><th class=\"n\">records</th><th></th></tr></thead>\n<tbody>\n";
  int64_t largest = 0;
  for (const TotalsRow& row : result.rows) largest = std::max(largest, row.seconds);
  size_t finest = choice.by.size() - 1;
  for (const TotalsRow& row : result.rows) {
    out += static_cast<size_t>(row.level) == finest ? "<tr>" : "<tr class=\"upper\">";
    out += HtmlKeyCells(row, choice.by.size(), toUtf8);
    out += "<td class=\"n\">" + HmmText(row.seconds) + "</td><td class=\"n\">" + HoursText(row.seconds) +
           "</td><td class=\"n\">" + IntegerText(row.records) + "</td><td>" + Bar(row.seconds, largest) +
           "</td></tr>\n";
  }
  out += "</tbody>\n<tfoot><tr class=\"total\"><td>Total</td>";
  for (size_t k = 1; k < choice.by.size(); ++k) out += "<td></td>";
  out += "<td class=\"n\">" + HmmText(result.seconds) + "</td><td class=\"n\">" + HoursText(result.seconds) +
         "</td><td class=\"n\">" + IntegerText(result.records) + "</td><td></td></tr></tfoot>\n</table>\n";
  return out + HtmlPageEnd(result, toUtf8);
}
