#include <gtest/gtest.h>

#include <limits.h>
#include <string.h>

#include "tests/time_sheet_fixture.h"

namespace {
const std::string kPiece44(44, 'p');  // 300 - 256 bytes after the first record
class StorageTimeSheetLoad : public StorageTimeSheet {};
class StorageTimeSheetAppend : public StorageTimeSheet {};
class StorageTimeSheetAsEdited : public StorageTimeSheet {};
class StorageTimeSheetInsert : public StorageTimeSheet {};
class StorageTimeSheetDelete : public StorageTimeSheet {};
class StorageTimeSheetKeepFrom : public StorageTimeSheet {};
class StorageTimeSheetNotLoaded : public StorageTimeSheet {};
}  // namespace

TEST_F(StorageTimeSheetLoad, MissingFileIsNoSheetAndReleasesTheOldOne) {
  Load(Bytes({Closed(100)}));
  DeleteFileA(Sheet().c_str());
  EXPECT_EQ(LoadTimeSheet(), 0);
  EXPECT_EQ(TimeSheet.count, -1);
  EXPECT_EQ(TimeSheet.memory, nullptr);
  EXPECT_EQ(TimeSheet.records, nullptr);
}

TEST_F(StorageTimeSheetLoad, EmptyFileHoldsNoRecordsAndNoBlock) {
  WriteBytes(Sheet(), "");
  EXPECT_EQ(LoadTimeSheet(), 1);
  EXPECT_EQ(TimeSheet.count, 0);
  EXPECT_EQ(TimeSheet.memory, nullptr);
}

TEST_F(StorageTimeSheetLoad, TrailingPieceIsNotCounted) {
  WriteBytes(Sheet(), Bytes({Closed(100)}) + kPiece44);
  EXPECT_EQ(LoadTimeSheet(), 1);
  ASSERT_EQ(TimeSheet.count, 1);
  EXPECT_EQ(RecordBytes(TimeSheet.records[0]), Bytes({Closed(100)}));
  ReleaseTimeSheet();
  EXPECT_EQ(TimeSheet.count, -1);
  EXPECT_EQ(TimeSheet.memory, nullptr);
}

TEST_F(StorageTimeSheetAppend, WritesTheCurrentRecordOverATrailingOpenOneOrAfterTheLast) {
  const TimeRecord a = Closed(100, "a"), b = Closed(200, "b");
  const TimeRecord current = Open(300, "current");
  const std::string cur = RecordBytes(current);
  struct Case {
    const char* name;
    bool exists;
    std::string before, after;
  } cases[] = {
      {"missing file", false, "", cur},
      {"empty file", true, "", cur},
      {"partial piece only", true, kPiece44, cur},
      {"last closed: grows by one", true, Bytes({a, b}), Bytes({a, b}) + cur},
      {"last open: same count", true, Bytes({a, Open(250)}), Bytes({a}) + cur},
      {"two open: only the last goes", true, Bytes({a, Open(250), Open(260)}),
       Bytes({a, Open(250)}) + cur},
      {"open record inside stays", true, Bytes({Open(50), b}), Bytes({Open(50), b}) + cur},
      {"300 bytes, closed", true, Bytes({a}) + kPiece44, Bytes({a}) + cur},
      {"300 bytes, open", true, Bytes({Open(50)}) + kPiece44, cur},
      {"open then a piece", true, Bytes({a, Open(250)}) + std::string(100, 'z'),
       Bytes({a}) + cur},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(Sheet().c_str());
    if (c.exists) WriteBytes(Sheet(), c.before);
    CurrentRecord = current;
    EXPECT_EQ(SaveTimeSheet(kSaveAppend), 1);
    EXPECT_EQ(ReadBytes(Sheet()), c.after);
    EXPECT_EQ(TimeSheet.count, -1);
    EXPECT_EQ(Listing(), "sheet.tim;");
  }
}

TEST_F(StorageTimeSheetAppend, StartAndEndOfATaskLeaveOneClosedRecord) {
  WriteBytes(Sheet(), Bytes({Closed(100), Closed(200)}));
  CurrentRecord = Open(300, "now");
  ASSERT_EQ(SaveTimeSheet(kSaveAppend), 1);
  EXPECT_EQ(ReadBytes(Sheet()), Bytes({Closed(100), Closed(200), Open(300, "now")}));
  CurrentRecord = Closed(300, "now");
  ASSERT_EQ(SaveTimeSheet(kSaveAppend), 1);
  EXPECT_EQ(ReadBytes(Sheet()), Bytes({Closed(100), Closed(200), Closed(300, "now")}));
}

TEST_F(StorageTimeSheetAppend, ReleasesASheetTheCallerHeld) {
  Load(Bytes({Closed(100)}));
  CurrentRecord = Open(200);
  EXPECT_EQ(SaveTimeSheet(kSaveAppend), 1);
  EXPECT_EQ(TimeSheet.count, -1);
  EXPECT_EQ(TimeSheet.memory, nullptr);
}

TEST_F(StorageTimeSheetAsEdited, DropsOnlyATrailingOpenRecord) {
  const TimeRecord a = Closed(100), b = Closed(200);
  struct Case {
    const char* name;
    std::string before, after;
  } cases[] = {
      {"all closed", Bytes({a, b}), Bytes({a, b})},
      {"trailing open", Bytes({a, Open(300)}), Bytes({a})},
      {"two open at the end", Bytes({a, Open(300), Open(400)}), Bytes({a, Open(300)})},
      {"open inside", Bytes({Open(50), b}), Bytes({Open(50), b})},
      {"only an open record", Bytes({Open(50)}), ""},
      {"empty", "", ""},
      {"300 bytes lose the piece", Bytes({a}) + kPiece44, Bytes({a})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.before);
    EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), 1);
    EXPECT_EQ(ReadBytes(Sheet()), c.after);
    EXPECT_EQ(TimeSheet.count, -1);
    EXPECT_EQ(Listing(), "sheet.tim;");
  }
}

TEST_F(StorageTimeSheetAsEdited, WritesTheEditedBufferKeepingReservedBytes) {
  Load(Bytes({Closed(100), Closed(200), Open(300)}));
  snprintf(TimeSheet.records[1].task, sizeof TimeSheet.records[1].task, "edited");
  TimeRecord edited = Closed(200);
  snprintf(edited.task, sizeof edited.task, "edited");
  EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), 1);
  EXPECT_EQ(ReadBytes(Sheet()), Bytes({Closed(100), edited}));
}

TEST_F(StorageTimeSheetInsert, LandsBeforeTheFirstRecordStartingAtOrAfterIt) {
  const std::string sheet = Bytes({Closed(100), Closed(200), Closed(300)});
  struct Case {
    const char* name;
    std::string before;
    int64_t start;
    std::string after;
  } cases[] = {
      {"equal start goes first", sheet, 200,
       Bytes({Closed(100), Closed(200, "new"), Closed(200), Closed(300)})},
      {"later than all: appended", sheet, 400,
       Bytes({Closed(100), Closed(200), Closed(300), Closed(400, "new")})},
      {"earlier than all", sheet, 50,
       Bytes({Closed(50, "new"), Closed(100), Closed(200), Closed(300)})},
      {"between", sheet, 250,
       Bytes({Closed(100), Closed(200), Closed(250, "new"), Closed(300)})},
      {"file order, not time order", Bytes({Closed(300), Closed(100)}), 200,
       Bytes({Closed(200, "new"), Closed(300), Closed(100)})},
      {"empty sheet", "", 200, Bytes({Closed(200, "new")})},
      {"300 bytes lose the piece", Bytes({Closed(100)}) + kPiece44, 50,
       Bytes({Closed(50, "new"), Closed(100)})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.before);
    InsertRecordByStart(Closed(c.start, "new"));
    EXPECT_EQ(ReadBytes(Sheet()), c.after);
    EXPECT_EQ(TimeSheet.count, -1);
    EXPECT_EQ(Listing(), "sheet.tim;");
  }
}

TEST_F(StorageTimeSheetInsert, IntoAMissingFileCreatesIt) {
  EXPECT_EQ(LoadTimeSheet(), 0);
  InsertRecordByStart(Closed(200, "new"));
  EXPECT_EQ(ReadBytes(Sheet()), Bytes({Closed(200, "new")}));
}

TEST_F(StorageTimeSheetInsert, BehindTheOpenTaskWhichThenStaysInsideTheFile) {
  Load(Bytes({Closed(100), Open(200, "task")}));
  InsertRecordByStart(Closed(300, "new"));
  EXPECT_EQ(ReadBytes(Sheet()), Bytes({Closed(100), Open(200, "task"), Closed(300, "new")}));
  // The task ends: the last record is closed, so its closed copy is appended.
  CurrentRecord = Closed(200, "task");
  ASSERT_EQ(SaveTimeSheet(kSaveAppend), 1);
  EXPECT_EQ(ReadBytes(Sheet()), Bytes({Closed(100), Open(200, "task"), Closed(300, "new"),
                                       Closed(200, "task")}));
}

TEST_F(StorageTimeSheetDelete, LeavesOutTheIndexedRecordOrNothing) {
  const std::string sheet = Bytes({Closed(100), Closed(200), Open(300)});
  struct Case {
    int32_t index;
    std::string after;
  } cases[] = {
      {0, Bytes({Closed(200), Open(300)})},
      {1, Bytes({Closed(100), Open(300)})},
      {2, Bytes({Closed(100), Closed(200)})},
      {-1, sheet},
      {3, sheet},
      {INT_MIN, sheet},
      {INT_MAX, sheet},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    Load(sheet);
    DeleteRecordAt(c.index);
    EXPECT_EQ(ReadBytes(Sheet()), c.after);
    EXPECT_EQ(TimeSheet.count, -1);
    EXPECT_EQ(Listing(), "sheet.tim;");
  }
}

TEST_F(StorageTimeSheetDelete, OutOfRangeStillLosesAPartialPiece) {
  Load(Bytes({Closed(100)}) + kPiece44);
  DeleteRecordAt(1);
  EXPECT_EQ(ReadBytes(Sheet()), Bytes({Closed(100)}));
}

TEST_F(StorageTimeSheetKeepFrom, KeepsRecordsStartingAtOrAfterTheCutoff) {
  const std::string sheet = Bytes({Closed(300), Closed(100), Closed(-5), Open(200)});
  struct Case {
    int64_t cutoff;
    std::string after;
  } cases[] = {
      {200, Bytes({Closed(300), Open(200)})},
      {201, Bytes({Closed(300)})},
      {301, ""},
      {0, Bytes({Closed(300), Closed(100), Open(200)})},  // signed: -5 is before 0
      {-5, sheet},
      {INT64_MIN, sheet},
      {INT64_MAX, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cutoff);
    Load(sheet);
    EXPECT_EQ(KeepRecordsFrom(c.cutoff), 1);
    EXPECT_TRUE(FileExists(Sheet()));
    EXPECT_EQ(ReadBytes(Sheet()), c.after);
    EXPECT_EQ(TimeSheet.count, -1);
    EXPECT_EQ(Listing(), "sheet.tim;");
  }
}

// After a load that failed, nothing is loaded: a rewrite would put an empty
// or one-record file in place of every record the file holds.
TEST_F(StorageTimeSheetNotLoaded, RewritesLeaveAnExistingFileAlone) {
  const std::string sheet = Bytes({Closed(100), Closed(200)});
  WriteBytes(Sheet(), sheet);
  ASSERT_EQ(TimeSheet.count, -1);
  EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), 0);
  InsertRecordByStart(Closed(150));
  DeleteRecordAt(0);
  EXPECT_EQ(KeepRecordsFrom(150), 0);
  EXPECT_EQ(ReadBytes(Sheet()), sheet);
  EXPECT_EQ(Listing(), "sheet.tim;");
}

namespace {
class StorageTimeSheetTextTails : public StorageTimeSheet {};

// "b", "p" and "c" in fields that once held longer texts: the old ends still
// follow their NULs.
TimeRecord WithLeftovers(TimeRecord record) {
  memcpy(record.task + 2, "ong task name", 13);
  memcpy(record.project + 2, "roject", 6);
  memcpy(record.classification + 2, "lassification", 13);
  return record;
}
TimeRecord Short(int64_t start, int64_t stop) {
  TimeRecord record = Closed(start, "b");
  memset(record.project, 0, sizeof record.project);
  memset(record.classification, 0, sizeof record.classification);
  record.project[0] = 'p';
  record.classification[0] = 'c';
  record.stopSeconds = stop;
  return record;
}
}  // namespace

TEST_F(StorageTimeSheetTextTails, EveryWriteLeavesZerosAfterEachText) {
  const TimeRecord clean = Short(100, 160), dirty = WithLeftovers(clean);
  const TimeRecord cleanOpen = Short(300, 0), dirtyOpen = WithLeftovers(cleanOpen);
  struct Case {
    const char* name;
    std::string before;
    std::function<void()> write;
    std::string after;
  } cases[] = {
      {"start of a task", Bytes({Closed(50)}),
       [&] {
         CurrentRecord = dirtyOpen;
         EXPECT_EQ(SaveTimeSheet(kSaveAppend), 1);
       },
       Bytes({Closed(50), cleanOpen})},
      {"as edited", Bytes({dirty, Closed(200)}),
       [] { EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), 1); }, Bytes({clean, Closed(200)})},
      {"insert", Bytes({Closed(200)}), [&] { InsertRecordByStart(dirty); },
       Bytes({clean, Closed(200)})},
      {"delete", Bytes({dirty, Closed(200)}), [] { DeleteRecordAt(1); }, Bytes({clean})},
      {"keep from", Bytes({Closed(50), dirty}), [] { EXPECT_EQ(KeepRecordsFrom(60), 1); },
       Bytes({clean})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.before);
    c.write();
    EXPECT_EQ(ReadBytes(Sheet()), c.after);
  }
}
