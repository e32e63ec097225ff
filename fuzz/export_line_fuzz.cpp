// The export line of any 256 bytes, in every form and at small output sizes,
// against the line built with snprintf from its formats.
#include <math.h>

#include "export/export_text.h"
#include "fuzz/fuzz_input.h"
#include "store/stamp_text.h"

static std::string Stamp(const SYSTEMTIME& t) {
  char text[kStampTextSize];
  StampText(t, text, sizeof text);  // checked against its own oracle elsewhere
  return text;
}

static std::string Field(const char* field) { return std::string(field, strnlen(field, 63)); }

static std::string Elapsed(const TimeRecord& r, int form) {
  char text[128];
  if (form == kElapsedHours) {
    snprintf(text, sizeof text, "%.2f", static_cast<double>(r.elapsedHours));
  } else if (form == kElapsedHoursMinutes) {
    int32_t h = 0, m = 0;
    ElapsedHoursMinutes(r.elapsedMinutes, r.elapsedHours, &h, &m);
    // Normal intervals by the stored floats' rule, each part truncated.
    double minutes = r.elapsedMinutes, hours = r.elapsedHours;
    if (minutes >= 60 && minutes < 8388608.0 && fabs(hours) < 2e9) {
      double q = trunc(minutes * static_cast<double>(0.016666668f));
      FUZZ_CHECK(h == static_cast<int32_t>(trunc(hours)) && m == static_cast<int32_t>(trunc(minutes - 60 * q)));
    } else if (minutes >= 8388608.0 && minutes < 1e11) {
      FUZZ_CHECK(m >= 0 && m < 60 && static_cast<double>(h) * 60 + m == minutes);
    } else if (minutes < 60 && minutes > -2e9 && fabs(hours) < 2e9) {
      FUZZ_CHECK(h == static_cast<int32_t>(trunc(hours)) && m == static_cast<int32_t>(trunc(minutes)));
    }
    snprintf(text, sizeof text, "%d:%d", h, m);
  } else {
    snprintf(text, sizeof text, "%.2f", static_cast<double>(r.elapsedMinutes));
  }
  return std::string(text) + "\r\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  TimeRecord record = input.Take<TimeRecord>();
  int form = input.Take<int8_t>() % 4;
  size_t outSize = input.Take<uint16_t>() % (kExportLineSize + 1);

  std::string expected = Stamp(record.startTime) + "\t" + Stamp(record.stopTime) + "\t" +
                         Field(record.task) + "\t" + Field(record.project) + "\t" +
                         Field(record.classification) + "\t" +
                         Elapsed(record, form == 1 || form == 2 ? form : 0);
  FUZZ_CHECK(expected.size() < kExportLineSize);

  char* out = static_cast<char*>(malloc(outSize > 0 ? outSize : 1));  // exactly: ASan sees overruns
  size_t length = BuildExportLine(record, form, out, outSize);
  if (outSize == 0) {
    FUZZ_CHECK(length == 0);
  } else {
    FUZZ_CHECK(length < outSize && strlen(out) == length);
    FUZZ_CHECK(expected.compare(0, length, out) == 0);
    FUZZ_CHECK(length == (expected.size() < outSize ? expected.size() : outSize - 1));
  }
  free(out);
  FUZZ_CHECK(IsRecordExported(record, 0, 0) == (record.stopSeconds != 0));
  return 0;
}
