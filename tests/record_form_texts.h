// Typed texts for the time record form and the purge box, shared by the
// table tests and the window tests.
#pragma once
#include <string>
#include <vector>

#include "editors/record_form.h"

// The form's thirteen fields as strings, in RecordFormTexts order.
struct FormEntry {
  std::string field[13];
  RecordFormTexts Texts() const {
    return RecordFormTexts{field[0].c_str(), field[1].c_str(),  field[2].c_str(),
                           field[3].c_str(), field[4].c_str(),  field[5].c_str(),
                           field[6].c_str(), field[7].c_str(),  field[8].c_str(),
                           field[9].c_str(), field[10].c_str(), field[11].c_str(),
                           field[12].c_str()};
  }
};

enum FormField {
  kTask, kProject, kClass,
  kStartMonth, kStartDay, kStartYear, kStartHour, kStartMinute,
  kStopMonth, kStopDay, kStopYear, kStopHour, kStopMinute,
};

// Write / P / C from 3/17/1999 10:00 to 11:30.
inline FormEntry GoodEntry() {
  return FormEntry{{"Write", "P", "C", "3", "17", "1999", "10", "0", "3", "17", "1999", "11", "30"}};
}

inline FormEntry With(FormEntry entry, int field, const std::string& text) {
  entry.field[field] = text;
  return entry;
}

// Hostile texts typed into a number field, by the value the form reads.
struct FormHostileText {
  std::string text;
  int value;  // after the 63-character cut, ParseInt and the 16-bit unsigned reading
};

inline std::vector<FormHostileText> FormHostileTexts() {
  return {
      {"", 0},
      {"   ", 0},
      {"+", 0},
      {"-", 0},
      {"+-3", 0},
      {"abc", 0},
      {"-1", 65535},
      {"-65535", 1},
      {"4294967297", 1},
      {"99999999999999999999", 65535},
      {std::string(300, '9'), 65535},
      // Only the first 63 characters are read: the 5 is never seen.
      {std::string(297, '0') + "5", 0},
      {"\t 7x", 7},
  };
}

// What each number field of GoodEntry() gives for the read values 0, 1,
// 65535 and 7 (kFormGood: accepted).
struct FieldOutcomes {
  int field;
  RecordFormStep for0, for1, for65535, for7;
};

inline std::vector<FieldOutcomes> NumberFieldOutcomes() {
  const RecordFormStep ok = kFormGood, late = kFormStartNotBeforeStop;
  return {
      {kStartMonth, kFormBadStartMonth, ok, kFormBadStartMonth, late},
      {kStartDay, kFormBadStartDay, ok, kFormBadStartDay, ok},
      {kStartYear, late, late, kFormBadStartYear, late},
      {kStartHour, ok, ok, kFormBadStartHour, ok},
      {kStartMinute, ok, ok, kFormBadStartMinute, ok},
      {kStopMonth, kFormBadStopMonth, late, kFormBadStopMonth, ok},
      {kStopDay, kFormBadStopDay, late, kFormBadStopDay, late},
      {kStopYear, ok, ok, kFormBadStopYear, ok},
      {kStopHour, late, late, kFormBadStopHour, late},
      {kStopMinute, ok, ok, kFormBadStopMinute, ok},
  };
}

inline RecordFormStep OutcomeFor(const FieldOutcomes& outcomes, int value) {
  switch (value) {
    case 0: return outcomes.for0;
    case 1: return outcomes.for1;
    case 65535: return outcomes.for65535;
    default: return outcomes.for7;
  }
}
