#include <gtest/gtest.h>

#include <functional>
#include <string>

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
         ASSERT_EQ(SaveTimeSheet(NULL, kSaveAsEdited), 1);
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
