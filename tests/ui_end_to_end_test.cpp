// The real hourwright.exe, driven from outside as a user would drive it.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "resources/resource.h"
#include "tests/main_window_fixture.h"
#include "tests/test_files.h"
#include "tests/window_capture.h"

namespace {

std::string ProgramPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(NULL, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "hourwright.exe";
}

std::string RemoteText(HWND window) {
  char text[2048] = "";
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

struct Search {
  DWORD process;
  std::function<bool(HWND)> match;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process) return TRUE;
  if (!search->match(window)) return TRUE;
  search->found = window;
  return FALSE;
}

class Program {
 public:
  Program() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + ProgramPath() + "\"";
    started_ = CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info_);
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 9);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  bool Started() const { return started_ != FALSE; }
  DWORD Id() const { return info_.dwProcessId; }

  // A visible top-level dialog of the program with this caption.
  HWND WaitForWindow(const std::string& caption, std::function<bool(HWND)> extra = nullptr,
                     int timeoutMs = 15000) {
    DWORD end = GetTickCount() + timeoutMs;
    while (static_cast<int>(end - GetTickCount()) > 0) {
      Search search = {Id(),
                       [&](HWND w) {
                         char name[16] = "";
                         GetClassNameA(w, name, sizeof name);
                         return IsWindowVisible(w) && IsWindowEnabled(w) &&
                                strcmp(name, "#32770") == 0 && RemoteText(w) == caption &&
                                (!extra || extra(w));
                       },
                       NULL};
      EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
      if (search.found != NULL) return search.found;
      Sleep(50);
    }
    ADD_FAILURE() << "window \"" << caption << "\" did not appear";
    return NULL;
  }
  HWND MainWindow() {
    return WaitForWindow("Hourwright", [](HWND w) { return GetDlgItem(w, IDC_MAIN_STATUS) != NULL; });
  }
  void AnswerBox(const std::string& caption, const std::string& textStart, int button) {
    // The main window's labels also carry id 0xFFFF: tell the box by its missing status line.
    HWND box = WaitForWindow(caption, [](HWND w) {
      return GetDlgItem(w, 0xFFFF) != NULL && GetDlgItem(w, IDC_MAIN_STATUS) == NULL;
    });
    if (box == NULL) return;
    EXPECT_EQ(RemoteText(GetDlgItem(box, 0xFFFF)).substr(0, textStart.size()), textStart);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
  void ChooseFile(const std::string& caption, const std::string& path) {
    HWND dialog = WaitForWindow(caption);
    if (dialog == NULL) return;
    HWND box = GetDlgItem(dialog, 1148);
    HWND edit = FindWindowExA(FindWindowExA(box, NULL, "ComboBox", NULL), NULL, "Edit", NULL);
    SendMessageA(edit != NULL ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  DWORD WaitForExit(int timeoutMs = 15000) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0)
      GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  BOOL started_;
  PROCESS_INFORMATION info_ = {};
};

void Command(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void SetText(HWND window, int id, const char* text) {
  SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool WaitFor(std::function<bool()> condition, int timeoutMs = 10000) {
  DWORD end = GetTickCount() + timeoutMs;
  while (!condition()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    Sleep(50);
  }
  return true;
}

std::string ScreenshotPath() { return WindowsPathFromEnvironment("HOURWRIGHT_SCREENSHOT"); }

}  // namespace

TEST(UiEndToEnd, LogCloseWithATaskOpenAndResumeItNextTime) {
  TempFolder folder;
  std::string sheet = folder.File("week.tim");
  WriteBytes(sheet, "");
  {
    Program program;
    ASSERT_TRUE(program.Started());
    HWND main = program.MainWindow();
    ASSERT_NE(main, (HWND)NULL);
    Command(main, IDM_OPEN_TIMESHEET);
    program.ChooseFile("Open TimeSheet File", sheet);
    ASSERT_TRUE(WaitFor([&] { return RemoteText(GetDlgItem(main, IDC_MAIN_STATUS)) == "Time Sheet: " + sheet; }));

    SetText(main, IDC_MAIN_TASK, "Write the manual");
    SetText(main, IDC_MAIN_PROJECT, "Hourwright");
    SetText(main, IDC_MAIN_CLASSIFICATION, "Documentation");
    Command(main, IDC_MAIN_START_TASK);
    ASSERT_TRUE(WaitFor([&] { return ReadRecords(sheet).size() == 1; }));
    ASSERT_TRUE(WaitFor([&] { return !RemoteText(GetDlgItem(main, IDC_MAIN_START_TIME)).empty(); }));
    if (!ScreenshotPath().empty()) {
      Sleep(300);
      SaveWindowPicture(main, ScreenshotPath());
    }
    Command(main, IDC_MAIN_END_TASK);
    ASSERT_TRUE(WaitFor([&] { return ReadRecords(sheet).size() == 1 && ReadRecords(sheet)[0].stopSeconds != 0; }));

    SetText(main, IDC_MAIN_TASK, "Review");
    SetText(main, IDC_MAIN_PROJECT, "Hourwright");
    SetText(main, IDC_MAIN_CLASSIFICATION, "Documentation");
    Command(main, IDC_MAIN_START_TASK);
    ASSERT_TRUE(WaitFor([&] { return ReadRecords(sheet).size() == 2; }));

    Command(main, IDM_EXIT);
    program.AnswerBox("Hourwright", "Close Hourwright?", IDYES);
    program.AnswerBox("End Current Task?", "A Task is still logging.", IDYES);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
  std::vector<TimeRecord> records = ReadRecords(sheet);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_NE(records[0].stopSeconds, 0);
  EXPECT_STREQ(records[1].task, "Review");
  EXPECT_EQ(records[1].stopSeconds, 0);
  int64_t openedAt = records[1].startSeconds;

  {
    Program program;
    HWND main = program.MainWindow();
    ASSERT_NE(main, (HWND)NULL);
    Command(main, IDM_OPEN_TIMESHEET);
    program.ChooseFile("Open TimeSheet File", sheet);
    program.AnswerBox("Hourwright", "Last Entry in the File was marked as still open.", IDYES);
    ASSERT_TRUE(WaitFor([&] { return RemoteText(GetDlgItem(main, IDC_MAIN_CURRENT_TASK)) == "Review"; }));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(main, IDC_MAIN_END_TASK)); }));
    Command(main, IDC_MAIN_END_TASK);
    ASSERT_TRUE(WaitFor([&] { return ReadRecords(sheet).size() == 2 && ReadRecords(sheet)[1].stopSeconds != 0; }));
    Command(main, IDM_EXIT);
    program.AnswerBox("Hourwright", "Close Hourwright?", IDYES);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
  records = ReadRecords(sheet);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_STREQ(records[1].task, "Review");
  EXPECT_EQ(records[1].startSeconds, openedAt);
  EXPECT_NE(records[1].stopSeconds, 0);
  // Both tasks' descriptions joined the pick lists: 2 tasks, 1 project, 1 class.
  EXPECT_EQ(ReadBytes(folder.File("week.des")).size(), 12u + 4 * 64);
}

TEST(UiEndToEnd, ASecondStartBringsTheFirstWindowBack) {
  Program first;
  HWND main = first.MainWindow();
  ASSERT_NE(main, (HWND)NULL);
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
  {
    Program second;
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0u);
  }
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
  Command(main, IDM_EXIT);
  first.AnswerBox("Hourwright", "Close Hourwright?", IDYES);
  EXPECT_EQ(first.WaitForExit(), 0u);
}
