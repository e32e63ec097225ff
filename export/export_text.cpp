#include "export/export_text.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "store/description_text.h"
#include "store/stamp_text.h"

// Form by form; every header ends in CR LF.
static const char* const kHeaders[] = {
    "Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Minutes\r\n",
    "Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Hours\r\n",
    "Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Hours:Minutes\r\n",
};

// The single-precision value nearest 1/60 (bits 0x3C888889); the stored hours
// were made with it, so whole hours are cut with it too.
static const float kFloatSixtieth = 0.016666668f;

static int FormIndex(int elapsedForm) {
  return elapsedForm == kElapsedHours || elapsedForm == kElapsedHoursMinutes ? elapsedForm
                                                                             : kElapsedMinutes;
}

const char* ExportHeader(int elapsedForm) { return kHeaders[FormIndex(elapsedForm)]; }

size_t ExportHeaderLength(int elapsedForm) { return strlen(ExportHeader(elapsedForm)); }

bool IsRecordExported(const TimeRecord& record, int64_t startLimit, int64_t stopLimit) {
  if (record.stopSeconds == 0 || stopLimit == kStopBeforeAnyRecord) return false;
  if (startLimit > 0 && record.startSeconds < startLimit) return false;
  if (stopLimit > 0 && record.stopSeconds > stopLimit) return false;
  return true;
}

// Truncation toward zero. Values beyond the 32-bit range (and NaN, from a
// damaged file) give INT32_MIN, as the processor's own conversion does,
// instead of undefined behaviour.
static int32_t Truncate(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// From 2^23 minutes (about 16 years) on, a float holds whole minutes only and
// the stored hours run up to an hour or two ahead of them (the single 1/60 is
// a little large), which printed negative minutes from about 1.2e7 minutes:
// there both parts come from the minutes alone.
static const float kWholeMinutesOnly = 8388608.0f;

void ElapsedHoursMinutes(float elapsedMinutes, float elapsedHours, int32_t* hours, int32_t* minutes) {
  if (elapsedMinutes >= kWholeMinutesOnly) {
    double value = elapsedMinutes;
    double wholeHours = floor(value / 60.0);
    bool fits = wholeHours < 2147483648.0;
    *hours = fits ? static_cast<int32_t>(wholeHours) : INT32_MIN;
    *minutes = fits ? static_cast<int32_t>(value - 60.0 * wholeHours) : INT32_MIN;
    return;
  }
  *hours = Truncate(elapsedHours);
  if (elapsedMinutes >= 60.0f) {
    int32_t wholeHours = Truncate(static_cast<double>(elapsedMinutes) * kFloatSixtieth);
    *minutes = Truncate(static_cast<double>(elapsedMinutes) - 60.0 * wholeHours);
  } else {
    *minutes = Truncate(elapsedMinutes);
  }
}

// "%.2f" of a float widened to double, without printf for the common case:
// printf costs about as much as the rest of the line. The float is an
// integer mantissa times a power of two, so its value times 100 can be
// rounded exactly; an exact tie, a negative, tiny or huge value, NaN and
// infinity go to printf, which settles them as it always has.
static size_t FormatHundredths(float value, char* out, size_t outSize) {
  uint32_t bits;
  memcpy(&bits, &value, sizeof bits);
  uint32_t biased = (bits >> 23) & 0xFF;
  uint64_t hundredths = 0;
  bool exact = false;
  if (bits == 0) {
    exact = true;
  } else if ((bits >> 31) == 0 && biased != 0 && biased != 0xFF) {
    uint64_t scaled = ((bits & 0x7FFFFFu) | 0x800000u) * 100ull;  // below 2^31
    int exponent = static_cast<int>(biased) - 150;
    if (exponent >= 0 && exponent <= 20) {
      hundredths = scaled << exponent;
      exact = true;
    } else if (exponent < 0 && exponent >= -60) {
      int shift = -exponent;
      uint64_t rest = scaled & ((1ull << shift) - 1);
      uint64_t half = 1ull << (shift - 1);
      hundredths = (scaled >> shift) + (rest > half ? 1 : 0);
      exact = rest != half;
    }
  }
  if (!exact) {
    int n = snprintf(out, outSize, "%.2f", static_cast<double>(value));
    if (n < 0) return 0;
    return static_cast<size_t>(n) < outSize ? static_cast<size_t>(n) : outSize - 1;
  }
  char digits[32];
  size_t count = 0;
  uint64_t whole = hundredths / 100;
  do {
    digits[count++] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  size_t length = 0;
  while (count > 0 && length + 1 < outSize) out[length++] = digits[--count];
  unsigned fraction = static_cast<unsigned>(hundredths % 100);
  const char tail[3] = {'.', static_cast<char>('0' + fraction / 10), static_cast<char>('0' + fraction % 10)};
  for (char c : tail)
    if (length + 1 < outSize) out[length++] = c;
  if (outSize > 0) out[length] = '\0';
  return length;
}

namespace {
// Appends to a fixed buffer, never past its end; the text stays NUL-terminated.
struct LineWriter {
  char* out;
  size_t size;
  size_t length;

  void Append(const char* text, size_t count) {
    if (length + 1 >= size) return;
    size_t room = size - 1 - length;
    if (count > room) count = room;
    memcpy(out + length, text, count);
    length += count;
    out[length] = '\0';
  }
  void AppendStamp(const SYSTEMTIME& time) {
    char stamp[kStampTextSize];
    Append(stamp, StampText(time, stamp, sizeof stamp));
    Append("\t", 1);
  }
  void AppendDescription(const char* field) {
    Append(field, DescriptionLength(field));
    Append("\t", 1);
  }
  void AppendHundredths(float value) {
    char text[64];
    Append(text, FormatHundredths(value, text, sizeof text));
    Append("\r\n", 2);
  }
  // "%d" without printf.
  void AppendInteger(int32_t value) {
    char digits[16];
    size_t count = 0;
    int64_t rest = value < 0 ? -static_cast<int64_t>(value) : value;
    do {
      digits[count++] = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest != 0);
    if (value < 0) digits[count++] = '-';
    while (count > 0) Append(&digits[--count], 1);
  }
};
}  // namespace

size_t BuildExportLine(const TimeRecord& record, int elapsedForm, char* out, size_t outSize) {
  if (outSize == 0) return 0;
  out[0] = '\0';
  LineWriter line = {out, outSize, 0};
  line.AppendStamp(record.startTime);
  line.AppendStamp(record.stopTime);
  line.AppendDescription(record.task);
  line.AppendDescription(record.project);
  line.AppendDescription(record.classification);
  switch (FormIndex(elapsedForm)) {
    case kElapsedHours:
      line.AppendHundredths(record.elapsedHours);
      break;
    case kElapsedHoursMinutes: {
      int32_t hours = 0, minutes = 0;
      ElapsedHoursMinutes(record.elapsedMinutes, record.elapsedHours, &hours, &minutes);
      line.AppendInteger(hours);
      line.Append(":", 1);
      line.AppendInteger(minutes);
      line.Append("\r\n", 2);
      break;
    }
    default:
      line.AppendHundredths(record.elapsedMinutes);
      break;
  }
  return line.length;
}
