// Elapsed minutes and hours of an interval, as stored in its record.
#pragma once
#include <stdint.h>

void ComputeElapsed(int64_t seconds, float* minutes, float* hours);
