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
  // The first check sees an hour's quiet; the second, on the timer or at a
  // wake of the computer, sees input again.
  void ComeBack(ScriptedUser& user, bool wake) {
    idleClock = {1000, 1000 + kAway * 1000};
    awayFrom_ = NowSeconds() - kAway;
    PostMessageA(window_, WM_TIMER, kAwayTimerId, 0);
    PumpFor(50);
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
// written is told and the old value stays, in memory and on disk.
TEST_F(UiOptions, TheMinutesAreWrittenOrTheOldOnesKept) {
  struct Case { bool held; const char* typed; int32_t after; } cases[] = {
      {false, "30", 30},
      {true, "45", 30},
  };
  AppDataFolder appData;
  AwayMinutes = 15;
  for (const Case& c : cases) {
    std::string before = ReadBytes(appData.Ini());
    auto held = c.held ? std::make_unique<HeldFile>(appData.Ini()) : nullptr;
    std::string shown;
    ScriptedUser user;
    user.OnDialog("Options", [&](HWND dialog) {
      shown = ItemText(dialog, IDC_OPTIONS_AWAY_MINUTES);
      SetDlgItemTextA(dialog, IDC_OPTIONS_AWAY_MINUTES, c.typed);
      PressButton(dialog, IDOK);
      return true;
    });
    if (c.held) {
      user.AnswerBox("Hourwright", "Unable To Write Options " + appData.Ini() +
                     "\nAway time is still asked about after 30 minutes.", IDOK, BoxIcon::kError);
      user.OnDialogAgain("Options", [](HWND dialog) {
        PressButton(dialog, IDCANCEL);
        return true;
      });
    }
    Press(user, IDM_OPTIONS);
    held.reset();
    EXPECT_EQ(shown, c.held ? "30" : "15");
    EXPECT_EQ(AwayMinutes, c.after);
    EXPECT_EQ(ReadBytes(appData.Ini()), c.held ? before : "[away]\r\nminutes=30\r\n");
  }
}
}  // namespace
