// The tab-separated export text: its header, which records it holds, and the
// line of one record.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "store/time_record.h"

enum ElapsedForm { kElapsedMinutes = 0, kElapsedHours = 1, kElapsedHoursMinutes = 2 };

// Room for any one line, whatever a record holds; the clipboard block is
// sized by it.
enum { kExportLineSize = 512 };

// The header line of a form, CR LF included (64, 62 or 70 bytes).
const char* ExportHeader(int elapsedForm);
size_t ExportHeaderLength(int elapsedForm);

// A stop limit no record meets: the typed 1/1/1601 0:00, whose FileSeconds
// are 0 and would otherwise read as no limit at all.
constexpr int64_t kStopBeforeAnyRecord = INT64_MIN;

// Closed records within the inclusive limits; a limit of 0 or less means none,
// except kStopBeforeAnyRecord.
bool IsRecordExported(const TimeRecord& record, int64_t startLimit, int64_t stopLimit);

// Writes the record's line, CR LF included, into `out` (NUL-terminated);
// returns its length.
size_t BuildExportLine(const TimeRecord& record, int elapsedForm, char* out, size_t outSize);

// The elapsed value as hours and minutes, each truncated: 65 minutes is 1:5.
void ElapsedHoursMinutes(float elapsedMinutes, float elapsedHours, int32_t* hours, int32_t* minutes);
