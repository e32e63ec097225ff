#include <memory>

#include "logging/away_time.h"
#include "logging/away_watch.h"
#include "logging/resume_question.h"
#include "resources/resource.h"
#include "store/current_task.h"
#include "store/file_seconds.h"
#include "store/options_file.h"
#include "tests/export_test_records.h"
#include "tests/main_window_fixture.h"
#include "tests/test_files.h"

namespace {
IdleClockReading idleClock;
bool ReadTestIdleClock(IdleClockReading* reading) {
  *reading = idleClock;
  return true;
}

int64_t NowSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  int64_t seconds = 0;
  ToFileSeconds(now, &seconds);
  return seconds;
}

SYSTEMTIME SecondsAgo(int seconds) {
  ULARGE_INTEGER ticks;
  ticks.QuadPart = static_cast<ULONGLONG>(NowSeconds() - seconds) * 10000000ull;
  FILETIME file = {ticks.LowPart, ticks.HighPart};
  SYSTEMTIME time;
  FileTimeToSystemTime(&file, &time);
  return time;
}

const int kAway = 3600;  // an hour without input
const char kSpanStart[] = "No keyboard or mouse use from ";

// A sheet whose task was left open `startAgo` seconds ago, resumed, and then
// an hour without input on the injected idle clock.
class UiAwayTime : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    if (ReadIdleClock != ReadTestIdleClock) systemClock_ = ReadIdleClock;
    ReadIdleClock = ReadTestIdleClock;
  }
  void TearDown() override {
    ReadIdleClock = systemClock_;
    MainWindowTest::TearDown();
  }
  void ResumeTaskStarted(int startAgo) {
    sheet_ = folder_.File("away.tim");
    TimeRecord open = ExportOpen("Lunch test", SecondsAgo(startAgo));
    WriteBytes(sheet_, SheetBytes({ExportClosed("Earlier", "P", "C", SecondsAgo(90000), SecondsAgo(86400)), open}));
    char question[1024];
    BuildResumeQuestion(open, question, sizeof question);
    ScriptedUser user;
    user.ChooseFile("Open TimeSheet File", sheet_).AnswerBox("Hourwright", question, IDYES);
    Press(user, IDM_OPEN_TIMESHEET);
    ASSERT_TRUE(LoggingActive);
  }
  // A check sees an hour's quiet, not yet the return.
  void SeeQuiet() {
    idleClock = {1000, 1000 + kAway * 1000};
    awayFrom_ = NowSeconds() - kAway;
    PostMessageA(window_, WM_TIMER, kAwayTimerId, 0);
    PumpFor(50);
  }
  // The second check, on the timer or at a wake of the computer, sees input again.
  void ComeBack(ScriptedUser& user, bool wake) {
    SeeQuiet();
    idleClock = {1000 + kAway * 1000, 1000 + kAway * 1000};
    if (wake)
      PostMessageA(window_, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    else
      PostMessageA(window_, WM_TIMER, kAwayTimerId, 0);
    user.RunUntilDone();
  }
  TempFolder folder_;
  std::string sheet_;
  int64_t awayFrom_ = 0;
  bool (*systemClock_)(IdleClockReading*) = nullptr;
};

TEST_F(UiAwayTime, EachAnswerLeavesTheSheetAsSaid) {
  struct Case {
    const char* name;
    int startAgo, button;
    bool held;
    size_t records;  // afterwards, the earlier closed one included
    bool logging;
    bool ended;  // the task's record closed at the away start
    bool restartedNow;
    bool wake = false;
  } cases[] = {
      {"keep", 7200, IDC_AWAY_KEEP, false, 2, true, 0, false},
      {"escape keeps", 7200, IDCANCEL, false, 2, true, 0, false},
      {"discard: two records", 7200, IDC_AWAY_DISCARD, false, 3, true, 1, true},
      {"discard from the start: one record", 1800, IDC_AWAY_DISCARD, false, 2, true, 0, true},
      {"end at the away start", 7200, IDC_AWAY_END, false, 2, false, 1, false},
      {"end at the away start, back by a wake", 7200, IDC_AWAY_END, false, 2, false, 1, false, true},
      {"end, sheet held", 7200, IDC_AWAY_END, true, 2, true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    ResumeTaskStarted(c.startAgo);
    std::string before = ReadBytes(sheet_);
    int64_t taskStart = CurrentRecord.startSeconds;
    std::string text, endButton;
    auto held = c.held ? std::make_unique<HeldFile>(sheet_) : nullptr;
    ScriptedUser user;
    user.OnDialog("Away Time", [&](HWND dialog) {
      text = ItemText(dialog, IDC_AWAY_TEXT);
      endButton = ItemText(dialog, IDC_AWAY_END);
      EXPECT_EQ(ItemText(dialog, IDC_AWAY_TASK), "Lunch test");
      PressButton(dialog, c.button);
      return true;
    });
    if (c.held)
      user.AnswerBox("Hourwright", "Unable To Write Time Sheet " + sheet_ +
                     "\nThe Task is still logging; End Task again to retry.", IDOK);
    ComeBack(user, c.wake);
    held.reset();

    int64_t from = awayFrom_ > taskStart ? awayFrom_ : taskStart;
    EXPECT_EQ(text.rfind(kSpanStart, 0), 0u) << text;
    std::vector<TimeRecord> records = ReadRecords(sheet_);
    ASSERT_EQ(records.size(), c.records);
    EXPECT_EQ(LoggingActive, c.logging);
    if (!c.ended && !c.restartedNow) {
      EXPECT_EQ(ReadBytes(sheet_), before);
    }
    if (c.ended) {
      EXPECT_NEAR(static_cast<double>(records[1].stopSeconds), static_cast<double>(from), 2);
      char clock[16];
      ClockText(records[1].stopSeconds, clock, sizeof clock);
      EXPECT_EQ(endButton, std::string("&End the task at ") + clock);
    }
    if (c.restartedNow) {
      EXPECT_TRUE(RecordIsOpen(records.back()));
      EXPECT_NEAR(static_cast<double>(records.back().startSeconds), static_cast<double>(NowSeconds()), 2);
    }
  }
}

// The first act after an hour away is a command the check has not caught up
// with: the question comes first, and its answer applies before the command.
TEST_F(UiAwayTime, TheQuestionComesBeforeTheCommandThatEndsTheTask) {
  enum Stop { kNow, kAwayStart };
  struct Case {
    const char* name;
    UINT message;
    int command, button;
    int closing;  // the answer to "End Current Task?"; 0 when not asked
    Stop lunchStop;
    bool restarted;  // an open record starts now: the new task or the split's
  } cases[] = {
      {"end task, keep", WM_COMMAND, IDC_MAIN_END_TASK, IDC_AWAY_KEEP, 0, kNow, false},
      {"end task, end", WM_COMMAND, IDC_MAIN_END_TASK, IDC_AWAY_END, 0, kAwayStart, false},
      {"end task, discard", WM_COMMAND, IDC_MAIN_END_TASK, IDC_AWAY_DISCARD, 0, kAwayStart, false},
      {"start new, keep", WM_COMMAND, IDC_MAIN_START_TASK, IDC_AWAY_KEEP, 0, kNow, true},
      {"start new, end", WM_COMMAND, IDC_MAIN_START_TASK, IDC_AWAY_END, 0, kAwayStart, true},
      {"start new, discard", WM_COMMAND, IDC_MAIN_START_TASK, IDC_AWAY_DISCARD, 0, kAwayStart, true},
      {"open, cancelled, discard", WM_COMMAND, IDM_OPEN_TIMESHEET, IDC_AWAY_DISCARD, 0, kAwayStart, true},
      {"close, end: no question on the task", WM_CLOSE, 0, IDC_AWAY_END, 0, kAwayStart, false},
      {"close, discard, end the task", WM_CLOSE, 0, IDC_AWAY_DISCARD, IDNO, kAwayStart, false},
      {"close, discard, keep the task", WM_CLOSE, 0, IDC_AWAY_DISCARD, IDYES, kAwayStart, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    ResumeTaskStarted(7200);
    SeeQuiet();
    TypeTask("Next", "P", "C");
    ScriptedUser user;
    user.OnDialog("Away Time", [&](HWND dialog) {
      PressButton(dialog, c.button);
      return true;
    });
    if (c.command == IDM_OPEN_TIMESHEET) user.CancelDialog("Open TimeSheet File");
    if (c.closing)
      user.OnDialog("End Current Task?", [&](HWND box) {
        PressButton(box, c.closing);
        return true;
      });
    PostMessageA(window_, c.message, c.command, 0);
    user.RunUntilDone();
    PumpFor(50);

    std::vector<TimeRecord> records = ReadRecords(sheet_);
    ASSERT_EQ(records.size(), c.restarted ? 3u : 2u);
    EXPECT_STREQ(records[1].task, "Lunch test");
    EXPECT_NEAR(static_cast<double>(records[1].stopSeconds),
                static_cast<double>(c.lunchStop == kNow ? NowSeconds() : awayFrom_), 2);
    if (c.restarted) {
      EXPECT_TRUE(RecordIsOpen(records[2]));
      EXPECT_NEAR(static_cast<double>(records[2].startSeconds), static_cast<double>(NowSeconds()), 2);
    }
    EXPECT_EQ(IsWindow(window_) != FALSE, c.message != WM_CLOSE);
  }
}

TEST(StorageOptionsFile, MissingDamagedOrOutOfRangeMeansTheDefault) {
  struct Case { const char* bytes; int32_t minutes; } cases[] = {
      {nullptr, 15},
      {"[away]\r\nminutes=30\r\n", 30},
      {"[Away]\n  Minutes = 0 \n", 0},
      {"[away]\r\nminutes=1440\r\n", 1440},
      {"[away]\r\nminutes=1441\r\n", 15},
      {"[away]\r\nminutes=-1\r\n", 15},
      {"[away]\r\nminutes=3O\r\n", 15},
      {"[other]\r\nminutes=30\r\n", 15},
      {"\xff\xfe\x01minutes", 15},
  };
  for (const Case& c : cases) {
    AppDataFolder appData;
    if (c.bytes) {
      CreateDirectoryA((appData.Ini().substr(0, appData.Ini().rfind('\\'))).c_str(), NULL);
      WriteBytes(appData.Ini(), c.bytes);
    }
    EXPECT_EQ(LoadAwayMinutes(), c.minutes) << (c.bytes ? c.bytes : "(missing)");
  }
}

using UiOptions = MainWindowTest;

// File > Options: the value typed is written and used; a file that cannot be
// written is told and the old value stays, in memory and on disk; a value
// that is not a number is refused, not read as 0 (never ask).
TEST_F(UiOptions, TheMinutesAreWrittenOrTheOldOnesKept) {
  const std::string kRange = "Minutes must be from 0 to 1440 (0: never ask).";
  AppDataFolder appData;
  struct Case { bool held; const char* typed; std::string box; } cases[] = {
      {false, "30", ""},
      {true, "45", "Unable To Write Options " + appData.Ini() +
                       "\nAway time is still asked about after 30 minutes."},
      {false, "abc", kRange},
      {false, "3O", kRange},
      {false, "", kRange},
  };
  AwayMinutes = 15;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    auto held = c.held ? std::make_unique<HeldFile>(appData.Ini()) : nullptr;
    std::string shown;
    ScriptedUser user;
    user.OnDialog("Options", [&](HWND dialog) {
      shown = ItemText(dialog, IDC_OPTIONS_AWAY_MINUTES);
      SetDlgItemTextA(dialog, IDC_OPTIONS_AWAY_MINUTES, c.typed);
      PressButton(dialog, IDOK);
      return true;
    });
    if (!c.box.empty()) {
      user.AnswerBox("Hourwright", c.box, IDOK, BoxIcon::kError);
      user.OnDialogAgain("Options", [](HWND dialog) {
        PressButton(dialog, IDCANCEL);
        return true;
      });
    }
    Press(user, IDM_OPTIONS);
    held.reset();
    EXPECT_EQ(shown, &c == cases ? "15" : "30");
    EXPECT_EQ(AwayMinutes, 30);
    EXPECT_EQ(ReadBytes(appData.Ini()), "[away]\r\nminutes=30\r\n");
  }
}
}  // namespace
