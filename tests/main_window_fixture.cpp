#include "tests/main_window_fixture.h"

#include <string.h>

#include "app/main_window.h"
#include "common/shell.h"
#include "store/current_task.h"
#include "resources/resource.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/test_files.h"

void MainWindowTest::SetUp() {
  ProgramInstance = GetModuleHandleA(NULL);
  TimeSheetPath[0] = DescriptionsPath[0] = ExportPath[0] = '\0';
  memset(&CurrentRecord, 0, sizeof CurrentRecord);
  LoggingActive = true;  // creation must clear it
  ReleaseTimeSheet();
  MainWindow = NULL;
  window_ = CreateDialogParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainWindowProc, 0);
  ASSERT_NE(window_, (HWND)NULL);
  MainWindow = window_;
  ShowWindow(window_, SW_SHOWNORMAL);
  PumpFor(20);
}

void MainWindowTest::TearDown() {
  if (IsWindow(window_)) DestroyWindow(window_);
  MSG message;
  while (PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  MainWindow = NULL;
  LoggingActive = false;
  ReleaseTimeSheet();
}

void MainWindowTest::Type(int id, const std::string& text) { SetDlgItemTextA(window_, id, text.c_str()); }

void MainWindowTest::TypeTask(const std::string& task, const std::string& project,
                              const std::string& classification) {
  Type(IDC_MAIN_TASK, task);
  Type(IDC_MAIN_PROJECT, project);
  Type(IDC_MAIN_CLASSIFICATION, classification);
}

bool MainWindowTest::EndTaskEnabled() const {
  return IsWindowEnabled(GetDlgItem(window_, IDC_MAIN_END_TASK)) != FALSE;
}

void MainWindowTest::OpenTimeSheet(ScriptedUser& user, const std::string& path) {
  user.ChooseFile("Open TimeSheet File", path);
  Press(user, IDM_OPEN_TIMESHEET);
}

void MainWindowTest::Press(ScriptedUser& user, int id) {
  PostCommand(window_, id);
  user.RunUntilDone();
}

std::vector<TimeRecord> ReadRecords(const std::string& path) {
  std::string bytes = ReadBytes(path);
  std::vector<TimeRecord> records(bytes.size() / sizeof(TimeRecord));
  if (!records.empty()) memcpy(records.data(), bytes.data(), records.size() * sizeof(TimeRecord));
  return records;
}
