// The one display form of a date and time: "3:07:09 pm 3/17/1999".
#pragma once
#include <stddef.h>
#include "store/win_types.h"

enum { kStampTextSize = 64 };

// Writes the stamp of `time` into `out` (always NUL-terminated); returns its length.
size_t StampText(const SYSTEMTIME& time, char* out, size_t outSize);
