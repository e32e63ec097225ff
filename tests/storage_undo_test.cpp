#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/elapsed_time.h"
#include "logging/task_logging.h"
#include "store/description_lists.h"
#include "store/description_maintenance.h"
#include "store/undo_files_win.h"
#include "store/undo_hook_win.h"
#include "store/undo_win.h"
#include "tests/description_bytes.h"
#include "tests/time_sheet_fixture.h"

using namespace description_bytes;

namespace {
std::string Lists(const std::vector<std::string>& tasks, const std::vector<std::string>& projects) {
  return Texts(tasks) + Texts(projects) + Texts({"class"});
}

class StorageUndo : public StorageTimeSheet {
 protected:
  void SetUp() override {
    StorageTimeSheet::SetUp();
    snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", Lists_().c_str());
    LoggingActive = false;
  }
  void TearDown() override {
    DescriptionsPath[0] = '\0';
    LoggingActive = false;
    StorageTimeSheet::TearDown();
  }
  std::string Lists_() const { return folder_.File("sheet.des"); }
  std::string History() const {
    char path[kPathSize];
    return UndoHistoryPath(TimeSheetPath, path) ? ReadBytes(path) : "";
  }
  static std::string NextName(bool redo) {
    char name[kUndoNameMost + 1];
    return NextUndoName(redo, name) ? name : "<none>";
  }
};

const std::string kSheet = Bytes({Closed(100, "a"), Closed(200, "b"), Closed(300, "c")});

struct ChangeCase {
  const char* name;
  bool sheet;  // the change is to the time sheet, not the lists
  std::string sheetBytes;
  std::function<void()> change;
};
}  // namespace

// Each kind of change, undone, redone and undone again: the file is byte for
// byte as it was before, after, and before; the other file never moves.
TEST_F(StorageUndo, EveryKindOfChangeIsUndoneAndRedoneToTheByte) {
  const TimeRecord running = Open(400, "running");
  const ChangeCase cases[] = {
      {"Edit Record", true, kSheet, [] {
         ASSERT_EQ(LoadTimeSheet(), 1);
         TimeSheet.records[1] = Closed(250, "edited");
         ASSERT_EQ(SaveTimeSheet(kSaveAsEdited), 1);
       }},
      {"Add Record", true, kSheet, [] {
         ASSERT_EQ(LoadTimeSheet(), 1);
         ASSERT_EQ(InsertRecordByStart(Closed(150, "added")), 1);
       }},
      {"Delete Record", true, kSheet, [] {
         ASSERT_EQ(LoadTimeSheet(), 1);
         ASSERT_EQ(DeleteRecordAt(1), 1);
       }},
      {"Purge Before 1/1/2000", true, kSheet, [] {
         ASSERT_EQ(LoadTimeSheet(), 1);
         ASSERT_EQ(KeepRecordsFrom(250), 1);
       }},
      {"Add To Task List", false, kSheet, [] { AddOrReplaceDescription(kTaskList, "d"); }},
      {"Replace In Project List", false, kSheet, [] { AddOrReplaceDescription(kProjectList, "Q", "P"); }},
      {"Remove From Task List", false, kSheet, [] { RemoveDescription(kTaskList, "b"); }},
      {"Rebuild Lists", false, kSheet, [] { RebuildDescriptionLists(false); }},
      {"Discard Away Time", true, kSheet + RecordBytes(running), [running] {
         TimeRecord ended = running, restarted = running;
         ended.stopSeconds = 450;
         restarted.startSeconds = 500;
         ASSERT_EQ(SaveTaskSplit(ended, restarted), 1);
       }},
  };
  const std::string lists = Lists({"a", "b", "c"}, {"P"});
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Sheet(), c.sheetBytes);
    WriteBytes(Lists_(), lists);
    std::string changed = c.sheet ? Sheet() : Lists_(), other = c.sheet ? Lists_() : Sheet();
    std::string before = ReadBytes(changed), untouched = ReadBytes(other);
    {
      UndoableChange change(c.name, std::string(c.name) == "Discard Away Time");
      c.change();
    }
    std::string after = ReadBytes(changed);
    ASSERT_NE(after, before);
    EXPECT_EQ(NextName(false), c.name);
    EXPECT_EQ(NextName(true), "<none>");

    // An away answer taken back or made again logs its task again; the
    // table is about bytes, so it is let go each time.
    auto turn = [](bool redo) {
      UndoOutcome outcome = (redo ? RedoLastChange() : UndoLastChange()).outcome;
      LoggingActive = false;
      return outcome;
    };
    EXPECT_EQ(turn(false), kUndoMade);
    EXPECT_EQ(ReadBytes(changed), before);
    EXPECT_EQ(NextName(true), c.name);
    EXPECT_EQ(turn(true), kUndoMade);
    EXPECT_EQ(ReadBytes(changed), after);
    EXPECT_EQ(turn(false), kUndoMade);
    EXPECT_EQ(ReadBytes(changed), before);
    EXPECT_EQ(ReadBytes(other), untouched);
    EXPECT_EQ(Listing(), "sheet.des;sheet.tim;");
    // The next case starts a history of its own.
    EXPECT_EQ(turn(false), kUndoNone);
    char path[kPathSize];
    ASSERT_TRUE(UndoHistoryPath(TimeSheetPath, path));
    DeleteFileA(path);
  }
}

TEST_F(StorageUndo, AChangeMadeElsewhereIsRefusedLeavingFileAndHistoryAlone) {
  Load(kSheet);
  {
    UndoableChange change("Delete Record");
    ASSERT_EQ(DeleteRecordAt(0), 1);
  }
  WriteBytes(Lists_(), Lists({"a"}, {"P"}));
  {
    UndoableChange change("Add To Task List");
    AddOrReplaceDescription(kTaskList, "b");
  }
  std::string history = History();
  // A second copy of the program, or another tool, changed both files since.
  std::string lists = Lists({"a", "b", "x"}, {"P"}), sheet = Bytes({Closed(200, "B"), Closed(300, "c")});
  WriteBytes(Lists_(), lists);
  UndoResult result = UndoLastChange();
  EXPECT_EQ(result.outcome, kUndoRefused);
  EXPECT_STREQ(result.name, "Add To Task List");
  EXPECT_EQ(ReadBytes(Lists_()), lists);
  EXPECT_EQ(History(), history);

  WriteBytes(Lists_(), Lists({"a", "b"}, {"P"}));
  ASSERT_EQ(UndoLastChange().outcome, kUndoMade);
  WriteBytes(Sheet(), sheet);
  EXPECT_EQ(UndoLastChange().outcome, kUndoRefused);
  EXPECT_EQ(ReadBytes(Sheet()), sheet);
  EXPECT_EQ(NextName(false), "Delete Record");
}

// Start New Task appends, End Task closes the last record: the undo keeps both.
TEST_F(StorageUndo, TasksLoggedSinceStayThroughUndoAndRedo) {
  Load(kSheet);
  {
    UndoableChange change("Delete Record");
    ASSERT_EQ(DeleteRecordAt(1), 1);
  }
  const std::string after = ReadBytes(Sheet());
  CurrentRecord = Open(900, "since");
  ASSERT_EQ(SaveTimeSheet(kSaveAppend), 1);
  LoggingActive = true;
  EXPECT_EQ(UndoLastChange().outcome, kUndoMade);
  EXPECT_EQ(ReadBytes(Sheet()), kSheet + RecordBytes(CurrentRecord));
  CurrentRecord.stopSeconds = 960;
  ASSERT_EQ(SaveTimeSheet(kSaveAppend), 1);
  LoggingActive = false;
  EXPECT_EQ(RedoLastChange().outcome, kUndoMade);
  EXPECT_EQ(ReadBytes(Sheet()), after + RecordBytes(CurrentRecord));
}

TEST_F(StorageUndo, ADamagedHistoryIsNothingToUndo) {
  Load(kSheet);
  {
    UndoableChange change("Delete Record");
    ASSERT_EQ(DeleteRecordAt(1), 1);
  }
  char path[kPathSize];
  ASSERT_TRUE(UndoHistoryPath(TimeSheetPath, path));
  std::string history = ReadBytes(path), sheet = ReadBytes(Sheet());
  for (size_t at : {history.size() / 2, history.size() - 1}) {
    std::string damaged = history;
    damaged[at] ^= 0x40;
    WriteBytes(path, damaged);
    EXPECT_EQ(NextName(false), "<none>");
    EXPECT_EQ(UndoLastChange().outcome, kUndoNone);
    EXPECT_EQ(ReadBytes(Sheet()), sheet);
  }
  WriteBytes(path, history.substr(0, history.size() - 9));
  EXPECT_EQ(UndoLastChange().outcome, kUndoNone);
}

TEST_F(StorageUndo, FiftyChangesAreKeptAndANewChangeDropsTheRedo) {
  std::string sheet;
  for (int i = 0; i < 60; ++i) sheet += RecordBytes(Closed(100 * (i + 1)));
  Load(sheet);
  for (int i = 0; i < 51; ++i) {
    UndoableChange change("Delete Record");
    ASSERT_EQ(LoadTimeSheet(), 1);
    ASSERT_EQ(DeleteRecordAt(0), 1);
  }
  for (int i = 0; i < 50; ++i) ASSERT_EQ(UndoLastChange().outcome, kUndoMade) << i;
  EXPECT_EQ(UndoLastChange().outcome, kUndoNone);
  // The first delete is the one that went.
  EXPECT_EQ(ReadBytes(Sheet()), sheet.substr(kRecordSize));

  {
    UndoableChange change("Add Record");
    ASSERT_EQ(LoadTimeSheet(), 1);
    ASSERT_EQ(InsertRecordByStart(Closed(50)), 1);
  }
  EXPECT_EQ(NextName(true), "<none>");
  EXPECT_EQ(NextName(false), "Add Record");
}

// Another sheet's old purge makes room for this sheet's new one.
TEST_F(StorageUndo, AllHistoriesTogetherStayWithin64MiB) {
  UndoHistory other;
  other.sheetPath = folder_.File("other.tim");
  UndoStep old;
  old.name = "Purge Before 1/1/2000";
  old.time = 1;
  old.stored.assign(60u << 20, 'x');
  other.steps.push_back(old);
  other.done = 1;
  ASSERT_TRUE(SaveUndoHistory(other));
  char otherPath[kPathSize];
  ASSERT_TRUE(UndoHistoryPath(other.sheetPath.c_str(), otherPath));
  ASSERT_TRUE(FileExists(otherPath));

  std::string sheet;
  for (int i = 0; i < 20000; ++i) sheet += RecordBytes(Closed(i + 1));
  Load(sheet);
  {
    UndoableChange change("Purge Before 3/17/2025");
    ASSERT_EQ(KeepRecordsFrom(20000), 1);
  }
  EXPECT_FALSE(FileExists(otherPath));
  EXPECT_EQ(UndoLastChange().outcome, kUndoMade);
  EXPECT_EQ(ReadBytes(Sheet()), sheet);
}

// An undo never rewrites the record of the task being logged; once the task
// has ended, an undone discard gives one record over the whole time.
TEST_F(StorageUndo, TheRunningTaskBlocksAnUndoOfItsAwayAnswerUntilItEnds) {
  const TimeRecord running = Open(400, "running");
  Load(kSheet + RecordBytes(running));
  TimeRecord ended = running, restarted = running;
  ended.stopSeconds = 450;
  restarted.startSeconds = 500;
  {
    UndoableChange change("Discard Away Time", true);
    ASSERT_EQ(SaveTaskSplit(ended, restarted), 1);
  }
  LoggingActive = true;
  std::string split = ReadBytes(Sheet()), history = History();
  EXPECT_EQ(UndoLastChange().outcome, kUndoTaskInTheWay);
  EXPECT_EQ(ReadBytes(Sheet()), split);
  EXPECT_EQ(History(), history);

  CurrentRecord = restarted;
  CurrentRecord.stopSeconds = 600;
  ASSERT_EQ(SaveTimeSheet(kSaveAppend), 1);
  LoggingActive = false;
  EXPECT_EQ(UndoLastChange().outcome, kUndoMade);
  TimeRecord whole = running;
  whole.stopSeconds = 600;
  ComputeElapsed(200, &whole.elapsedMinutes, &whole.elapsedHours);
  EXPECT_EQ(ReadBytes(Sheet()), kSheet + RecordBytes(whole));
  EXPECT_FALSE(LoggingActive);
}

// Ending the task at the away time, taken back: the task logs again, or, when
// another has started since, runs until that one's start.
TEST_F(StorageUndo, AnUndoneEndLogsTheTaskAgainOrEndsItAtTheNextStart) {
  const TimeRecord running = Open(400, "running");
  for (bool startedSince : {false, true}) {
    SCOPED_TRACE(startedSince);
    Load(kSheet + RecordBytes(running));
    ReleaseTimeSheet();
    CurrentRecord = running;
    LoggingActive = true;
    {
      UndoableChange change("End Task At 12:05 pm", true);
      EndTaskAt(NULL, 450);
    }
    ASSERT_FALSE(LoggingActive);
    const TimeRecord next = Open(700, "next");
    if (startedSince) {
      CurrentRecord = next;
      ASSERT_EQ(SaveTimeSheet(kSaveAppend), 1);
      LoggingActive = true;
    }
    UndoResult result = UndoLastChange();
    EXPECT_EQ(result.outcome, kUndoMade);
    EXPECT_EQ(result.taskResumed, !startedSince);
    EXPECT_TRUE(LoggingActive);
    TimeRecord until = running;
    if (startedSince) {
      until.stopSeconds = 700;
      ComputeElapsed(300, &until.elapsedMinutes, &until.elapsedHours);
    }
    EXPECT_EQ(ReadBytes(Sheet()), kSheet + RecordBytes(until) + (startedSince ? RecordBytes(next) : ""));
    EXPECT_EQ(RecordBytes(CurrentRecord), RecordBytes(startedSince ? next : running));
    char path[kPathSize];
    ASSERT_TRUE(UndoHistoryPath(TimeSheetPath, path));
    DeleteFileA(path);
  }
}

namespace {
bool historyWritten = false;
void NoteHistoryWritten() { historyWritten = true; }
}  // namespace

// The sheet cannot be replaced (another program reads it without letting it
// be replaced): the history written for the change is put back.
TEST_F(StorageUndo, AHistoryWrittenForARenameThatFailsIsPutBack) {
  Load(kSheet);
  {
    UndoableChange change("Delete Record");
    ASSERT_EQ(DeleteRecordAt(0), 1);
  }
  std::string history = History();
  HANDLE reader = CreateFileA(Sheet().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ASSERT_EQ(LoadTimeSheet(), 1);
  AfterUndoHistoryWritten = NoteHistoryWritten;
  historyWritten = false;
  {
    UndoableChange change("Add Record");
    EXPECT_EQ(InsertRecordByStart(Closed(50)), 0);
  }
  AfterUndoHistoryWritten = nullptr;
  CloseHandle(reader);
  EXPECT_TRUE(historyWritten);
  EXPECT_EQ(History(), history);
  EXPECT_EQ(NextName(false), "Delete Record");
}
