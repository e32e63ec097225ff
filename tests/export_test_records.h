// Records with real stamps for the export tests, and the text they export.
#pragma once
#include <stddef.h>

#include <string>
#include <vector>

#include "store/time_record.h"

SYSTEMTIME ExportAt(int year, int month, int day, int hour, int minute, int second = 0);
// A closed record: seconds from the stamps, elapsed floats computed the way
// the end of a task computes them.
TimeRecord ExportClosed(const char* task, const char* project, const char* classification,
                        const SYSTEMTIME& start, const SYSTEMTIME& stop);
TimeRecord ExportOpen(const char* task, const SYSTEMTIME& start);
std::string SheetBytes(const std::vector<TimeRecord>& records);

// Three closed records out of start order with an open one between them, all
// on 17 March 1999: 15:07:09-16:00:00, 12:30:00-13:00:00 (empty project),
// 00:05:00-01:35:30.
std::vector<TimeRecord> SampleSheet();
// The whole sample exported in each form, header included.
std::string SampleExport(int elapsedForm);

// The lines of an export text, each with its CR LF.
std::vector<std::string> ExportLines(const std::string& text);
