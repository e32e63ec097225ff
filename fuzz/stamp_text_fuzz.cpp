// StampText against snprintf of its format, at every output size.
#include "fuzz/fuzz_input.h"
#include "store/stamp_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  SYSTEMTIME t = input.Take<SYSTEMTIME>();
  size_t outSize = 1 + input.Take<uint8_t>() % 80;
  unsigned long hour = t.wHour > 12 ? t.wHour - 12u : t.wHour;
  char minute[16], second[16], expected[128];
  snprintf(minute, sizeof minute, t.wMinute > 9 ? "%u" : "0%u", t.wMinute);
  snprintf(second, sizeof second, t.wSecond > 9 ? "%u" : "0%u", t.wSecond);
  snprintf(expected, sizeof expected, "%lu:%s:%s %s %u/%u/%u", hour, minute, second,
           t.wHour >= 12 ? "pm" : "am", t.wMonth, t.wDay, t.wYear);
  char* out = static_cast<char*>(malloc(outSize));  // exactly outSize: ASan sees any overrun
  size_t length = StampText(t, out, outSize);
  FUZZ_CHECK(length < outSize && strlen(out) == length);
  FUZZ_CHECK(strncmp(out, expected, outSize - 1) == 0);
  if (outSize >= kStampTextSize) FUZZ_CHECK(strcmp(out, expected) == 0);
  free(out);
  return 0;
}
