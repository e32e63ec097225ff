// The program's options, kept in %APPDATA%\Hourwright\hourwright.ini (never
// in the registry).
#pragma once
#include <stdint.h>

#include <functional>
#include <string>

#include "common/path_size.h"

// False when APPDATA is not set or the path would not fit.
bool OptionsFilePath(char (&path)[kPathSize]);

// The file's bytes: 1 read, 0 missing (an empty text), -1 cannot be read or
// larger than any options file the program writes.
int ReadOptionsText(std::string* text);

// Rewrites the file with the text `edit` makes of its present text (empty
// when it is missing), through a temporary file and a rename, making its
// folder when needed. False when the file could not be read or written: it
// is then as it was.
bool RewriteOptionsText(const std::function<std::string(const std::string&)>& edit);

// The away minutes of the file; the default when it is missing, cannot be
// read, or holds no whole number from 0 to 1440.
int32_t LoadAwayMinutes();

// Writes the minutes, keeping every other line of the file. False when it
// could not be written: the file is as it was.
bool SaveAwayMinutes(int32_t minutes);
