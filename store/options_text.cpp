#include "store/options_text.h"

#include <stdio.h>

// Lines end in CR LF or LF; blanks around names and values are allowed, and
// section and key names are read without regard to case, as Windows reads
// .ini files. Lines starting with ';' are comments.

namespace {
struct Line {
  const char* begin;
  const char* end;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

Line Trimmed(Line line) {
  while (line.begin < line.end && IsBlank(*line.begin)) ++line.begin;
  while (line.end > line.begin && IsBlank(line.end[-1])) --line.end;
  return line;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Is(Line line, const char* word) {
  for (; line.begin < line.end; ++line.begin, ++word)
    if (*word == '\0' || Lower(*line.begin) != *word) return false;
  return *word == '\0';
}

// A value of digits only, at most `most`; false for anything else.
bool ReadMinutes(Line value, int32_t most, int32_t* minutes) {
  if (value.begin == value.end) return false;
  int64_t number = 0;
  for (const char* p = value.begin; p < value.end; ++p) {
    if (*p < '0' || *p > '9') return false;
    number = number * 10 + (*p - '0');
    if (number > most) return false;
  }
  *minutes = static_cast<int32_t>(number);
  return true;
}
}  // namespace

int32_t ParseAwayMinutes(const char* text, size_t length) {
  const int32_t fallback = kAwayMinutesDefault;
  const char* end = text + length;
  bool inAway = false;
  for (const char* p = text; p < end;) {
    Line line = {p, p};
    while (line.end < end && *line.end != '\n') ++line.end;
    p = line.end < end ? line.end + 1 : end;
    line = Trimmed(line);
    if (line.begin == line.end || *line.begin == ';') continue;
    if (*line.begin == '[') {
      inAway = line.end[-1] == ']' && Is(Trimmed(Line{line.begin + 1, line.end - 1}), "away");
      continue;
    }
    const char* equals = line.begin;
    while (equals < line.end && *equals != '=') ++equals;
    if (!inAway || equals == line.end || !Is(Trimmed(Line{line.begin, equals}), "minutes")) continue;
    // The first such key counts, as Windows reads .ini files.
    int32_t minutes = fallback;
    return ReadMinutes(Trimmed(Line{equals + 1, line.end}), kAwayMinutesMost, &minutes) ? minutes : fallback;
  }
  return fallback;
}

bool ParseAwayMinutesValue(const char* text, int32_t* minutes) {
  const char* end = text;
  while (*end != '\0') ++end;
  return ReadMinutes(Trimmed(Line{text, end}), kAwayMinutesMost, minutes);
}

size_t OptionsFileText(int32_t minutes, char* out, size_t outSize) {
  int length = snprintf(out, outSize, "[away]\r\nminutes=%d\r\n", static_cast<int>(minutes));
  if (length < 0 || outSize == 0) return 0;
  return static_cast<size_t>(length) < outSize ? static_cast<size_t>(length) : outSize - 1;
}
