// Elapsed minutes and hours of an interval, as stored in its record.
#pragma once
#include <stdint.h>

void ComputeElapsed(int64_t seconds, float* minutes, float* hours);

// stop - start, held at the 64-bit limits instead of overflowing: a record
// from a damaged file may start near either end of the range.
int64_t ElapsedSeconds(int64_t stop, int64_t start);
