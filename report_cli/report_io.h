// What hourwright-report needs of its system: files, the clock and the console.
// report_io_posix.cpp and report_io_win.cpp hold the two answers.
#pragma once
#include <stdint.h>

#include <string>

#include "report/totals.h"
#include "store/local_clock.h"

enum { kSheetPieceSize = 1 << 20 };  // a whole number of records
// A short reason for a system error code of a failed read or write.
std::string SystemErrorText(unsigned long error);
// Written whole to a new file beside `path`, then renamed over it.
bool WriteOutputFile(const std::string& path, const std::string& text, std::string* reason);
// LocalNowSeconds (store/local_clock.h): on Windows the program's own.
// Descriptions and argument texts as the core holds them (the ANSI code page)
// and the converter to UTF-8 for the formats that want it.
std::string ArgumentToAnsi(const std::string& argument);
AnsiToUtf8Function SystemToUtf8();
// Text in the ANSI code page to standard output or standard error: wide
// characters on a Windows console, bytes elsewhere. `table` text gets this
// system's line ends. A failed write or flush of the output is false with a
// short reason; standard error has no one left to tell.
bool WriteStandardOutput(const std::string& text, bool table, std::string* reason);
void WriteStandardError(const std::string& text);
// The table text as it goes into an --output file on this system.
std::string TableForFile(const std::string& table);
// The program's own options file, the rates' home without --rates: 1 read,
// 0 none (always so off Windows), -1 it cannot be read. `path` names it.
int ReadOwnOptions(std::string* text, std::string* path);
