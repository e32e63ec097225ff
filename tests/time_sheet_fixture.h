// A time sheet named in a fresh folder for each test, and records to fill it.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "store/current_task.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/test_files.h"

// A closed record whose reserved bytes carry a mark, so a rewrite that does
// not keep them shows.
inline TimeRecord Closed(int64_t start, const char* task = "task") {
  TimeRecord record = MakeRecord(task, "project", "class", start, start + 60);
  for (size_t i = 0; i < sizeof record.reserved; ++i)
    record.reserved[i] = static_cast<unsigned char>(0xA0 + i + start);
  record.elapsedMinutes = 1.0f;
  return record;
}

inline TimeRecord Open(int64_t start, const char* task = "open") {
  return MakeRecord(task, "project", "class", start, 0);
}

inline std::string Bytes(std::initializer_list<TimeRecord> records) {
  std::string bytes;
  for (const TimeRecord& record : records) bytes += RecordBytes(record);
  return bytes;
}

// The names in a folder in sorted order, each followed by ';'.
inline std::string SortedListing(const std::string& folder) {
  std::string names = FolderListing(folder);
  std::vector<std::string> list;
  for (size_t start = 0, end; (end = names.find(';', start)) != std::string::npos; start = end + 1)
    list.push_back(names.substr(start, end - start));
  std::sort(list.begin(), list.end());
  std::string sorted;
  for (const std::string& name : list) sorted += name + ";";
  return sorted;
}

class StorageTimeSheet : public testing::Test {
 protected:
  void SetUp() override {
    snprintf(savedPath_, sizeof savedPath_, "%s", TimeSheetPath);
    savedRecord_ = CurrentRecord;
    NameSheet(folder_.File("sheet.tim"));
    ReleaseTimeSheet();
  }
  void TearDown() override {
    ReleaseTimeSheet();
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", savedPath_);
    CurrentRecord = savedRecord_;
  }
  static void NameSheet(const std::string& path) {
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", path.c_str());
  }
  std::string Sheet() const { return folder_.File("sheet.tim"); }
  // Writes the sheet and loads it, as the records editor does before a rewrite.
  void Load(const std::string& bytes) {
    WriteBytes(Sheet(), bytes);
    ASSERT_EQ(LoadTimeSheet(), 1);
  }
  // Only the sheet itself: no temporary file was left behind.
  std::string Listing() const { return SortedListing(folder_.Path()); }

  TempFolder folder_;

 private:
  char savedPath_[kPathSize];
  TimeRecord savedRecord_;
};
