#include "store/options_text.h"

#include <stdio.h>

#include "store/ini_text.h"

// A value of digits only, at most `most`; false for anything else.
static bool ReadMinutes(const char* value, size_t length, int32_t most, int32_t* minutes) {
  if (length == 0) return false;
  int64_t number = 0;
  for (size_t i = 0; i < length; ++i) {
    if (value[i] < '0' || value[i] > '9') return false;
    number = number * 10 + (value[i] - '0');
    if (number > most) return false;
  }
  *minutes = static_cast<int32_t>(number);
  return true;
}

static bool IsMinutesKey(const IniLine& line) {
  return line.kind == kIniEntry && IniNameIs(line.name, line.nameLength, "minutes");
}

int32_t ParseAwayMinutes(const char* text, size_t length) {
  const int32_t fallback = kAwayMinutesDefault;
  bool inAway = false;
  IniLine line;
  for (size_t at = 0, number = 1; NextIniLine(text, length, at, number, &line); at = line.next, ++number) {
    if (line.kind == kIniSection) inAway = IniNameIs(line.name, line.nameLength, "away");
    if (!inAway || !IsMinutesKey(line)) continue;
    // The first such key counts, as Windows reads .ini files.
    int32_t minutes = fallback;
    return ReadMinutes(line.value, line.valueLength, kAwayMinutesMost, &minutes) ? minutes : fallback;
  }
  return fallback;
}

bool ParseAwayMinutesValue(const char* text, int32_t* minutes) {
  const char* end = text;
  while (*end != '\0') ++end;
  TrimIniBlanks(&text, &end);
  return ReadMinutes(text, static_cast<size_t>(end - text), kAwayMinutesMost, minutes);
}

std::string OptionsTextWithMinutes(const std::string& text, int32_t minutes) {
  char entry[32];
  snprintf(entry, sizeof entry, "minutes=%d\r\n", static_cast<int>(minutes));
  bool written = false;
  return EditIniSection(
      text, "away",
      [&](const IniLine& line, std::string* replacement) {
        if (written || !IsMinutesKey(line)) return false;
        written = true;
        *replacement = entry;
        return true;
      },
      [&]() { return written ? std::string() : std::string(entry); });
}
