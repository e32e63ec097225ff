// The one rewrite rule: a sheet or descriptions file is rewritten only from a
// read that succeeded, and a missing file is made but never one that is there.
#include <gtest/gtest.h>

#include "logging/task_logging.h"
#include "store/current_task.h"
#include "store/data_file_read_win.h"
#include "store/data_file_rewrite.h"
#include "tests/scripted_user.h"
#include "tests/time_sheet_fixture.h"

using StorageRewriteRule = StorageTimeSheet;

TEST_F(StorageRewriteRule, WritesOnlyFromAReadThatSucceeded) {
  const std::string kOld = Bytes({Closed(100)}), kNew = Bytes({Closed(200)});
  struct Case {
    bool fileThere;
    DataFileRead plannedFrom;
    bool written;
    unsigned long error;
  } cases[] = {{true, {kDataFileUnreadable, ERROR_SHARING_VIOLATION}, false, ERROR_SHARING_VIOLATION},
               {true, {kDataFileMissing, 0}, false, ERROR_ALREADY_EXISTS},  // made since it was read
               {false, {kDataFileMissing, 0}, true, 0},
               {true, {kDataFileRead, 0}, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fileThere << c.plannedFrom.state);
    DeleteFileA(Sheet().c_str());
    if (c.fileThere) WriteBytes(Sheet(), kOld);
    WriteBytes(Sheet() + ".new", "the user's own");
    FilePiece piece = {kNew.data(), static_cast<DWORD>(kNew.size())};
    RewriteResult result = RewriteDataFile(Sheet().c_str(), c.plannedFrom, &piece, 1);
    EXPECT_EQ(result.written, c.written);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(ReadBytes(Sheet()), c.written ? kNew : kOld);
    EXPECT_EQ(ReadBytes(Sheet() + ".new"), "the user's own");
    EXPECT_EQ(Listing(), "sheet.tim;sheet.tim.new;");
  }
}

static BOOL WINAPI FailingRead(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) {
  SetLastError(ERROR_NETNAME_DELETED);
  return FALSE;
}

// A read that fails is not an empty sheet: the away split leaves the sheet as
// it is, and the user hears that the task goes on logging.
TEST_F(StorageRewriteRule, TheAwaySplitOfASheetThatCannotBeReadChangesNothingAndIsTold) {
  const std::string kSheet = Bytes({Closed(100), Open(200)});
  WriteBytes(Sheet(), kSheet);
  CurrentRecord = Open(200);
  LoggingActive = true;
  ReadSheetBytes = FailingRead;
  EXPECT_EQ(SaveTaskSplit(Closed(200), Open(500)), 0);
  ScriptedUser user;
  user.AnswerBox("Hourwright",
                 "Unable To Write Time Sheet " + Sheet() + "\nThe Task is still logging; End Task again to retry.",
                 IDOK, BoxIcon::kError);
  DiscardTimeSince(NULL, 300);
  user.RunUntilDone();
  ReadSheetBytes = ReadFile;
  LoggingActive = false;
  EXPECT_EQ(ReadBytes(Sheet()), kSheet);
  EXPECT_EQ(CurrentRecord.startSeconds, 200);
  EXPECT_EQ(Listing(), "sheet.tim;");
}
