// Names for the Totals window's saved page.
#pragma once
#include <stddef.h>

// "<sheet name> totals.html" in the folder of `sheetPath`, where the sheet
// name is its file name without the extension; false when it does not fit.
bool DefaultReportPath(const char* sheetPath, char* out, size_t size);
// The file name of a path: what follows its last '\', '/' or ':'.
const char* PathFileName(const char* path);
