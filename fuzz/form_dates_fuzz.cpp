// The records editor's typed dates, the purge box and the record form, against
// a naive reading of their rules and the independent days_from_civil calendar.
// Numbers are typed as the user might: spaced, signed, with trailing junk, or
// past 32 bits (they wrap, and the form keeps their low 16 bits).
#include <math.h>

#include "editors/purge_date.h"
#include "editors/record_form.h"
#include "fuzz/fuzz_input.h"

namespace {
struct Typed {
  std::string text;
  uint16_t value;  // what the form reads from it
};

Typed TakeNumber(FuzzInput& input) {
  uint8_t shape = input.Take<uint8_t>();
  int32_t raw = input.Take<int32_t>();
  int64_t value = shape % 4 == 0   ? raw % 70 - 3                      // months, days, hours, short years
                  : shape % 4 == 1 ? 1590 + (raw % 600 + 600) % 600   // four-digit years
                  : shape % 4 == 2 ? raw
                                   : static_cast<int64_t>(raw) * 4294967296LL + input.Take<uint16_t>();
  if (shape & 0x40) return Typed{shape & 0x80 ? "" : "x12", 0};
  char text[64];
  snprintf(text, sizeof text, "%s%s%lld%s", shape & 4 ? " \t" : "", shape & 8 && value >= 0 ? "+" : "",
           static_cast<long long>(value), shape & 16 ? "x9" : shape & 32 ? ".75" : "");
  return Typed{text, static_cast<uint16_t>(static_cast<uint64_t>(value))};
}

bool InCalendar(unsigned year, unsigned month, unsigned day) {
  return year >= 1601 && year <= 30827 && NaiveIsDate(year, month, day);
}

void CheckPurge(FuzzInput& input) {
  Typed month = TakeNumber(input), day = TakeNumber(input), year = TakeNumber(input);
  PurgeDate date = CheckPurgeDate(month.text.c_str(), day.text.c_str(), year.text.c_str());
  unsigned y = year.value >= 100 ? year.value : year.value >= 80 ? 1900u + year.value : 2000u + year.value;
  std::string expected, shown;
  if (day.value < 1 || day.value > 31) expected += "Bad Day of the Month Entered|";
  if (month.value < 1 || month.value > 12) expected += "Bad Month Entered|";
  bool good = InCalendar(y, month.value, day.value);
  if (!good) expected += "Bad Time Entered|";
  FUZZ_CHECK(date.messageCount >= 0 && date.messageCount <= 3);
  for (int i = 0; i < date.messageCount; ++i) shown += std::string(date.messages[i]) + "|";
  FUZZ_CHECK(shown == expected);
  FUZZ_CHECK(date.good == good);
  if (good) FUZZ_CHECK(date.cutoff == NaiveFileSeconds(y, month.value, day.value, 0, 0, 0));
}

// The form's bounds first, field by field, then the calendar, then the order.
int ExpectedDateStep(const Typed (&n)[5], int first) {
  if (n[0].value < 1 || n[0].value > 12) return first;
  if (n[1].value < 1 || n[1].value > 31) return first + 1;
  if (n[2].value > 9999) return first + 2;
  if (n[3].value > 24) return first + 3;
  if (n[4].value > 59) return first + 4;
  return kFormGood;
}

unsigned FormYear(uint16_t year) { return year >= 100 ? year : year >= 90 ? 1900u + year : 2000u + year; }

bool ExpectedTime(const Typed (&n)[5], int64_t* seconds) {
  unsigned year = FormYear(n[2].value);
  if (!InCalendar(year, n[0].value, n[1].value) || n[3].value > 23) return false;
  *seconds = NaiveFileSeconds(year, n[0].value, n[1].value, n[3].value, n[4].value, 0);
  return true;
}

void CheckTime(const SYSTEMTIME& t, const Typed (&n)[5]) {
  FUZZ_CHECK(t.wYear == FormYear(n[2].value) && t.wMonth == n[0].value && t.wDay == n[1].value);
  FUZZ_CHECK(t.wHour == n[3].value && t.wMinute == n[4].value && t.wSecond == 0 && t.wMilliseconds == 0);
  // 1970-01-01 was a Thursday; Sunday is 0.
  int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay);
  FUZZ_CHECK(t.wDayOfWeek == static_cast<WORD>(((days + 4) % 7 + 7) % 7));
}

std::string TakeDescription(FuzzInput& input) {
  uint8_t length = input.Take<uint8_t>() % 80;
  std::string text;
  for (uint8_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
  return text;
}

bool FieldHolds(const char (&field)[kDescriptionSize], const std::string& text) {
  char expected[kDescriptionSize] = {0};
  memcpy(expected, text.data(), text.size() < 63 ? text.size() : 63);
  return memcmp(field, expected, sizeof expected) == 0;
}

void CheckForm(FuzzInput& input) {
  std::string task = TakeDescription(input), project = TakeDescription(input), kind = TakeDescription(input);
  Typed start[5], stop[5];
  for (Typed& n : start) n = TakeNumber(input);
  for (Typed& n : stop) n = TakeNumber(input);
  RecordFormTexts texts = {task.c_str(), project.c_str(), kind.c_str(),
                           start[0].text.c_str(), start[1].text.c_str(), start[2].text.c_str(),
                           start[3].text.c_str(), start[4].text.c_str(),
                           stop[0].text.c_str(), stop[1].text.c_str(), stop[2].text.c_str(),
                           stop[3].text.c_str(), stop[4].text.c_str()};
  TimeRecord before;
  memset(&before, 0xA5, sizeof before);
  TimeRecord record = before;
  RecordFormStep step = ReadTimeRecordForm(texts, &record);

  int64_t startSeconds = 0, stopSeconds = 0;
  int expected = task.empty()      ? kFormMissingTask
                 : project.empty() ? kFormMissingProject
                 : kind.empty()    ? kFormMissingClass
                                   : ExpectedDateStep(start, kFormBadStartMonth);
  if (expected == kFormGood) expected = ExpectedDateStep(stop, kFormBadStopMonth);
  if (expected == kFormGood && !ExpectedTime(start, &startSeconds)) expected = kFormBadStartTime;
  if (expected == kFormGood && !ExpectedTime(stop, &stopSeconds)) expected = kFormBadStopTime;
  if (expected == kFormGood && startSeconds >= stopSeconds) expected = kFormStartNotBeforeStop;
  FUZZ_CHECK(step == expected);
  FUZZ_CHECK((RecordFormMessage(step)[0] != '\0') == (step != kFormGood));
  if (step != kFormGood) {
    FUZZ_CHECK(memcmp(&record, &before, sizeof record) == 0);
    return;
  }
  FUZZ_CHECK(FieldHolds(record.task, task) && FieldHolds(record.project, project) &&
             FieldHolds(record.classification, kind));
  FUZZ_CHECK(record.startSeconds == startSeconds && record.stopSeconds == stopSeconds);
  CheckTime(record.startTime, start);
  CheckTime(record.stopTime, stop);
  double minutes = (stopSeconds - startSeconds) / 60.0;
  FUZZ_CHECK(fabs(record.elapsedMinutes - minutes) <= minutes * 1e-6);
  FUZZ_CHECK(fabs(record.elapsedHours - minutes / 60.0) <= minutes / 60.0 * 1e-6);
  FUZZ_CHECK(memcmp(record.reserved, before.reserved, sizeof record.reserved) == 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  if (input.Take<uint8_t>() & 1) CheckForm(input);
  else CheckPurge(input);
  return 0;
}
