// The append-mode write of the time sheet, done in place at the file's end.
#pragma once
#include "store/time_record.h"

// Puts `record` over a trailing open record of the file at `path`, or after its
// last whole record, and cuts the file right after it. Creates a missing file.
// On any failure the file is exactly as before (a file it created is removed).
bool AppendRecordInPlace(const char* path, const TimeRecord& record);
