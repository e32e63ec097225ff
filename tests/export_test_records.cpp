#include "tests/export_test_records.h"

#include <string.h>

#include "store/file_seconds.h"
#include "tests/test_records.h"

SYSTEMTIME ExportAt(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return time;
}

TimeRecord ExportClosed(const char* task, const char* project, const char* classification,
                        const SYSTEMTIME& start, const SYSTEMTIME& stop) {
  TimeRecord record = MakeRecord(task, project, classification, 0, 0);
  record.startTime = start;
  record.stopTime = stop;
  ToFileSeconds(start, &record.startSeconds);
  ToFileSeconds(stop, &record.stopSeconds);
  double minutes = static_cast<double>(record.stopSeconds - record.startSeconds) * (1.0 / 60.0);
  record.elapsedMinutes = static_cast<float>(minutes);
  record.elapsedHours = static_cast<float>(minutes * static_cast<double>(0.016666668f));
  return record;
}

TimeRecord ExportOpen(const char* task, const SYSTEMTIME& start) {
  TimeRecord record = MakeRecord(task, "project", "class", 0, 0);
  record.startTime = start;
  ToFileSeconds(start, &record.startSeconds);
  return record;
}

std::string SheetBytes(const std::vector<TimeRecord>& records) {
  std::string bytes;
  for (const TimeRecord& record : records) bytes += RecordBytes(record);
  return bytes;
}

std::vector<TimeRecord> SampleSheet() {
  return {
      ExportClosed("Write report", "Acme", "Billable", ExportAt(1999, 3, 17, 15, 7, 9),
                   ExportAt(1999, 3, 17, 16, 0, 0)),
      ExportOpen("Still open", ExportAt(1999, 3, 17, 16, 30, 0)),
      ExportClosed("Lunch call", "", "Internal", ExportAt(1999, 3, 17, 12, 30, 0),
                   ExportAt(1999, 3, 17, 13, 0, 0)),
      ExportClosed("Night fix", "Ops", "Overtime", ExportAt(1999, 3, 17, 0, 5, 0),
                   ExportAt(1999, 3, 17, 1, 35, 30)),
  };
}

std::string SampleExport(int elapsedForm) {
  static const char* const kHeaders[] = {"Elapsed Time in Minutes", "Elapsed Time in Hours",
                                         "Elapsed Time in Hours:Minutes"};
  // 52:51 = 52.85 minutes, 30:00 = 30 minutes, 1:30:30 = 90.5 minutes.
  static const char* const kValues[3][3] = {
      {"52.85", "30.00", "90.50"}, {"0.88", "0.50", "1.51"}, {"0:52", "0:30", "1:30"}};
  std::string text = std::string("Start Time\tEnd Time\tTask\tProject\tCLASS\t") +
                     kHeaders[elapsedForm] + "\r\n";
  text += std::string("3:07:09 pm 3/17/1999\t4:00:00 pm 3/17/1999\tWrite report\tAcme\tBillable\t") +
          kValues[elapsedForm][0] + "\r\n";
  text += std::string("12:30:00 pm 3/17/1999\t1:00:00 pm 3/17/1999\tLunch call\t\tInternal\t") +
          kValues[elapsedForm][1] + "\r\n";
  text += std::string("0:05:00 am 3/17/1999\t1:35:30 am 3/17/1999\tNight fix\tOps\tOvertime\t") +
          kValues[elapsedForm][2] + "\r\n";
  return text;
}

std::vector<std::string> ExportLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end + 2 - start));
  return lines;
}
