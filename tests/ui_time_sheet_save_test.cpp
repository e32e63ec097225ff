#include <gtest/gtest.h>

#include "tests/scripted_user.h"
#include "tests/time_sheet_fixture.h"

namespace {
// The Save As dialog is the one window a time-sheet save may show.
class UiTimeSheetSave : public StorageTimeSheet {};
}  // namespace

TEST_F(UiTimeSheetSave, WithNoSheetNamedAsksForOneAndWritesTheRecordThere) {
  NameSheet("");
  CurrentRecord = Open(300, "first");
  ScriptedUser user;
  user.ChooseFile("Save TimeSheet As", folder_.File("new.tim"));
  EXPECT_EQ(SaveTimeSheet(NULL, kSaveAppend), 1);
  user.RunUntilDone();
  EXPECT_STREQ(TimeSheetPath, folder_.File("new.tim").c_str());
  EXPECT_EQ(ReadBytes(folder_.File("new.tim")), Bytes({Open(300, "first")}));
}

TEST_F(UiTimeSheetSave, CancelledSaveAsWritesNothing) {
  Load("");  // a sheet loaded from elsewhere is left as it is
  NameSheet("");
  CurrentRecord = Open(300);
  ScriptedUser user;
  user.CancelDialog("Save TimeSheet As").CancelDialog("Save TimeSheet As");
  EXPECT_EQ(SaveTimeSheet(NULL, kSaveAppend), 0);
  EXPECT_EQ(SaveTimeSheet(NULL, kSaveAsEdited), 0);
  user.RunUntilDone();
  EXPECT_STREQ(TimeSheetPath, "");
  EXPECT_EQ(TimeSheet.count, 0);
  EXPECT_EQ(Listing(), "sheet.tim;");
}
