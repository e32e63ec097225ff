// ParseInt against strtoll wherever strtoll does not overflow.
#include <errno.h>

#include "common/parse_int.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  std::string text = input.Text();
  int32_t value = ParseInt(text.c_str());
  errno = 0;
  long long expected = strtoll(text.c_str(), NULL, 10);
  if (errno != ERANGE)
    FUZZ_CHECK(value == static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long long>(expected))));
  return 0;
}
