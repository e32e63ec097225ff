// A real main window from the program's own template, for UI tests.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "store/time_record.h"
#include "tests/scripted_user.h"

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Type(int id, const std::string& text);
  void TypeTask(const std::string& task, const std::string& project,
                const std::string& classification);
  std::string Text(int id) const { return ItemText(window_, id); }
  bool EndTaskEnabled() const;
  // "&Open Timesheet", choosing `path` in the Open dialog.
  void OpenTimeSheet(ScriptedUser& user, const std::string& path);
  // Presses a button or menu command and lets the scripted user answer.
  void Press(ScriptedUser& user, int id);

  HWND window_ = NULL;
};

std::vector<TimeRecord> ReadRecords(const std::string& path);
