#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/options_text.h"
#include "store/rates_text.h"

// The [rates] section as read and as rewritten, as bytes of the file.
namespace {

std::string Shown(const ProjectRates& rates) {
  std::string text;
  for (const ProjectRate& r : rates.projects) text += "<" + r.project + ">=" + CentsText(r.cents) + " ";
  if (rates.hasDefault) text += "default=" + CentsText(rates.defaultCents) + " ";
  if (!rates.currency.empty()) text += "currency=" + rates.currency;
  return text;
}

ProjectRates Read(const std::string& text, std::vector<std::string>* warnings) {
  return ParseRatesText(text.data(), text.size(), warnings);
}

}  // namespace

TEST(PureRatesText, ReadsRatesSkippingBadLinesWithAWarning) {
  struct Case {
    const char* what;
    std::string text;
    const char* rates;
    std::vector<std::string> warnings;
  } cases[] = {
      {"rates, default and currency, any case of the section and keys",
       "[away]\r\nminutes=15\r\n[Rates]\r\nAcme=85\r\n Beta Co = 92.5 \r\n*DEFAULT*=60.00\r\n*currency*=EUR\r\n",
       "<Acme>=85.00 <Beta Co>=92.50 default=60.00 currency=EUR", {}},
      {"escaped names", "[rates]\n\\3Dx\\3D=1\n\\20lead=2\ntrail\\20=3\n\\5Cback=4\n\\2Adefault*=5\n\\5Bnot a section]=6\n",
       "<=x=>=1.00 < lead>=2.00 <trail >=3.00 <\\back>=4.00 <*default*>=5.00 <[not a section]>=6.00 ", {}},
      {"the bounds: 0 and 100000", "[rates]\nA=0\nB=100000.00\n", "<A>=0.00 <B>=100000.00 ", {}},
      {"out of range and not a rate",
       "[rates]\nA=100000.01\nB=-1\nC=1.234\nD=1e3\nE=\nF=1,5\nG=.5\n",
       "",
       {"line 2: \"A\" has \"100000.01\", not a rate from 0 to 100000 with at most two decimals; skipped",
        "line 3: \"B\" has \"-1\", not a rate from 0 to 100000 with at most two decimals; skipped",
        "line 4: \"C\" has \"1.234\", not a rate from 0 to 100000 with at most two decimals; skipped",
        "line 5: \"D\" has \"1e3\", not a rate from 0 to 100000 with at most two decimals; skipped",
        "line 6: \"E\" has \"\", not a rate from 0 to 100000 with at most two decimals; skipped",
        "line 7: \"F\" has \"1,5\", not a rate from 0 to 100000 with at most two decimals; skipped",
        "line 8: \"G\" has \".5\", not a rate from 0 to 100000 with at most two decimals; skipped"}},
      {"a bad line, a bad escape, a second rate and a long currency",
       "[rates]\r\njust words\r\nx\\4=1\r\nAcme=1\r\nACME=2\r\n*currency*=DOLLARS!!\r\n;comment=5\r\n",
       "<Acme>=1.00 ",
       {"line 2: not a \"project=rate\" line; skipped",
        "line 3: the project name \"x\\4\" is empty or has a bad \\ escape; skipped",
        "line 5: a second rate for \"ACME\"; the first counts; skipped",
        "line 6: the currency \"DOLLARS!!\" is not 1 to 8 characters; skipped"}},
      {"other sections are not rates", "[away]\nA=1\n[rates]\nB=2\n[other]\nC=3\n", "<B>=2.00 ", {}},
      {"a damaged file has no rates", std::string("[rates]\nA=1\n\0\0\0", 15), "",
       {"not a text file; no rates are read from it"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> warnings;
    EXPECT_EQ(Shown(Read(c.text, &warnings)), c.rates) << c.what;
    EXPECT_EQ(warnings, c.warnings) << c.what;
  }
}

TEST(PureRatesText, RewritesOnlyTheChangedKeysKeepingEveryOtherLineByteForByte) {
  const std::string away = "; mine\r\n[away]\r\nminutes=20\r\nextra = kept\r\n";
  RatesEdit acme;
  acme.projects = {{"acme", true, 9000}};
  RatesEdit odd;
  odd.projects = {{"=odd [name] ", true, 1}, {" *x", true, 2}};
  RatesEdit clear;
  clear.projects = {{"Acme", false, 0}};
  clear.changeDefault = true;
  clear.changeCurrency = true;
  RatesEdit money;
  money.changeDefault = money.hasDefault = true;
  money.defaultCents = 5050;
  money.changeCurrency = true;
  money.currency = "CHF";
  struct Case {
    const char* what;
    std::string before;
    RatesEdit edit;
    std::string after;
  } cases[] = {
      {"no section yet: one at the end", away, acme, away + "[rates]\r\nacme=90.00\r\n"},
      {"a last line without its line break", "[away]\nminutes=20", acme,
       "[away]\nminutes=20\r\n[rates]\r\nacme=90.00\r\n"},
      {"the key replaced in its place, its repeat dropped, the rest kept",
       "[rates]\nBeta=1\nACME = 80\n; note\nAcme=70\nGamma=3\n" + away, acme,
       "[rates]\nBeta=1\nacme=90.00\r\n; note\nGamma=3\n" + away},
      {"a new key after the section's last entry", "[rates]\nBeta=1\n\n[away]\nminutes=20\n", acme,
       "[rates]\nBeta=1\nacme=90.00\r\n\n[away]\nminutes=20\n"},
      {"names escaped", "[rates]\r\n", odd, "[rates]\r\n\\3Dodd [name]\\20=0.01\r\n\\20*x=0.02\r\n"},
      {"removed: the rate, the default and the currency",
       "[rates]\r\nAcme=1\r\n*default*=5\r\n*currency*=EUR\r\nBeta=2\r\n", clear, "[rates]\r\nBeta=2\r\n"},
      {"a default and a currency added", "[rates]\r\nBeta=2\r\n", money,
       "[rates]\r\nBeta=2\r\n*currency*=CHF\r\n*default*=50.50\r\n"},
  };
  for (const Case& c : cases) {
    std::string after = RatesTextWith(c.before, c.edit);
    EXPECT_EQ(after, c.after) << c.what;
    EXPECT_EQ(ParseAwayMinutes(after.data(), after.size()), ParseAwayMinutes(c.before.data(), c.before.size()))
        << c.what;
  }
  // What was written reads back as typed, and the away minutes leave the rates alone.
  std::string written = RatesTextWith("", odd);
  EXPECT_EQ(Shown(Read(written, nullptr)), "<=odd [name] >=0.01 < *x>=0.02 ");
  std::string minutes = OptionsTextWithMinutes("[rates]\r\nAcme=1\r\n[away]\r\nminutes=5\r\nx=1\r\n", 30);
  EXPECT_EQ(minutes, "[rates]\r\nAcme=1\r\n[away]\r\nminutes=30\r\nx=1\r\n");
  EXPECT_EQ(OptionsTextWithMinutes("[rates]\r\nAcme=1", 30), "[rates]\r\nAcme=1\r\n[away]\r\nminutes=30\r\n");
}
