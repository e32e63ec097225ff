// The records editor opened on a real time sheet in a fresh folder.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/elapsed_time.h"
#include "common/shell.h"
#include "editors/records_editor.h"
#include "store/current_task.h"
#include "store/file_seconds.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/records_editor_driver.h"
#include "tests/test_files.h"

// A closed record of `task` on the given day of March 1999 (or another
// month and year), with marked reserved bytes.
inline TimeRecord Logged(const char* task, WORD day, WORD startHour, WORD startMinute,
                         WORD stopHour, WORD stopMinute, WORD month = 3, WORD year = 1999) {
  TimeRecord r = MakeRecord(task, "Proj", "Cls", 0, 0);
  r.startTime = SYSTEMTIME{year, month, 0, day, startHour, startMinute, 0, 0};
  r.stopTime = SYSTEMTIME{year, month, 0, day, stopHour, stopMinute, 0, 0};
  ToFileSeconds(r.startTime, &r.startSeconds);
  ToFileSeconds(r.stopTime, &r.stopSeconds);
  ComputeElapsed(r.stopSeconds - r.startSeconds, &r.elapsedMinutes, &r.elapsedHours);
  for (size_t i = 0; i < sizeof r.reserved; ++i) r.reserved[i] = static_cast<unsigned char>(0xC0 + i);
  return r;
}

inline std::string SheetBytesOf(const std::vector<TimeRecord>& records) {
  std::string bytes;
  for (const TimeRecord& r : records) bytes += RecordBytes(r);
  return bytes;
}

// What the form makes of `entry` when it was opened on `shown`.
inline TimeRecord BuiltFrom(const FormEntry& entry, TimeRecord shown = TimeRecord()) {
  EXPECT_EQ(ReadTimeRecordForm(entry.Texts(), &shown), kFormGood);
  return shown;
}

class UiRecordsEditor : public testing::Test {
 protected:
  void SetUp() override {
    ProgramInstance = GetModuleHandleA(NULL);
    MainWindow = NULL;
    sheet_ = folder_.File("work.tim");
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", sheet_.c_str());
    LoggingActive = false;
    ReleaseTimeSheet();
  }
  void TearDown() override {
    ReleaseTimeSheet();
    TimeSheetPath[0] = '\0';
    LoggingActive = false;
  }
  void WriteSheet(const std::vector<TimeRecord>& records) { WriteBytes(sheet_, SheetBytesOf(records)); }
  std::string Sheet() const { return ReadBytes(sheet_); }
  // Opens the editor; the scripted steps act on it and end with Done.
  void Run() {
    ShowTimeRecordsEditor(NULL);
    user_.RunUntilDone(60000);
  }
  // The last step: Done.
  void ThenDone() {
    user_.OnDialogAgain(kEditorCaption, [](HWND editor) {
      PressButton(editor, IDOK);
      return true;
    });
  }

  TempFolder folder_;
  std::string sheet_;
  ScriptedUser user_;
};
