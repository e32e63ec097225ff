// The program's own folder and help file, from its command line.
#pragma once
#include <stddef.h>

// Fills `directory` with the command line up to and including its last
// backslash, quotes left out, and `helpPath` with it plus "HOURWRIGHT.HLP".
// Both stay empty when there is no backslash, and when the directory does not
// fit its buffer: a cut-off folder would name some other place. A help path
// that does not fit is left empty on its own.
void DeriveProgramPaths(const char* commandLine, char* directory, size_t directorySize,
                        char* helpPath, size_t helpPathSize);
