// TEMPORARY: stands in for the totals core until branch `report` lands; removed at that merge.
#include <string.h>

#include <map>

#include "report/totals.h"
#include "store/time_record.h"

TotalsResult ComputeTotals(const std::vector<TotalsSheet>& sheets, const TotalsChoice& choice) {
  TotalsResult result = {};
  std::map<std::string, std::map<std::string, TotalsRow>> tree;
  for (const TotalsSheet& sheet : sheets) {
    for (size_t at = 0; at + kRecordSize <= sheet.size; at += kRecordSize) {
      TimeRecord record;
      memcpy(&record, sheet.bytes + at, sizeof record);
      int64_t seconds = record.stopSeconds - record.startSeconds;
      if (record.stopSeconds == 0) {
        if (choice.closedOnly) continue;
        seconds = choice.now - record.startSeconds;
      }
      std::string keys[2];
      for (size_t k = 0; k < choice.by.size() && k < 2; ++k)
        keys[k] = choice.by[k] == kTotalsTask ? std::string(record.task, strnlen(record.task, 64))
                                              : std::string(record.project, strnlen(record.project, 64));
      TotalsRow& top = tree[keys[0]][""];
      top.level = 0;
      top.keys = {keys[0]};
      top.seconds += seconds;
      top.records += 1;
      top.running |= record.stopSeconds == 0;
      if (choice.by.size() > 1) {
        TotalsRow& low = tree[keys[0]][keys[1]];
        low.level = 1;
        low.keys = {keys[0], keys[1]};
        low.seconds += seconds;
        low.records += 1;
        low.running |= record.stopSeconds == 0;
      }
      result.seconds += seconds;
      result.records += 1;
    }
  }
  for (auto& top : tree)
    for (auto& row : top.second) result.rows.push_back(row.second);
  return result;
}

std::string FormatTotals(const TotalsResult& result, const TotalsChoice&, const std::vector<std::string>&,
                         TotalsFormat format, AnsiToUtf8Function toUtf8) {
  std::string text = format == kFormatHtml ? "<!DOCTYPE html>\n<table>\n" : "key\tseconds\n";
  for (const TotalsRow& row : result.rows)
    text += toUtf8(row.keys.back()) + "\t" + std::to_string(row.seconds) + "\n";
  return text;
}
