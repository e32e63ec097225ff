#include "store/rates_text.h"

#include <stdio.h>
#include <string.h>

#include <unordered_map>
#include <unordered_set>

#include "store/compare_no_case.h"
#include "store/ini_text.h"

namespace {

const char kSection[] = "rates";
const char kDefaultKey[] = "*default*";
const char kCurrencyKey[] = "*currency*";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Quoted(const IniLine& line) {
  return "\"" + std::string(line.name, line.nameLength) + "\"";
}

// Every warning past the most is only counted.
struct Warnings {
  std::vector<std::string>* list;
  size_t count = 0;
  void Add(const IniLine& line, const std::string& what) {
    if (list == nullptr || ++count > kRatesWarningsMost) return;
    char number[32];
    snprintf(number, sizeof number, "line %zu: ", line.number);
    list->push_back(number + what + "; skipped");
  }
};

}  // namespace

std::string FoldedName(const std::string& project) {
  std::string folded = project;
  for (char& c : folded) c = static_cast<char>(FoldedByte(c));
  return folded;
}

bool ParseRate(const char* text, size_t length, int64_t* cents) {
  size_t i = 0;
  int64_t whole = 0;
  for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
    whole = whole * 10 + (text[i] - '0');
    if (whole > kRateMostCents / 100) return false;
  }
  if (i == 0) return false;
  int64_t fraction = 0;
  if (i < length) {
    size_t places = length - i - 1;
    if (text[i] != '.' || places < 1 || places > 2) return false;
    for (size_t p = i + 1; p < length; ++p) {
      if (text[p] < '0' || text[p] > '9') return false;
      fraction = fraction * 10 + (text[p] - '0');
    }
    if (places == 1) fraction *= 10;
  }
  int64_t value = whole * 100 + fraction;
  if (value > kRateMostCents) return false;
  *cents = value;
  return true;
}

std::string CentsText(int64_t cents) {
  char text[40];
  snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(cents / 100),
           static_cast<long long>(cents % 100));
  return text;
}

bool IsCurrencyCode(const std::string& text) {
  if (text.empty() || text.size() > kCurrencyMost) return false;
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return false;
  return text.front() != ' ' && text.back() != ' ';
}

std::string EscapedRateKey(const std::string& project) {
  std::string key;
  for (size_t i = 0; i < project.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(project[i]);
    bool edge = (i == 0 && (c == '[' || c == ';' || c == '*' || c == ' ')) ||
                (i + 1 == project.size() && c == ' ');
    if (c < 0x20 || c == 0x7F || c == '\\' || c == '=' || edge) {
      char escape[4];
      snprintf(escape, sizeof escape, "\\%02X", c);
      key += escape;
    } else {
      key += static_cast<char>(c);
    }
  }
  return key;
}

bool UnescapedRateKey(const char* key, size_t length, std::string* project) {
  std::string name;
  for (size_t i = 0; i < length; ++i) {
    if (key[i] != '\\') {
      name += key[i];
      continue;
    }
    int high = i + 2 < length ? HexValue(key[i + 1]) : -1;
    int low = high >= 0 ? HexValue(key[i + 2]) : -1;
    if (low < 0 || (high == 0 && low == 0)) return false;
    name += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (name.empty()) return false;
  *project = name;
  return true;
}

ProjectRates ParseRatesText(const char* text, size_t length, std::vector<std::string>* warnings) {
  ProjectRates rates;
  if (memchr(text, '\0', length) != nullptr) {
    if (warnings != nullptr) warnings->push_back("not a text file; no rates are read from it");
    return rates;
  }
  Warnings told = {warnings};
  std::unordered_set<std::string> seen;
  bool inRates = false, defaultSeen = false, currencySeen = false;
  IniLine line;
  std::string project;
  for (size_t at = 0, number = 1; NextIniLine(text, length, at, number, &line);
       at = line.next, ++number) {
    if (line.kind == kIniSection) inRates = IniNameIs(line.name, line.nameLength, kSection);
    if (!inRates || line.kind == kIniSection || line.kind == kIniBlank || line.kind == kIniComment)
      continue;
    if (line.kind != kIniEntry) {
      told.Add(line, "not a \"project=rate\" line");
      continue;
    }
    std::string value(line.value, line.valueLength);
    if (IniNameIs(line.name, line.nameLength, kCurrencyKey)) {
      if (currencySeen) {
        told.Add(line, "a second currency; the first counts");
      } else if (!value.empty() && !IsCurrencyCode(value)) {
        told.Add(line, "the currency \"" + value + "\" is not 1 to 8 characters");
      } else {
        currencySeen = true;
        rates.currency = value;
      }
      continue;
    }
    int64_t cents = 0;
    if (!ParseRate(line.value, line.valueLength, &cents)) {
      told.Add(line, Quoted(line) + " has \"" + value +
                         "\", not a rate from 0 to 100000 with at most two decimals");
      continue;
    }
    if (IniNameIs(line.name, line.nameLength, kDefaultKey)) {
      if (defaultSeen) {
        told.Add(line, "a second default rate; the first counts");
      } else {
        defaultSeen = rates.hasDefault = true;
        rates.defaultCents = cents;
      }
      continue;
    }
    if (!UnescapedRateKey(line.name, line.nameLength, &project)) {
      told.Add(line, "the project name " + Quoted(line) + " is empty or has a bad \\ escape");
      continue;
    }
    if (!seen.insert(FoldedName(project)).second) {
      told.Add(line, "a second rate for " + Quoted(line) + "; the first counts");
      continue;
    }
    rates.projects.push_back({project, cents});
  }
  if (warnings != nullptr && told.count > kRatesWarningsMost) {
    char text[80];
    snprintf(text, sizeof text, "%zu lines skipped in all", told.count);
    warnings->push_back(text);
  }
  return rates;
}

std::string RatesTextWith(const std::string& text, const RatesEdit& edit) {
  // The new line of each key that changes, "" for one that goes; set to ""
  // once written, so a repeated key is dropped.
  std::unordered_map<std::string, std::string> lines;
  std::vector<std::string> order;
  auto change = [&](const std::string& id, const std::string& line) {
    if (lines.emplace(id, line).second) order.push_back(id);
  };
  if (edit.changeCurrency)
    change(kCurrencyKey, edit.currency.empty() ? "" : kCurrencyKey + ("=" + edit.currency + "\r\n"));
  if (edit.changeDefault)
    change(kDefaultKey, edit.hasDefault ? kDefaultKey + ("=" + CentsText(edit.defaultCents) + "\r\n") : "");
  for (const RateChange& c : edit.projects)
    change(FoldedName(c.project), c.has ? EscapedRateKey(c.project) + "=" + CentsText(c.cents) + "\r\n" : "");
  std::unordered_set<std::string> met;
  std::string project;
  return EditIniSection(
      text, kSection,
      [&](const IniLine& line, std::string* replacement) {
        std::string id;
        if (IniNameIs(line.name, line.nameLength, kDefaultKey)) id = kDefaultKey;
        else if (IniNameIs(line.name, line.nameLength, kCurrencyKey)) id = kCurrencyKey;
        else if (UnescapedRateKey(line.name, line.nameLength, &project)) id = FoldedName(project);
        else return false;
        auto found = lines.find(id);
        if (found == lines.end()) return false;
        if (met.insert(id).second) *replacement = found->second;
        return true;
      },
      [&]() {
        std::string added;
        for (const std::string& id : order)
          if (met.count(id) == 0) added += lines[id];
        return added;
      });
}
