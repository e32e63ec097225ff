#include "store/stamp_text.h"

#include <string.h>

namespace {
// Builds the stamp without printf: an export makes two stamps per record,
// and printf cost more than all the rest of its line.
struct StampWriter {
  char text[kStampTextSize];
  size_t length;

  void Number(unsigned value) {  // "%lu"
    char digits[8];
    size_t count = 0;
    do {
      digits[count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    while (count > 0) text[length++] = digits[--count];
  }
  void TwoDigits(unsigned value) {  // "%lu" above 9, "0%lu" otherwise
    if (value <= 9) text[length++] = '0';
    Number(value);
  }
  void Text(const char* part) {
    while (*part) text[length++] = *part++;
  }
};
}  // namespace

size_t StampText(const SYSTEMTIME& time, char* out, size_t outSize) {
  if (outSize == 0) return 0;
  unsigned hour = time.wHour;
  // Noon to 12:59 is afternoon: printing it as "am" would read as just after midnight.
  const char* half = hour >= 12 ? " pm " : " am ";
  if (hour > 12) hour -= 12;
  // Every part is a 16-bit value: at most 5 digits each, 38 characters in all.
  StampWriter stamp;
  stamp.length = 0;
  stamp.Number(hour);
  stamp.Text(":");
  stamp.TwoDigits(time.wMinute);
  stamp.Text(":");
  stamp.TwoDigits(time.wSecond);
  stamp.Text(half);
  stamp.Number(time.wMonth);
  stamp.Text("/");
  stamp.Number(time.wDay);
  stamp.Text("/");
  stamp.Number(time.wYear);
  size_t length = stamp.length < outSize ? stamp.length : outSize - 1;
  memcpy(out, stamp.text, length);
  out[length] = '\0';
  return length;
}
