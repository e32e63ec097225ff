// The local wall-clock time now, as records keep their times.
#pragma once
#include <stdint.h>

// Seconds since 1601-01-01 00:00 on the local clock (FileSeconds).
int64_t LocalNowSeconds();
