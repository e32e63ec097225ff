#include <string.h>

#include <memory>

#include "common/shell.h"
#include "store/current_task.h"
#include "resources/resource.h"
#include "store/file_seconds.h"
#include "store/paths.h"
#include "store/stamp_text.h"
#include "store/time_sheet.h"
#include "tests/export_test_records.h"
#include "tests/main_window_fixture.h"
#include "tests/test_files.h"

using UiTaskLogging = MainWindowTest;

static const char kKeepQuestion[] =
    "A Task is still logging.\nDo you want to Continue task even withTime Sheet Shut Down?\n YES "
    "will keep task active, NO will end task";
static const char kAddToExisting[] = "Hourwright File Not Open.\n Add this entry to an existing TimeSheet?";
static const char kMakeNewFile[] = "Timesheet File not Open, Make new File?";

static std::string Stamp(const SYSTEMTIME& time) {
  char text[kStampTextSize];
  StampText(time, text, sizeof text);
  return text;
}

static std::string UnwrittenMessage(const std::string& sheet) {
  return "Unable To Write Time Sheet " + sheet + "\nThe Task is still logging; End Task again to retry.";
}

class UiTaskLoggingWithFile : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    sheet_ = folder_.File("work.tim");
    WriteBytes(sheet_, "");
    ScriptedUser user;
    OpenTimeSheet(user, sheet_);
  }
  TempFolder folder_;
  std::string sheet_;
};

TEST_F(UiTaskLogging, StartNeedsAllThreeDescriptions) {
  struct Case { const char *task, *project, *classification, *message; } cases[] = {
      {"", "P", "C", "Missing Task Description"},
      {"T", "", "C", "Missing Project Description"},
      {"T", "P", "", "Missing Class Description"},
  };
  for (const Case& c : cases) {
    TypeTask(c.task, c.project, c.classification);
    ScriptedUser user;
    user.AnswerBox("Hourwright", c.message, IDOK, BoxIcon::kError);
    Press(user, IDC_MAIN_START_TASK);
    EXPECT_FALSE(LoggingActive) << c.message;
    EXPECT_FALSE(EndTaskEnabled()) << c.message;
  }
}

TEST_F(UiTaskLoggingWithFile, StartWritesTheOpenRecordEndClosesIt) {
  TypeTask("Design review", "Acme", "Billable");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  ASSERT_TRUE(LoggingActive);
  EXPECT_TRUE(EndTaskEnabled());
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_STREQ(records[0].task, "Design review");
  EXPECT_STREQ(records[0].project, "Acme");
  EXPECT_STREQ(records[0].classification, "Billable");
  EXPECT_EQ(records[0].stopSeconds, 0);
  SYSTEMTIME zero = {};
  EXPECT_EQ(memcmp(&records[0].stopTime, &zero, sizeof zero), 0);
  int64_t seconds = 0;
  ASSERT_TRUE(ToFileSeconds(records[0].startTime, &seconds));
  EXPECT_EQ(records[0].startSeconds, seconds);
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_TASK), "Design review");
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_PROJECT), "Acme");
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_CLASSIFICATION), "Billable");
  EXPECT_EQ(Text(IDC_MAIN_START_TIME), Stamp(records[0].startTime));
  // New descriptions joined the pick lists; the boxes were refilled.
  EXPECT_EQ(SendDlgItemMessageA(window_, IDC_MAIN_TASK, CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(Text(IDC_MAIN_TASK), "");

  Press(user, IDC_MAIN_END_TASK);
  EXPECT_FALSE(LoggingActive);
  EXPECT_FALSE(EndTaskEnabled());
  records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].stopSeconds, 0);
  ASSERT_TRUE(ToFileSeconds(records[0].stopTime, &seconds));
  EXPECT_EQ(records[0].stopSeconds, seconds);
  EXPECT_GE(records[0].stopSeconds, records[0].startSeconds);
  EXPECT_LT(records[0].elapsedMinutes, 1.0f);
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_TASK), "Design review");  // kept after the end
}

TEST_F(UiTaskLoggingWithFile, A63CharacterTaskIsStoredWhole) {
  std::string task(63, 'k');
  TypeTask(task, "P", "C");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(std::string(records[0].task, 64), task + '\0');
}

TEST_F(UiTaskLoggingWithFile, StartWhileLoggingEndsAndWritesTheFirstTask) {
  TypeTask("First", "P", "C");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  TypeTask("Second", "P", "C");
  Press(user, IDC_MAIN_START_TASK);
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_STREQ(records[0].task, "First");
  EXPECT_NE(records[0].stopSeconds, 0);
  EXPECT_STREQ(records[1].task, "Second");
  EXPECT_EQ(records[1].stopSeconds, 0);
  EXPECT_TRUE(LoggingActive);
}

TEST_F(UiTaskLoggingWithFile, StartWhileLoggingWithAnEmptyBoxLeavesNothingLogging) {
  TypeTask("First", "P", "C");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  TypeTask("", "P", "C");
  user.AnswerBox("Hourwright", "Missing Task Description", IDOK);
  Press(user, IDC_MAIN_START_TASK);
  EXPECT_FALSE(LoggingActive);
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].stopSeconds, 0);
}

TEST_F(UiTaskLoggingWithFile, ClosingAndKeepingTheTaskLeavesItOpenInTheFile) {
  TypeTask("Kept", "P", "C");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  std::string before = ReadBytes(sheet_);
  user.AnswerBox("Hourwright", "Close Hourwright?", IDYES)
      .AnswerBox("End Current Task?", kKeepQuestion, IDYES, BoxIcon::kNone);
  Press(user, IDM_EXIT);
  PumpFor(50);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(ReadBytes(sheet_), before);
  EXPECT_EQ(ReadRecords(sheet_).back().stopSeconds, 0);
}

TEST_F(UiTaskLoggingWithFile, ClosingAndEndingTheTaskWritesIt) {
  TypeTask("Ended", "P", "C");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  user.AnswerBox("Hourwright", "Close Hourwright?", IDYES)
      .AnswerBox("End Current Task?", kKeepQuestion, IDNO);
  PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  user.RunUntilDone();
  PumpFor(50);
  EXPECT_FALSE(IsWindow(window_));
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].stopSeconds, 0);
}

class UiTaskResume : public MainWindowTest {
 protected:
  void WriteSheetEndingOpen() {
    sheet_ = folder_.File("resume.tim");
    SYSTEMTIME start;
    GetLocalTime(&start);
    FILETIME file;
    SystemTimeToFileTime(&start, &file);
    ULARGE_INTEGER value = {{file.dwLowDateTime, file.dwHighDateTime}};
    value.QuadPart -= 86400ull * 10000000ull;  // started yesterday
    file.dwLowDateTime = value.LowPart;
    file.dwHighDateTime = value.HighPart;
    FileTimeToSystemTime(&file, &start);
    start.wMilliseconds = 0;
    open_ = ExportOpen("Left open", start);
    WriteBytes(sheet_, RecordBytes(MakeRecord("Done", "P", "C", 100, 200)) + RecordBytes(open_));
  }
  std::string Question() const {
    return "Last Entry in the File was marked as still open.\n Do you want to continue logging time "
           "to the last entry?\nLeft open\nproject\nclass\nTask Started: " +
           Stamp(open_.startTime);
  }
  TempFolder folder_;
  std::string sheet_;
  TimeRecord open_;
};

TEST_F(UiTaskResume, YesContinuesFromTheOriginalStart) {
  WriteSheetEndingOpen();
  std::string before = ReadBytes(sheet_);
  ScriptedUser user;
  user.ChooseFile("Open TimeSheet File", sheet_).AnswerBox("Hourwright", Question(), IDYES, BoxIcon::kNone);
  Press(user, IDM_OPEN_TIMESHEET);
  EXPECT_TRUE(LoggingActive);
  EXPECT_TRUE(EndTaskEnabled());
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_TASK), "Left open");
  EXPECT_EQ(Text(IDC_MAIN_START_TIME), Stamp(open_.startTime));
  EXPECT_EQ(ReadBytes(sheet_), before);  // rewritten with the same bytes

  Press(user, IDC_MAIN_END_TASK);
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_STREQ(records[1].task, "Left open");
  EXPECT_EQ(records[1].startSeconds, open_.startSeconds);
  EXPECT_NEAR(records[1].elapsedMinutes, 1440.0f, 2.0f);  // the whole span since yesterday
}

TEST_F(UiTaskResume, NoStopsLoggingAndLeavesTheFile) {
  WriteSheetEndingOpen();
  std::string before = ReadBytes(sheet_);
  ScriptedUser user;
  user.ChooseFile("Open TimeSheet File", sheet_).AnswerBox("Hourwright", Question(), IDNO);
  Press(user, IDM_OPEN_TIMESHEET);
  EXPECT_FALSE(LoggingActive);
  EXPECT_FALSE(EndTaskEnabled());
  EXPECT_EQ(TimeSheet.count, -1);
  EXPECT_EQ(ReadBytes(sheet_), before);
}

// The 256 zero bytes a torn append leaves are damage, not a task running
// since 1601: nothing is offered, and the file keeps them when a task starts.
TEST_F(UiTaskResume, AZeroFilledLastRecordIsNoTask) {
  sheet_ = folder_.File("torn.tim");
  std::string bytes = RecordBytes(MakeRecord("Done", "P", "C", 100, 200)) + std::string(kRecordSize, '\0');
  WriteBytes(sheet_, bytes);
  ScriptedUser user;
  OpenTimeSheet(user, sheet_);
  PumpFor(50);
  EXPECT_FALSE(LoggingActive);
  EXPECT_FALSE(EndTaskEnabled());
  EXPECT_EQ(ReadBytes(sheet_), bytes);
  TypeTask("Next", "P", "C");
  Press(user, IDC_MAIN_START_TASK);
  std::string after = ReadBytes(sheet_);
  ASSERT_EQ(after.size(), bytes.size() + kRecordSize);
  EXPECT_EQ(after.compare(0, bytes.size(), bytes), 0);
}

TEST_F(UiTaskLogging, StartWithoutAFileAndSaveAsCancelledLogsInMemory) {
  Type(IDC_MAIN_START_TIME, "before");
  TypeTask("Unsaved", "P", "C");
  ScriptedUser user;
  user.CancelDialog("Save TimeSheet As");
  Press(user, IDC_MAIN_START_TASK);
  EXPECT_TRUE(LoggingActive);
  EXPECT_TRUE(EndTaskEnabled());
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_TASK), "Unsaved");
  EXPECT_EQ(Text(IDC_MAIN_START_TIME), "before");
}

TEST_F(UiTaskLogging, EndWithoutAFileAsksWhereTheEntryGoes) {
  TempFolder folder;
  std::string existing = folder.File("existing.tim");
  WriteBytes(existing, RecordBytes(MakeRecord("Old", "P", "C", 100, 200)));
  std::string fresh = folder.File("fresh.tim");
  struct Case {
    const char* name;
    std::function<void(ScriptedUser&)> answers;
    std::string file;  // where the record lands; "" for nowhere
  } cases[] = {
      {"yes, open an existing sheet",
       [&](ScriptedUser& u) {
         u.AnswerBox("Hourwright", kAddToExisting, IDYES).ChooseFile("Open TimeSheet File", existing);
       },
       existing},
      {"yes, then cancel",
       [&](ScriptedUser& u) {
         u.AnswerBox("Hourwright", kAddToExisting, IDYES).CancelDialog("Open TimeSheet File");
       },
       ""},
      {"no, no",
       [&](ScriptedUser& u) {
         u.AnswerBox("Hourwright", kAddToExisting, IDNO).AnswerBox("Hourwright", kMakeNewFile, IDNO);
       },
       ""},
      {"no, yes, a new file",
       [&](ScriptedUser& u) {
         u.AnswerBox("Hourwright", kAddToExisting, IDNO)
             .AnswerBox("Hourwright", kMakeNewFile, IDYES)
             .ChooseFile("Save TimeSheet As", fresh);
       },
       fresh},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TimeSheetPath[0] = '\0';
    TypeTask("Floating", "P", "C");
    ScriptedUser user;
    user.CancelDialog("Save TimeSheet As");
    Press(user, IDC_MAIN_START_TASK);
    c.answers(user);
    Press(user, IDC_MAIN_END_TASK);
    EXPECT_FALSE(LoggingActive);
    if (c.file.empty()) {
      EXPECT_TRUE(EndTaskEnabled());  // ended but unwritten: End may be pressed again
      EXPECT_EQ(TimeSheetPath[0], '\0');
    } else {
      EXPECT_FALSE(EndTaskEnabled());
      std::vector<TimeRecord> records = ReadRecords(c.file);
      ASSERT_FALSE(records.empty());
      EXPECT_STREQ(records.back().task, "Floating");
      EXPECT_NE(records.back().stopSeconds, 0);
    }
  }
  EXPECT_EQ(ReadRecords(existing).size(), 2u);
  EXPECT_EQ(ReadRecords(fresh).size(), 1u);
}

TEST_F(UiTaskLoggingWithFile, AnEndThatCannotBeWrittenKeepsTheTaskLogging) {
  TypeTask("Precious", "P", "C");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  std::string before = ReadBytes(sheet_);
  {
    HeldFile held(sheet_);
    ASSERT_TRUE(held.Held());
    user.AnswerBox("Hourwright", UnwrittenMessage(sheet_), IDOK, BoxIcon::kError);
    Press(user, IDC_MAIN_END_TASK);
    EXPECT_TRUE(LoggingActive);
    EXPECT_TRUE(EndTaskEnabled());

    // Start New Task must not overwrite the unwritten task either.
    TypeTask("Other", "P", "C");
    user.AnswerBox("Hourwright", UnwrittenMessage(sheet_), IDOK, BoxIcon::kError);
    Press(user, IDC_MAIN_START_TASK);
    EXPECT_STREQ(CurrentRecord.task, "Precious");
    EXPECT_TRUE(LoggingActive);
  }
  EXPECT_EQ(ReadBytes(sheet_), before);
  EXPECT_EQ(ReadRecords(sheet_).back().stopSeconds, 0);

  // The cause removed, End writes the closed record.
  Press(user, IDC_MAIN_END_TASK);
  EXPECT_FALSE(LoggingActive);
  EXPECT_FALSE(EndTaskEnabled());
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_STREQ(records[0].task, "Precious");
  EXPECT_NE(records[0].stopSeconds, 0);
}

TEST_F(UiTaskLoggingWithFile, ClosingAsksAboutAnEndThatCouldNotBeWritten) {
  TypeTask("Still here", "P", "C");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  {
    HeldFile held(sheet_);
    user.AnswerBox("Hourwright", UnwrittenMessage(sheet_), IDOK);
    Press(user, IDC_MAIN_END_TASK);
  }
  user.AnswerBox("Hourwright", "Close Hourwright?", IDYES)
      .AnswerBox("End Current Task?", kKeepQuestion, IDNO);
  Press(user, IDM_EXIT);
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].stopSeconds, 0);
}

TEST_F(UiTaskLoggingWithFile, ANewTaskLeavesNothingOfTheOldTextsInItsRecord) {
  TypeTask("a long task name", "a long project", "a long classification");
  ScriptedUser user;
  Press(user, IDC_MAIN_START_TASK);
  Press(user, IDC_MAIN_END_TASK);
  TypeTask("b", "p", "c");
  Press(user, IDC_MAIN_START_TASK);
  std::vector<TimeRecord> records = ReadRecords(sheet_);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(std::string(records[1].task, 64), "b" + std::string(63, '\0'));
  EXPECT_EQ(std::string(records[1].project, 64), "p" + std::string(63, '\0'));
  EXPECT_EQ(std::string(records[1].classification, 64), "c" + std::string(63, '\0'));
}

static int64_t NowSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  int64_t seconds = 0;
  ToFileSeconds(now, &seconds);
  return seconds;
}

// A second time sheet beside the first, holding one closed record.
class UiOpenWhileLogging : public UiTaskLoggingWithFile {
 protected:
  void SetUp() override {
    UiTaskLoggingWithFile::SetUp();
    other_ = folder_.File("other.tim");
    otherBytes_ = RecordBytes(MakeRecord("Earlier", "P", "C", 100, 200));
    WriteBytes(other_, otherBytes_);
    TypeTask("Running", "P", "C");
    ScriptedUser user;
    Press(user, IDC_MAIN_START_TASK);
    ASSERT_TRUE(LoggingActive);
    sheetBytes_ = ReadBytes(sheet_);
  }
  std::string other_, otherBytes_, sheetBytes_;
};

TEST_F(UiOpenWhileLogging, TheTaskEndsInItsOwnSheetBeforeTheOtherOpens) {
  int64_t before = NowSeconds();
  ScriptedUser user;
  OpenTimeSheet(user, other_);
  int64_t after = NowSeconds();
  EXPECT_FALSE(LoggingActive);
  EXPECT_FALSE(EndTaskEnabled());
  EXPECT_STREQ(TimeSheetPath, other_.c_str());
  EXPECT_EQ(Text(IDC_MAIN_STATUS), "Time Sheet: " + other_);

  std::vector<TimeRecord> own = ReadRecords(sheet_);
  ASSERT_EQ(own.size(), 1u);
  EXPECT_STREQ(own[0].task, "Running");
  int64_t stop = 0;
  ASSERT_TRUE(ToFileSeconds(own[0].stopTime, &stop));
  EXPECT_EQ(own[0].stopSeconds, stop);
  EXPECT_GE(stop, before);
  EXPECT_LE(stop, after);
  EXPECT_EQ(ReadBytes(other_), otherBytes_);  // untouched until its own start

  TypeTask("Next", "P", "C");
  Press(user, IDC_MAIN_START_TASK);
  std::vector<TimeRecord> others = ReadRecords(other_);
  ASSERT_EQ(others.size(), 2u);
  EXPECT_STREQ(others[1].task, "Next");
  EXPECT_EQ(ReadRecords(sheet_).size(), 1u);
}

TEST_F(UiOpenWhileLogging, AnOwnSheetThatCannotBeWrittenKeepsTheTaskAndTheSheet) {
  ScriptedUser user;
  {
    HeldFile held(sheet_);
    ASSERT_TRUE(held.Held());
    user.ChooseFile("Open TimeSheet File", other_)
        .AnswerBox("Hourwright", UnwrittenMessage(sheet_), IDOK, BoxIcon::kError);
    Press(user, IDM_OPEN_TIMESHEET);
  }
  EXPECT_TRUE(LoggingActive);
  EXPECT_TRUE(EndTaskEnabled());
  EXPECT_STREQ(CurrentRecord.task, "Running");
  EXPECT_STREQ(TimeSheetPath, sheet_.c_str());
  EXPECT_EQ(Text(IDC_MAIN_STATUS), "Time Sheet: " + sheet_);
  EXPECT_EQ(ReadBytes(sheet_), sheetBytes_);
  EXPECT_EQ(ReadBytes(other_), otherBytes_);

  Press(user, IDC_MAIN_END_TASK);  // the end still goes to its own sheet
  std::vector<TimeRecord> own = ReadRecords(sheet_);
  ASSERT_EQ(own.size(), 1u);
  EXPECT_NE(own[0].stopSeconds, 0);
  EXPECT_EQ(ReadBytes(other_), otherBytes_);
}

TEST_F(UiOpenWhileLogging, CancelledChoiceChangesNothing) {
  ScriptedUser user;
  user.CancelDialog("Open TimeSheet File");
  Press(user, IDM_OPEN_TIMESHEET);
  EXPECT_TRUE(LoggingActive);
  EXPECT_TRUE(EndTaskEnabled());
  EXPECT_STREQ(TimeSheetPath, sheet_.c_str());
  EXPECT_EQ(ReadBytes(sheet_), sheetBytes_);
  EXPECT_EQ(ReadBytes(other_), otherBytes_);
}

TEST_F(UiTaskLogging, ATaskWithoutASheetEndsInTheOneOpened) {
  TempFolder folder;
  std::string chosen = folder.File("chosen.tim");
  std::string earlier = RecordBytes(MakeRecord("Earlier", "P", "C", 100, 200));
  WriteBytes(chosen, earlier);
  TypeTask("Floating", "P", "C");
  ScriptedUser user;
  user.CancelDialog("Save TimeSheet As");
  Press(user, IDC_MAIN_START_TASK);
  ASSERT_TRUE(LoggingActive);
  OpenTimeSheet(user, chosen);  // no question: the chosen sheet takes the end
  EXPECT_FALSE(LoggingActive);
  std::vector<TimeRecord> records = ReadRecords(chosen);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_STREQ(records[1].task, "Floating");
  EXPECT_NE(records[1].stopSeconds, 0);
  EXPECT_STREQ(TimeSheetPath, chosen.c_str());
}

// A start that cannot be written is told; closing then writes it, or stays
// open, still logging, when neither keeping nor ending the task can be written.
struct UnwrittenClose {
  const char* name;
  bool heldAtStart, heldAtClose, keep, closes;
};
class UiClosingWithAnUnwrittenTask : public UiTaskLoggingWithFile,
                                     public testing::WithParamInterface<UnwrittenClose> {};

TEST_P(UiClosingWithAnUnwrittenTask, KeepsTheTaskInTheFileOrStaysOpen) {
  const UnwrittenClose& c = GetParam();
  const std::string unwritten = "Unable To Write Time Sheet " + sheet_ + "\n";
  std::unique_ptr<HeldFile> held(c.heldAtStart ? new HeldFile(sheet_) : nullptr);
  TypeTask("Precious", "P", "C");
  ScriptedUser user;
  if (c.heldAtStart) user.AnswerBox("Hourwright", unwritten + "The task is logging; it will be written when it ends.", IDOK);
  Press(user, IDC_MAIN_START_TASK);
  held.reset();
  std::string before = ReadBytes(sheet_);
  if (c.heldAtClose) held.reset(new HeldFile(sheet_));
  user.AnswerBox("Hourwright", "Close Hourwright?", IDYES)
      .AnswerBox("End Current Task?", kKeepQuestion, c.keep ? IDYES : IDNO, BoxIcon::kNone);
  if (!c.closes)
    user.AnswerBox("Hourwright", c.keep ? unwritten + "The running task could not be kept; Hourwright stays open."
                                        : UnwrittenMessage(sheet_), IDOK, BoxIcon::kError);
  Press(user, IDM_EXIT);
  PumpFor(50);
  held.reset();
  EXPECT_EQ(IsWindow(window_) != FALSE, !c.closes);
  EXPECT_TRUE(LoggingActive);  // kept for the next start, or still running
  if (!c.closes) EXPECT_EQ(ReadBytes(sheet_), before);
  else EXPECT_TRUE(ReadRecords(sheet_).size() == 1 && ReadRecords(sheet_)[0].stopSeconds == 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, UiClosingWithAnUnwrittenTask,
                         testing::Values(UnwrittenClose{"StartUnwrittenThenKept", true, false, true, true},
                                         UnwrittenClose{"StartUnwrittenKeptStillHeld", true, true, true, false},
                                         UnwrittenClose{"StartWrittenKeptWhileHeld", false, true, true, true},
                                         UnwrittenClose{"EndedWhileHeld", true, true, false, false}),
                         [](const testing::TestParamInfo<UnwrittenClose>& info) { return info.param.name; });
