// ParseInt against strtoll, both held at the 32-bit limits.

#include "common/parse_int.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  std::string text = input.Text();
  int32_t value = ParseInt(text.c_str());
  // strtoll holds at its own limits, beyond the 32-bit ones.
  long long expected = strtoll(text.c_str(), NULL, 10);
  if (expected > INT32_MAX) expected = INT32_MAX;
  if (expected < INT32_MIN) expected = INT32_MIN;
  FUZZ_CHECK(value == expected);
  return 0;
}
