// The program's options file, %APPDATA%\Hourwright\hourwright.ini, as text.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

// Ask about away time after this many minutes without input; 0 never.
enum { kAwayMinutesDefault = 15, kAwayMinutesMost = 1440 };

// The minutes of "[away]" "minutes=", or the default when the text has no
// such key or its value is not a whole number from 0 to kAwayMinutesMost.
int32_t ParseAwayMinutes(const char* text, size_t length);

// A typed value: a whole number from 0 to kAwayMinutesMost, blanks around
// allowed; false (and `minutes` untouched) for anything else.
bool ParseAwayMinutesValue(const char* text, int32_t* minutes);

// The file's text with `minutes` as the away minutes; every other line as it was.
std::string OptionsTextWithMinutes(const std::string& text, int32_t minutes);
