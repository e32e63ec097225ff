// What the records editor's list shows, apart from the list itself.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "store/time_record.h"

enum { kRecordColumns = 6, kRecordCellSize = 64 };

extern const char* const kRecordColumnHeaders[kRecordColumns];

// Rows listed: records from the first on, up to the first open one (a stop
// of 0 or less), which is not listed, nor anything after it.
int32_t ListedRecordCount(const TimeRecord* records, int32_t count);

// The h:mm text of the elapsed column, from the elapsed minutes alone.
void ElapsedCellText(float elapsedMinutes, char* out, size_t outSize);

// The text of one cell of a record's row (columns 0 to 5).
void RecordCellText(const TimeRecord& record, int column, char* out, size_t outSize);

// Type-ahead in the list: the first row from `from` on (wrapping round when
// `wrap`) whose start text begins with `prefix`, ignoring case; -1 if none.
int32_t FindRowByStart(const TimeRecord* records, int32_t rows, int32_t from, const char* prefix,
                       bool wrap);
