#include "editors/record_list.h"

#include <ctype.h>
#include <math.h>
#include <stdio.h>

#include "store/description_text.h"
#include "store/stamp_text.h"

const char* const kRecordColumnHeaders[kRecordColumns] = {
    "Start Time", "End Time", "Task", "Project", "CLASS", "Elapsed Time  Hours:Minutes"};

int32_t ListedRecordCount(const TimeRecord* records, int32_t count) {
  int32_t i = 0;
  while (i < count && records[i].stopSeconds > 0) ++i;
  return i;
}

// Formatted as doubles throughout: a record from a damaged file may carry
// minutes no integer can hold, or NaN.
void ElapsedCellText(float elapsedMinutes, char* out, size_t outSize) {
  const float kOneSixtieth = 0.016666668f;
  double minutes = elapsedMinutes;
  double hours = trunc(minutes * static_cast<double>(kOneSixtieth));
  double rest = trunc(minutes - 60.0 * hours);
  // The single-precision 1/60 is a little large: past some thousands of
  // hours it rounds the hours up and the minutes come out negative.
  if (rest < 0.0 && hours > 0.0) {
    hours -= 1.0;
    rest = trunc(minutes - 60.0 * hours);
  }
  char restText[48];
  snprintf(restText, sizeof restText, rest >= 10.0 ? "%.0f" : "0%.0f", rest);
  snprintf(out, outSize, "%.0f:%s", hours, restText);
}

static void DescriptionCell(const char* field, char* out, size_t outSize) {
  // A field from a file may lack its NUL: only its first 63 characters count.
  snprintf(out, outSize, "%.*s", static_cast<int>(DescriptionLength(field)), field);
}

void RecordCellText(const TimeRecord& record, int column, char* out, size_t outSize) {
  switch (column) {
    case 0:
      StampText(record.startTime, out, outSize);
      return;
    case 1:
      StampText(record.stopTime, out, outSize);
      return;
    case 2:
      DescriptionCell(record.task, out, outSize);
      return;
    case 3:
      DescriptionCell(record.project, out, outSize);
      return;
    case 4:
      DescriptionCell(record.classification, out, outSize);
      return;
    case 5:
      ElapsedCellText(record.elapsedMinutes, out, outSize);
      return;
  }
  if (outSize > 0) out[0] = '\0';
}

static bool StartsWith(const char* text, const char* prefix) {
  for (; *prefix != '\0'; ++text, ++prefix)
    if (tolower(static_cast<unsigned char>(*text)) != tolower(static_cast<unsigned char>(*prefix)))
      return false;
  return true;
}

int32_t FindRowByStart(const TimeRecord* records, int32_t rows, int32_t from, const char* prefix,
                       bool wrap) {
  if (from < 0 || from > rows) from = 0;
  char text[kRecordCellSize];
  for (int32_t n = 0; n < rows; ++n) {
    int32_t row = from + n;
    if (row >= rows) {
      if (!wrap) break;
      row -= rows;
    }
    StampText(records[row].startTime, text, sizeof text);
    if (StartsWith(text, prefix)) return row;
  }
  return -1;
}
