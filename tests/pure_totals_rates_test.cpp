#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "report/totals.h"
#include "tests/test_records.h"

// Amounts of small sheets as the CSV shows them ("key=amount" per finest
// row) and the total as the table's last line ends.
namespace {

const int64_t kStart = TotalsDaySeconds({2026, 3, 16}) + 9 * 3600;

struct Work {
  const char* task;
  const char* project;
  int64_t seconds;
};

std::string Sheet(const std::vector<Work>& works) {
  std::string bytes;
  int64_t at = kStart;
  for (const Work& w : works) {
    bytes += RecordBytes(MakeRecord(w.task, w.project, "c", at, at + w.seconds));
    at += w.seconds + 60;
  }
  return bytes;
}

std::shared_ptr<const ProjectRates> Rates(std::vector<ProjectRate> projects, int64_t defaultCents = -1) {
  auto rates = std::make_shared<ProjectRates>();
  rates->projects = projects;
  rates->hasDefault = defaultCents >= 0;
  rates->defaultCents = defaultCents < 0 ? 0 : defaultCents;
  return rates;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

}  // namespace

TEST(PureTotalsRates, AmountsInCentsFromRoundedTimeHalfUpPerRowAndSummed) {
  const TotalsKey P = kTotalsProject, T = kTotalsTask;
  struct Case {
    const char* what;
    std::vector<Work> works;
    std::vector<TotalsKey> by;
    int round;
    std::shared_ptr<const ProjectRates> rates;
    const char* rows;   // "key=amount" per finest row, in order
    const char* total;  // how the table's total line ends
  } cases[] = {
      {"rounded up to 15 minutes first, then priced", {{"a", "Acme", 7 * 60}}, {P}, 15,
       Rates({{"Acme", 10000}}), "Acme=25.00", " 25.00"},
      {"half a cent rounds up", {{"a", "Acme", 18}}, {P}, 0, Rates({{"Acme", 100}}), "Acme=0.01",
       " 0.01"},
      {"just under half a cent rounds down", {{"a", "Acme", 17}}, {P}, 0, Rates({{"Acme", 100}}),
       "Acme=0.00", " 0.00"},
      {"each row rounds, the total sums the rows: 3 x 0.01, not 0.02",
       {{"a", "Acme", 18}, {"b", "Acme", 18}, {"c", "Acme", 18}}, {T}, 0, Rates({{"Acme", 100}}),
       "a=0.01 b=0.01 c=0.01", " 0.03"},
      {"records of a row add exactly before the row rounds", {{"a", "Acme", 18}, {"a", "Acme", 18}},
       {T}, 0, Rates({{"Acme", 100}}), "a=0.01", " 0.01"},
      {"names match regardless of case", {{"a", "acme books", 3600}}, {P}, 0,
       Rates({{"ACME Books", 8550}}), "acme books=85.50", " 85.50"},
      {"the default for a project without a rate", {{"a", "Acme", 1800}, {"b", "Beta", 3600}}, {P},
       0, Rates({{"Acme", 9000}}, 6000), "Beta=60.00 Acme=45.00", " 105.00"},
      {"a rate of 0 is an amount of 0", {{"a", "Free", 3600}}, {P}, 0, Rates({{"Free", 0}}),
       "Free=0.00", " 0.00"},
      {"no rate: an empty cell, and the total says so", {{"a", "Acme", 3600}, {"b", "Beta", 1800}},
       {P}, 0, Rates({{"Acme", 9000}}), "Acme=90.00 Beta=", " 90.00 (some projects have no rate)"},
      {"a row with some time of no rate has no amount", {{"a", "Acme", 3600}, {"a", "Beta", 3600}},
       {T}, 0, Rates({{"Acme", 9000}}), "a=", " 0.00 (some projects have no rate)"},
      {"subtotals sum their rows", {{"a", "Acme", 18}, {"b", "Acme", 18}}, {P, T}, 0,
       Rates({{"Acme", 100}}), "Acme/a=0.01 Acme/b=0.01", " 0.02"},
      {"the largest rate for the longest record stays exact",
       {{"a", "Acme", 7000LL * 366 * 86400}}, {P}, 0, Rates({{"Acme", 10000000}}),
       "Acme=6148800000000.00", " 6148800000000.00"},
  };
  for (const Case& c : cases) {
    std::string bytes = Sheet(c.works);
    TotalsChoice choice;
    choice.period = kPeriodAll;
    choice.by = c.by;
    choice.roundMinutes = c.round;
    choice.rates = c.rates;
    TotalsResult result = ComputeTotals(
        {{"jobs.tim", reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}}, choice);
    std::string rows;
    std::vector<std::string> csv = Lines(FormatTotals(result, choice, {"jobs.tim"}, kFormatCsv, nullptr));
    ASSERT_GE(csv.size(), 1u) << c.what;
    EXPECT_NE(csv[0].find(",hmm,amount,currency"), std::string::npos) << c.what;
    for (size_t i = 1; i < csv.size(); ++i) {
      std::vector<std::string> cells;
      for (size_t at = 0;;) {
        size_t comma = csv[i].find(',', at);
        cells.push_back(csv[i].substr(at, comma - at));
        if (comma == std::string::npos) break;
        at = comma + 1;
      }
      std::string key = cells[0];
      for (size_t k = 1; k < c.by.size(); ++k) key += "/" + cells[k];
      rows += (rows.empty() ? "" : " ") + key + "=" + cells[cells.size() - 2];
    }
    EXPECT_EQ(rows, c.rows) << c.what;
    std::vector<std::string> table = Lines(FormatTotals(result, choice, {"jobs.tim"}, kFormatTable, nullptr));
    std::string total;
    for (const std::string& line : table)
      if (line.compare(0, 5, "Total") == 0) total = line;
    ASSERT_GE(total.size(), strlen(c.total)) << c.what;
    EXPECT_EQ(total.substr(total.size() - strlen(c.total)), c.total) << c.what << ": " << total;
  }
}

TEST(PureTotalsRates, NoRatesOrEmptyRatesLeaveTheFormatsAsTheyWere) {
  std::string bytes = Sheet({{"a", "Acme", 3600}});
  TotalsChoice choice;
  choice.period = kPeriodAll;
  std::vector<TotalsSheet> sheets = {
      {"jobs.tim", reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}};
  std::string before = FormatTotals(ComputeTotals(sheets, choice), choice, {"jobs.tim"}, kFormatJson, nullptr);
  choice.rates = Rates({});
  EXPECT_EQ(FormatTotals(ComputeTotals(sheets, choice), choice, {"jobs.tim"}, kFormatJson, nullptr), before);
  choice.rates = Rates({{"Other", 100}});  // a rate, but for no counted project
  EXPECT_EQ(FormatTotals(ComputeTotals(sheets, choice), choice, {"jobs.tim"}, kFormatJson, nullptr), before);
}
