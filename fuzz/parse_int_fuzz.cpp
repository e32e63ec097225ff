// ParseInt against strtoll where the value fits, and otherwise against the
// decimal number taken modulo 2^32 nine digits at a time.

#include <ctype.h>
#include <errno.h>

#include "common/parse_int.h"
#include "fuzz/fuzz_input.h"

static uint32_t DigitsModulo32(const char* p) {
  uint64_t value = 0;
  while (isdigit(static_cast<unsigned char>(*p))) {
    uint64_t chunk = 0, scale = 1;
    for (int i = 0; i < 9 && isdigit(static_cast<unsigned char>(*p)); ++i, ++p) {
      chunk = chunk * 10 + static_cast<uint64_t>(*p - '0');
      scale *= 10;
    }
    value = (value * scale + chunk) & 0xFFFFFFFFu;
  }
  return static_cast<uint32_t>(value);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  std::string text = input.Text();
  int32_t value = ParseInt(text.c_str());
  errno = 0;
  long long whole = strtoll(text.c_str(), NULL, 10);
  uint32_t expected;
  if (errno != ERANGE) {
    expected = static_cast<uint32_t>(static_cast<unsigned long long>(whole));
  } else {
    const char* p = text.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    expected = DigitsModulo32(p);
    if (negative) expected = 0u - expected;
  }
  FUZZ_CHECK(static_cast<uint32_t>(value) == expected);
  return 0;
}
