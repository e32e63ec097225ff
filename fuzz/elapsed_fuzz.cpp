// Elapsed seconds, minutes and hours of any two stamps: no overflow, and the
// held difference against 128-bit arithmetic.
#include "common/elapsed_time.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  int64_t stop = input.Take<int64_t>(), start = input.Take<int64_t>();
  __int128 exact = static_cast<__int128>(stop) - start;
  int64_t expected = exact > INT64_MAX ? INT64_MAX : exact < INT64_MIN ? INT64_MIN : static_cast<int64_t>(exact);
  int64_t seconds = ElapsedSeconds(stop, start);
  FUZZ_CHECK(seconds == expected);
  float minutes = 0, hours = 0;
  ComputeElapsed(seconds, &minutes, &hours);
  FUZZ_CHECK(minutes == static_cast<float>(static_cast<double>(seconds) * 0.016666666666666666));
  return 0;
}
