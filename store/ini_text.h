// The lines of the options file (.ini text) as this program reads and edits
// them: one reader for every section.
#pragma once
#include <stddef.h>

#include <functional>
#include <string>

enum IniLineKind { kIniBlank, kIniComment, kIniSection, kIniEntry, kIniOther };

struct IniLine {
  IniLineKind kind;
  size_t begin, end;  // the line's bytes, its line break left out
  size_t next;        // where the next line starts
  size_t number;      // 1 for the first line
  // kIniSection: the name between the brackets; kIniEntry: the key before the
  // first '=' and the value after it; each without the blanks around it.
  const char* name;
  size_t nameLength;
  const char* value;
  size_t valueLength;
};

// The line that starts at `at`; false at the end of the text.
bool NextIniLine(const char* text, size_t length, size_t at, size_t number, IniLine* line);
// Moves `begin` and `end` past the blanks around the text between them.
void TrimIniBlanks(const char** begin, const char** end);
// Whether a name is `word` (lower case) in any case of the ASCII letters.
bool IniNameIs(const char* name, size_t length, const char* word);

// `text` with the entries of every section named `section` passed through
// `edit`: false keeps the line byte for byte; true puts `*replacement` (a
// whole line with its CR LF, or nothing) in its place. The lines `added()`
// gives then go after the section's last entry, or into a new section at the
// end. Every other line stays as it was.
std::string EditIniSection(const std::string& text, const char* section,
                           const std::function<bool(const IniLine&, std::string*)>& edit,
                           const std::function<std::string()>& added);
