#include <gtest/gtest.h>

#include "resources/resource.h"
#include "store/current_task.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/main_window_fixture.h"
#include "tests/test_files.h"
#include "tests/time_sheet_fixture.h"

// The store names no file itself: with none named, starting a task asks for
// one in the Save As dialog and writes the record there; the save alone
// writes nothing and shows nothing.
using UiTimeSheetSave = MainWindowTest;

TEST_F(UiTimeSheetSave, WithNoSheetNamedStartAsksForOneAndWritesTheRecordThere) {
  TempFolder folder;
  TypeTask("first", "project", "class");
  ScriptedUser user;
  user.ChooseFile("Save TimeSheet As", folder.File("new.tim"));
  Press(user, IDC_MAIN_START_TASK);
  EXPECT_STREQ(TimeSheetPath, folder.File("new.tim").c_str());
  std::vector<TimeRecord> written = ReadRecords(folder.File("new.tim"));
  ASSERT_EQ(written.size(), 1u);
  EXPECT_STREQ(written[0].task, "first");
  EXPECT_TRUE(RecordIsOpen(written[0]));
}

TEST_F(UiTimeSheetSave, SavingWithNoSheetNamedWritesNothingAndAsksNothing) {
  TempFolder folder;
  WriteBytes(folder.File("sheet.tim"), "");
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", folder.File("sheet.tim").c_str());
  ASSERT_EQ(LoadTimeSheet(), 1);  // a sheet loaded from elsewhere is left as it is
  TimeSheetPath[0] = '\0';
  CurrentRecord = Open(300);
  ScriptedUser user;
  EXPECT_EQ(SaveTimeSheet(kSaveAppend), 0);
  EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), 0);
  user.RunUntilDone();
  EXPECT_TRUE(user.Seen().empty());
  EXPECT_EQ(TimeSheet.count, 0);
  EXPECT_EQ(FolderListing(folder.Path()), "sheet.tim;");
  ReleaseTimeSheet();
}
