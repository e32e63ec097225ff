// The program's options, kept in %APPDATA%\Hourwright\hourwright.ini (never
// in the registry).
#pragma once
#include <stdint.h>

#include "common/path_size.h"

// False when APPDATA is not set or the path would not fit.
bool OptionsFilePath(char (&path)[kPathSize]);

// The away minutes of the file; the default when it is missing, cannot be
// read, or holds no whole number from 0 to 1440.
int32_t LoadAwayMinutes();

// Writes the file through a temporary file and a rename, making its folder
// when needed. False when it could not be written: the file is as it was.
bool SaveAwayMinutes(int32_t minutes);
