#include "store/ini_text.h"

// Lines end in CR LF or LF; blanks around names and values do not count, and
// section and key names are read without regard to case, as Windows reads
// .ini files. Lines starting with ';' are comments.

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void TrimIniBlanks(const char** begin, const char** end) {
  while (*begin < *end && IsBlank(**begin)) ++*begin;
  while (*end > *begin && IsBlank((*end)[-1])) --*end;
}

bool NextIniLine(const char* text, size_t length, size_t at, size_t number, IniLine* line) {
  if (at >= length) return false;
  size_t end = at;
  while (end < length && text[end] != '\n') ++end;
  line->begin = at;
  line->next = end < length ? end + 1 : length;
  if (end > at && text[end - 1] == '\r') --end;
  line->end = end;
  line->number = number;
  line->name = line->value = text + at;
  line->nameLength = line->valueLength = 0;
  const char* first = text + at;
  const char* last = text + end;
  TrimIniBlanks(&first, &last);
  if (first == last) {
    line->kind = kIniBlank;
  } else if (*first == ';') {
    line->kind = kIniComment;
  } else if (*first == '[') {
    // A bracket left open still ends the section before it, under a name
    // (its whole text) that no section of ours has.
    line->kind = kIniSection;
    bool closed = last[-1] == ']' && last - first >= 2;
    const char* nameBegin = closed ? first + 1 : first;
    const char* nameEnd = closed ? last - 1 : last;
    TrimIniBlanks(&nameBegin, &nameEnd);
    line->name = nameBegin;
    line->nameLength = static_cast<size_t>(nameEnd - nameBegin);
  } else {
    const char* equals = first;
    while (equals < last && *equals != '=') ++equals;
    line->kind = equals < last ? kIniEntry : kIniOther;
    const char* keyEnd = equals;
    TrimIniBlanks(&first, &keyEnd);
    line->name = first;
    line->nameLength = static_cast<size_t>(keyEnd - first);
    if (equals < last) {
      const char* valueBegin = equals + 1;
      TrimIniBlanks(&valueBegin, &last);
      line->value = valueBegin;
      line->valueLength = static_cast<size_t>(last - valueBegin);
    }
  }
  return true;
}

bool IniNameIs(const char* name, size_t length, const char* word) {
  for (size_t i = 0; i < length; ++i, ++word)
    if (*word == '\0' || Lower(name[i]) != *word) return false;
  return *word == '\0';
}

std::string EditIniSection(const std::string& text, const char* section,
                           const std::function<bool(const IniLine&, std::string*)>& edit,
                           const std::function<std::string()>& added) {
  std::string out;
  out.reserve(text.size() + 64);
  bool inSection = false, inFirst = false, sectionSeen = false;
  size_t insertAt = 0;  // in `out`: after the first such section's header or last entry
  IniLine line;
  std::string replacement;
  size_t number = 1;
  for (size_t at = 0; NextIniLine(text.data(), text.size(), at, number, &line);
       at = line.next, ++number) {
    if (line.kind == kIniSection) {
      inSection = IniNameIs(line.name, line.nameLength, section);
      inFirst = inSection && !sectionSeen;
      sectionSeen = sectionSeen || inSection;
    }
    bool entry = inSection && line.kind == kIniEntry;
    replacement.clear();
    if (entry && edit(line, &replacement))
      out += replacement;
    else
      out.append(text, line.begin, line.next - line.begin);
    if (inFirst && (entry || line.kind == kIniSection)) insertAt = out.size();
  }
  std::string more = added();
  if (more.empty()) return out;
  if (!sectionSeen) {
    insertAt = out.size();
    more = "[" + std::string(section) + "]\r\n" + more;
  }
  // A last line without its line break gets one before the new lines.
  if (insertAt > 0 && out[insertAt - 1] != '\n') more = "\r\n" + more;
  return out.insert(insertAt, more);
}
