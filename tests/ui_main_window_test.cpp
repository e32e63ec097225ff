#include <string.h>

#include "common/shell.h"
#include "store/current_task.h"
#include "resources/resource.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/main_window_fixture.h"
#include "tests/test_files.h"

using UiMainWindow = MainWindowTest;

static const char kCloseQuestion[] = "Close Hourwright?";
static const char kEditRefusal[] = "You Must have a time sheet file open before you can edit lists";

TEST_F(UiMainWindow, StartsEmptyIdleAndFocusedOnTheTaskBox) {
  EXPECT_FALSE(LoggingActive);
  EXPECT_FALSE(EndTaskEnabled());
  for (int id : {IDC_MAIN_TASK, IDC_MAIN_PROJECT, IDC_MAIN_CLASSIFICATION, IDC_MAIN_STATUS,
                 IDC_MAIN_CURRENT_TASK, IDC_MAIN_CURRENT_PROJECT, IDC_MAIN_CURRENT_CLASSIFICATION,
                 IDC_MAIN_START_TIME})
    EXPECT_EQ(Text(id), "") << id;
  for (int id : {IDC_MAIN_TASK, IDC_MAIN_PROJECT, IDC_MAIN_CLASSIFICATION})
    EXPECT_EQ(SendDlgItemMessageA(window_, id, CB_GETCOUNT, 0, 0), 0) << id;
  EXPECT_EQ(WindowText(window_), "Hourwright");
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == GetDlgItem(window_, IDC_MAIN_TASK) || IsChild(GetDlgItem(window_, IDC_MAIN_TASK), focus));
}

TEST_F(UiMainWindow, TemplateHasTheControlsMenuAndFrame) {
  struct Control { int id; const char* className; const char* text; } controls[] = {
      {IDC_MAIN_TASK, "ComboBox", ""},      {IDC_MAIN_PROJECT, "ComboBox", ""},
      {IDC_MAIN_CLASSIFICATION, "ComboBox", ""}, {IDC_MAIN_START_TASK, "Button", "&Start New Task"},
      {IDC_MAIN_END_TASK, "Button", "&End Task"}, {IDC_MAIN_STATUS, "Static", ""},
  };
  for (const Control& c : controls) {
    HWND control = GetDlgItem(window_, c.id);
    ASSERT_NE(control, (HWND)NULL) << c.id;
    char name[32];
    GetClassNameA(control, name, sizeof name);
    EXPECT_STREQ(name, c.className) << c.id;
    EXPECT_EQ(WindowText(control), c.text) << c.id;
  }
  for (int id : {IDC_MAIN_TASK, IDC_MAIN_PROJECT, IDC_MAIN_CLASSIFICATION}) {
    LONG style = GetWindowLongA(GetDlgItem(window_, id), GWL_STYLE);
    EXPECT_EQ(style & 3, CBS_SIMPLE) << id;
    EXPECT_TRUE(style & CBS_SORT) << id;
    EXPECT_TRUE(style & CBS_AUTOHSCROLL) << id;
  }
  LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  HMENU menu = GetMenu(window_);
  ASSERT_NE(menu, (HMENU)NULL);
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  char label[64];
  struct Item { int id; const char* text; } items[] = {
      {IDM_OPEN_TIMESHEET, "&Open Timesheet"}, {IDM_NEW_TIMESHEET, "&New Time Sheet"},
      {IDM_EXPORT, "&Export"}, {IDM_EXIT, "E&xit"}, {IDM_TASK_LISTS, "Task &Lists"},
      {IDM_TIME_ENTRIES, "Time &Entries"}, {IDM_HELP_INDEX, "&Index"}, {IDM_ABOUT, "&About"},
  };
  for (const Item& item : items) {
    ASSERT_GT(GetMenuStringA(menu, item.id, label, sizeof label, MF_BYCOMMAND), 0) << item.id;
    EXPECT_STREQ(label, item.text);
  }
}

TEST_F(UiMainWindow, BoxesRefuseThe64thCharacter) {
  for (int id : {IDC_MAIN_TASK, IDC_MAIN_PROJECT, IDC_MAIN_CLASSIFICATION}) {
    HWND edit = FindWindowExA(GetDlgItem(window_, id), NULL, "Edit", NULL);
    ASSERT_NE(edit, (HWND)NULL);
    for (int i = 0; i < 64; ++i) PostMessageA(edit, WM_CHAR, 'a' + i % 26, 0);
    PumpFor(50);
    EXPECT_EQ(Text(id).size(), 63u) << id;
  }
}

TEST_F(UiMainWindow, EscapeEnterAndNewTimeSheetDoNothing) {
  TypeTask("typed", "kept", "here");
  ScriptedUser user;
  Press(user, IDCANCEL);
  Press(user, IDOK);
  Press(user, IDM_NEW_TIMESHEET);
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_EQ(Text(IDC_MAIN_TASK), "typed");
  EXPECT_EQ(Text(IDC_MAIN_STATUS), "");
}

TEST_F(UiMainWindow, EditorsAreRefusedWithoutATimeSheet) {
  ScriptedUser user;
  user.AnswerBox("Hourwright", kEditRefusal, IDOK, BoxIcon::kError)
      .AnswerBox("Hourwright", kEditRefusal, IDOK, BoxIcon::kError);
  PostCommand(window_, IDM_TASK_LISTS);
  PostCommand(window_, IDM_TIME_ENTRIES);
  user.RunUntilDone();
}

TEST_F(UiMainWindow, ExportOpensEvenWithoutATimeSheet) {
  ScriptedUser user;
  user.CancelDialog("Export a Time Sheet");
  Press(user, IDM_EXPORT);
}

TEST_F(UiMainWindow, OpenCancelledWithoutAFileShowsAnEmptyName) {
  Type(IDC_MAIN_TASK, "typed");
  ScriptedUser user;
  user.CancelDialog("Open TimeSheet File");
  Press(user, IDM_OPEN_TIMESHEET);
  EXPECT_EQ(Text(IDC_MAIN_STATUS), "Time Sheet: ");
  EXPECT_EQ(Text(IDC_MAIN_TASK), "");
  EXPECT_EQ(SendDlgItemMessageA(window_, IDC_MAIN_TASK, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(UiMainWindow, OpenCancelledAfterAFileKeepsItAndReloadsItsLists) {
  TempFolder folder;
  std::string sheet = folder.File("week.tim");
  WriteBytes(sheet, "");
  // One task, one project, one classification.
  std::string lists;
  for (const char* text : {"Design", "Acme", "Billable"}) {
    int32_t one = 1;
    lists.append(reinterpret_cast<const char*>(&one), 4);
    std::string field(text);
    field.resize(64, '\0');
    lists += field;
  }
  WriteBytes(folder.File("week.des"), lists);
  ScriptedUser user;
  OpenTimeSheet(user, sheet);
  EXPECT_EQ(Text(IDC_MAIN_STATUS), "Time Sheet: " + sheet);
  EXPECT_EQ(SendDlgItemMessageA(window_, IDC_MAIN_PROJECT, CB_GETCOUNT, 0, 0), 1);

  Type(IDC_MAIN_TASK, "typed");
  user.CancelDialog("Open TimeSheet File");
  Press(user, IDM_OPEN_TIMESHEET);
  EXPECT_EQ(Text(IDC_MAIN_STATUS), "Time Sheet: " + sheet);
  EXPECT_EQ(Text(IDC_MAIN_TASK), "");
  EXPECT_EQ(SendDlgItemMessageA(window_, IDC_MAIN_TASK, CB_GETCOUNT, 0, 0), 1);
}

TEST_F(UiMainWindow, ExitAndCloseButtonAnsweredNoKeepTheWindow) {
  TypeTask("typed", "kept", "here");
  ScriptedUser user;
  user.AnswerBox("Hourwright", kCloseQuestion, IDNO, BoxIcon::kNone);
  Press(user, IDM_EXIT);
  user.AnswerBox("Hourwright", kCloseQuestion, IDNO, BoxIcon::kNone);
  PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE | 3, 0);  // low bits are the system's own
  user.RunUntilDone();
  ASSERT_TRUE(IsWindow(window_));
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_EQ(Text(IDC_MAIN_TASK), "typed");
}

TEST_F(UiMainWindow, ExitAnsweredYesClosesWhenIdle) {
  ScriptedUser user;
  user.AnswerBox("Hourwright", kCloseQuestion, IDYES);
  LastQuitCode = -1;
  Press(user, IDM_EXIT);
  PumpFor(50);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(LastQuitCode, 0);
}

TEST_F(UiMainWindow, MinimiseHidesAndReleasesDoubleClickRestores) {
  TempFolder folder;
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", folder.File("t.tim").c_str());
  WriteBytes(TimeSheetPath, RecordBytes(MakeRecord("a", "b", "c", 10, 20)));
  ASSERT_EQ(LoadTimeSheet(), 1);
  ASSERT_EQ(TimeSheet.count, 1);

  PostMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
  PumpFor(50);
  EXPECT_FALSE(IsWindowVisible(window_));
  EXPECT_FALSE(IsIconic(window_));
  EXPECT_EQ(TimeSheet.count, -1);

  SendMessageA(window_, WM_TRAYICON, 0, WM_LBUTTONDOWN);
  SendMessageA(window_, WM_TRAYICON, 0, WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(window_));
  SendMessageA(window_, WM_TRAYICON, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(IsWindowVisible(window_));
}
