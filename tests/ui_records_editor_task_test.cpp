#include <gtest/gtest.h>

#include "logging/resume_question.h"
#include "store/stamp_text.h"
#include "tests/main_window_fixture.h"
#include "tests/records_editor_fixture.h"

namespace {
const std::vector<TimeRecord> kSheet = {Logged("Alpha", 16, 9, 0, 9, 45), Logged("Beta", 17, 10, 5, 11, 0),
                                        Logged("Gamma", 18, 14, 0, 15, 30)};
const char kKeepTask[] =
    "A Task is still logging.\nDo you want to Continue task even withTime Sheet Shut Down?\n YES "
    "will keep task active, NO will end task";

bool Same(const TimeRecord& a, const TimeRecord& b) { return memcmp(&a, &b, sizeof a) == 0; }
}  // namespace

class UiRecordsEditorWithTask : public MainWindowTest {
 protected:
  // The running task's open record is still the file's last record, as written at its start.
  void ExpectTaskLast(size_t records) {
    std::vector<TimeRecord> now = ReadRecords(sheet_);
    ASSERT_EQ(now.size(), records);
    EXPECT_TRUE(Same(now.back(), task_)) << "the running task's record is not last";
  }
  TempFolder folder_;
  std::string sheet_;
  TimeRecord task_;
};

// A task runs while every editor action is used; the program is closed
// keeping the task and started again: the task is offered for resumption
// with its original start.
TEST_F(UiRecordsEditorWithTask, EveryActionKeepsTheRunningTaskForTheNextStart) {
  sheet_ = folder_.File("task.tim");
  WriteBytes(sheet_, SheetBytesOf(kSheet));
  ScriptedUser user(10000);
  OpenTimeSheet(user, sheet_);
  TypeTask("Running", "Hourwright", "Work");
  Press(user, IDC_MAIN_START_TASK);
  ASSERT_TRUE(LoggingActive);
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 4u);
  task_ = records.back();
  ASSERT_EQ(task_.stopSeconds, 0);

  const FormEntry future = With(With(With(GoodEntry(), kStartYear, "2099"), kStopYear, "2099"), kTask, "Future");
  user.OnDialog(kEditorCaption, [](HWND editor) {
    EXPECT_EQ(ListRows(editor), 3) << "the running task has no row";
    SelectRow(editor, 2);
    PressButton(editor, IDC_RECORDS_EDIT);
    return true;
  });
  user.OnDialog(kFormCaption, [](HWND form) {
    SetDlgItemTextA(form, IDC_FORM_TASK, "Edited");
    PressButton(form, IDOK);
    return true;
  });
  user.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    ExpectTaskLast(4);
    EXPECT_STREQ(ReadRecords(sheet_)[2].task, "Edited");
    PressButton(editor, IDC_RECORDS_ADD);
    return true;
  });
  user.OnDialog(kFormCaption, FillForm(future));  // starts after the task: still goes before it
  user.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    ExpectTaskLast(5);
    EXPECT_STREQ(ReadRecords(sheet_)[3].task, "Future");
    EXPECT_EQ(ListRows(editor), 4);
    SelectRow(editor, 0);
    PressButton(editor, IDC_RECORDS_DELETE);
    return true;
  });
  user.AnswerBox("Delete Selected Record",
                 "You are about to delete the selected record.\nPress Yes to delete this record", IDYES);
  user.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    ExpectTaskLast(4);
    TypePurgeDate(editor, "1", "1", "2098");  // after the task's start
    PressButton(editor, IDC_RECORDS_PURGE);
    return true;
  });
  user.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    ExpectTaskLast(2);
    EXPECT_STREQ(ReadRecords(sheet_)[0].task, "Future");
    PressButton(editor, IDOK);
    return true;
  });
  Press(user, IDM_TIME_ENTRIES);
  EXPECT_TRUE(LoggingActive);

  user.AnswerBox("End Current Task?", kKeepTask, IDYES);
  PostMessageA(window_, WM_CLOSE, 0, 0);
  user.RunUntilDone();
  ASSERT_FALSE(IsWindow(window_));
  ExpectTaskLast(2);

  // The next start of the program.
  TearDown();
  SetUp();
  char question[1024];
  BuildResumeQuestion(task_, question, sizeof question);
  user.ChooseFile("Open TimeSheet File", sheet_).AnswerBox("Hourwright", question, IDYES);
  Press(user, IDM_OPEN_TIMESHEET);
  EXPECT_TRUE(LoggingActive);
  EXPECT_EQ(CurrentRecord.startSeconds, task_.startSeconds);
  char stamp[kStampTextSize];
  StampText(task_.startTime, stamp, sizeof stamp);
  EXPECT_EQ(Text(IDC_MAIN_START_TIME), stamp);
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_TASK), "Running");
  ExpectTaskLast(2);
}

TEST_F(UiRecordsEditorWithTask, TimeEntriesWithoutASheetRefusesAsBefore) {
  ScriptedUser user;
  user.AnswerBox("Hourwright", "You Must have a time sheet file open before you can edit lists", IDOK,
                 BoxIcon::kError);
  Press(user, IDM_TIME_ENTRIES);
}

// Without a running task an edit drops a stale trailing open record, as the
// as-edited save always has.
TEST_F(UiRecordsEditor, WithoutATaskAnEditDropsAStaleOpenRecord) {
  std::vector<TimeRecord> records = kSheet;
  records.push_back(MakeRecord("Stale", "P", "C", kSheet[2].stopSeconds, 0));
  WriteSheet(records);
  const TimeRecord edited = BuiltFrom(With(GoodEntry(), kTask, "Again"), kSheet[0]);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    SelectRow(editor, 0);
    PressButton(editor, IDC_RECORDS_EDIT);
    return true;
  });
  user_.OnDialog(kFormCaption, FillForm(With(GoodEntry(), kTask, "Again")));
  ThenDone();
  Run();
  EXPECT_EQ(Sheet(), SheetBytesOf({edited, kSheet[1], kSheet[2]}));
}
