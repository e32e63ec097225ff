#include "common/elapsed_time.h"

// The hours come from the unrounded minutes times the single-precision 1/60,
// widened: stored files carry exactly these bits (5400 s gives 1.5000001).
void ComputeElapsed(int64_t seconds, float* minutes, float* hours) {
  const double kOneSixtieth = 0.016666666666666666;
  const float kOneSixtiethSingle = 0.016666668f;
  double m = static_cast<double>(seconds) * kOneSixtieth;
  *minutes = static_cast<float>(m);
  *hours = static_cast<float>(m * static_cast<double>(kOneSixtiethSingle));
}

int64_t ElapsedSeconds(int64_t stop, int64_t start) {
  if (start < 0 && stop > INT64_MAX + start) return INT64_MAX;
  if (start > 0 && stop < INT64_MIN + start) return INT64_MIN;
  return stop - start;
}
