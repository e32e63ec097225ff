// The open time sheet and the companion files named after it.
#pragma once
#include "store/time_record.h"

// Empty (first byte NUL) while no time sheet is named.
extern char TimeSheetPath[kPathSize];
extern char DescriptionsPath[kPathSize];
extern char ExportPath[kPathSize];
