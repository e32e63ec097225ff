// Text of the ANSI code page as UTF-8, for browsers and UTF-8 files.
#pragma once
#include <stddef.h>

#include <string>

// The whole text, converted through the system's ANSI code page. A byte the
// code page does not map comes out as U+FFFD.
std::string AnsiToUtf8(const std::string& ansi);
