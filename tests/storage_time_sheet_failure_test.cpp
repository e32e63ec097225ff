#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/full_disk_place.h"
#include "tests/time_sheet_fixture.h"

namespace {
class StorageTimeSheetHeldFile : public StorageTimeSheet {};
class StorageTimeSheetMissingFolder : public StorageTimeSheet {};

// The rewrites from a loaded sheet, each reduced to its result (0 for those
// that have none).
struct Rewrite {
  const char* name;
  int (*run)();
};
const Rewrite kRewrites[] = {
    {"as-edited save", [] { return SaveTimeSheet(kSaveAsEdited); }},
    {"insert", [] { return InsertRecordByStart(Closed(50, "new")); }},
    {"delete", [] { return DeleteRecordAt(0); }},
    {"keep from", [] { return KeepRecordsFrom(150); }},
    {"edited save keeping the task", [] { return SaveEditedKeepingTask(); }},
    {"insert before the task", [] { return InsertRecordBeforeTask(Closed(400, "new")); }},
    {"keep from keeping the task", [] { return KeepRecordsFromKeepingTask(150); }},
};

const std::string kSheet = Bytes({Closed(100), Closed(200), Open(300)});

// Another program's handle, let go of after `ms` on a thread of its own.
struct DelayedClose {
  HANDLE file;
  DWORD ms;
};
DWORD WINAPI CloseAfterDelay(void* data) {
  DelayedClose* close = static_cast<DelayedClose*>(data);
  Sleep(close->ms);
  CloseHandle(close->file);
  return 0;
}

}  // namespace

class StorageTimeSheetFullDisk : public StorageTimeSheet {
 protected:
  // `count` closed records starting at 100, written as the named sheet on
  // `disk`; returns the bytes written.
  static std::string PlaceClosedSheet(const FullDiskPlace& disk, int count) {
    std::string sheet;
    for (int i = 0; i < count; ++i) sheet += Bytes({Closed(100 + i)});
    NameSheet(disk.File("sheet.tim"));
    WriteBytes(disk.File("sheet.tim"), sheet);
    return sheet;
  }
};

TEST_F(StorageTimeSheetHeldFile, LoadCannotReadIt) {
  WriteBytes(Sheet(), kSheet);
  HeldFile held(Sheet());
  ASSERT_TRUE(held.Held());
  EXPECT_EQ(LoadTimeSheet(), -1);
  EXPECT_EQ(TimeSheet.count, -1);
  EXPECT_EQ(TimeSheet.memory, nullptr);
}

TEST_F(StorageTimeSheetHeldFile, AppendWritesNothing) {
  WriteBytes(Sheet(), kSheet);
  CurrentRecord = Closed(300, "open");
  {
    HeldFile held(Sheet());
    ASSERT_TRUE(held.Held());
    EXPECT_EQ(SaveTimeSheet(kSaveAppend), 0);
  }
  EXPECT_EQ(ReadBytes(Sheet()), kSheet);
  EXPECT_EQ(Listing(), "sheet.tim;");
}

TEST_F(StorageTimeSheetHeldFile, RewritesFailAndKeepTheSheetLoaded) {
  for (const Rewrite& rewrite : kRewrites) {
    SCOPED_TRACE(rewrite.name);
    Load(kSheet);
    {
      HeldFile held(Sheet());
      ASSERT_TRUE(held.Held());
      EXPECT_EQ(rewrite.run(), 0);
    }
    EXPECT_EQ(ReadBytes(Sheet()), kSheet);
    EXPECT_EQ(Listing(), "sheet.tim;");
    ASSERT_EQ(TimeSheet.count, 3);
    EXPECT_EQ(RecordBytes(TimeSheet.records[0]), Bytes({Closed(100)}));
  }
}

// Another program reading the sheet (a virus scanner, a backup) for a moment
// only delays a rewrite; one that keeps reading makes it fail, sheet intact.
TEST_F(StorageTimeSheetHeldFile, BriefReaderDelaysARewriteAndALastingOneFailsIt) {
  for (DWORD holdMs : {150u, 1000u}) {
    SCOPED_TRACE(holdMs);
    Load(kSheet);
    HANDLE reader = CreateFileA(Sheet().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, 0, NULL);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    DelayedClose release = {reader, holdMs};
    HANDLE thread = CreateThread(NULL, 0, CloseAfterDelay, &release, 0, NULL);
    ASSERT_NE(thread, nullptr);
    TimeSheet.records[0].startSeconds = 150;
    int result = SaveTimeSheet(kSaveAsEdited);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    bool brief = holdMs < 450;
    EXPECT_EQ(result, brief ? 1 : 0);
    TimeRecord edited = Closed(100);
    edited.startSeconds = 150;
    EXPECT_EQ(ReadBytes(Sheet()), brief ? Bytes({edited, Closed(200)}) : kSheet);
    EXPECT_EQ(Listing(), "sheet.tim;");
  }
}

TEST_F(StorageTimeSheetMissingFolder, AppendCreatesNothing) {
  NameSheet(folder_.File("gone\\sheet.tim"));
  CurrentRecord = Open(300);
  EXPECT_EQ(SaveTimeSheet(kSaveAppend), 0);
  EXPECT_EQ(Listing(), "");
}

TEST_F(StorageTimeSheetMissingFolder, RewritesFailAndKeepTheSheetLoaded) {
  for (const Rewrite& rewrite : kRewrites) {
    SCOPED_TRACE(rewrite.name);
    NameSheet(Sheet());
    Load(kSheet);
    NameSheet(folder_.File("gone\\sheet.tim"));
    EXPECT_EQ(rewrite.run(), 0);
    EXPECT_EQ(TimeSheet.count, 3);
    EXPECT_EQ(Listing(), "sheet.tim;");
    EXPECT_EQ(ReadBytes(Sheet()), kSheet);
  }
}

// 160 records are 40 KiB: the 64 KiB disk cannot hold the new copy beside the
// old one, so the rewrite must fail with the old file whole. Truncating the
// file and writing it again in place would have succeeded here.
TEST_F(StorageTimeSheetFullDisk, RewriteThatCannotFitASecondCopyLeavesTheOriginal) {
  FullDiskPlace disk;
  if (!disk.Present()) GTEST_SKIP() << "no full disk mounted (HOURWRIGHT_FULL_DISK_DIR unset)";
  std::string sheet = PlaceClosedSheet(disk, 160);
  ASSERT_EQ(ReadBytes(disk.File("sheet.tim")).size(), sheet.size());
  ASSERT_EQ(LoadTimeSheet(), 1);
  snprintf(TimeSheet.records[0].task, sizeof TimeSheet.records[0].task, "edited");
  EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), 0);
  EXPECT_EQ(ReadBytes(disk.File("sheet.tim")), sheet);
  EXPECT_EQ(SortedListing(disk.Path()), "sheet.tim;");
  EXPECT_EQ(TimeSheet.count, 160);
}

// On a full disk, an insert near the front that truncated and rewrote the file
// would leave it cut short with its records shifted: every record is at stake.
TEST_F(StorageTimeSheetFullDisk, InsertOnAFullDiskLeavesTheOriginal) {
  FullDiskPlace disk;
  if (!disk.Present()) GTEST_SKIP() << "no full disk mounted (HOURWRIGHT_FULL_DISK_DIR unset)";
  std::string sheet = PlaceClosedSheet(disk, 16);
  ASSERT_EQ(LoadTimeSheet(), 1);
  disk.Fill();
  InsertRecordByStart(Closed(50, "new"));
  EXPECT_EQ(ReadBytes(disk.File("sheet.tim")), sheet);
  EXPECT_EQ(SortedListing(disk.Path()), "filler;sheet.tim;");
  EXPECT_EQ(TimeSheet.count, 16);
}

// Sixteen records fill their 4 KiB page exactly, so one more needs a new page.
TEST_F(StorageTimeSheetFullDisk, AppendThatDoesNotFitLeavesTheFileAsItWas) {
  FullDiskPlace disk;
  if (!disk.Present()) GTEST_SKIP() << "no full disk mounted (HOURWRIGHT_FULL_DISK_DIR unset)";
  std::string sheet = PlaceClosedSheet(disk, 16);
  disk.Fill();
  CurrentRecord = Open(300);
  EXPECT_EQ(SaveTimeSheet(kSaveAppend), 0);
  EXPECT_EQ(ReadBytes(disk.File("sheet.tim")), sheet);
  EXPECT_EQ(SortedListing(disk.Path()), "filler;sheet.tim;");
}

TEST_F(StorageTimeSheetFullDisk, AppendOverAnOpenRecordNeedsNoSpace) {
  FullDiskPlace disk;
  if (!disk.Present()) GTEST_SKIP() << "no full disk mounted (HOURWRIGHT_FULL_DISK_DIR unset)";
  std::string records;
  for (int i = 0; i < 15; ++i) records += Bytes({Closed(i)});
  NameSheet(disk.File("sheet.tim"));
  WriteBytes(disk.File("sheet.tim"), records + Bytes({Open(300)}));
  disk.Fill();
  CurrentRecord = Closed(300, "open");
  EXPECT_EQ(SaveTimeSheet(kSaveAppend), 1);
  EXPECT_EQ(ReadBytes(disk.File("sheet.tim")), records + Bytes({Closed(300, "open")}));
}

TEST_F(StorageTimeSheetFullDisk, AppendToANewSheetThatDoesNotFitLeavesNoFile) {
  FullDiskPlace disk;
  if (!disk.Present()) GTEST_SKIP() << "no full disk mounted (HOURWRIGHT_FULL_DISK_DIR unset)";
  disk.Fill();
  NameSheet(disk.File("sheet.tim"));
  CurrentRecord = Open(300);
  EXPECT_EQ(SaveTimeSheet(kSaveAppend), 0);
  EXPECT_FALSE(FileExists(disk.File("sheet.tim")));
  EXPECT_EQ(SortedListing(disk.Path()), "filler;");
}

// An interrupted rewrite leaves "sheet.tim.hourwright-new"; the next rewrite
// of the sheet removes it, or fails when it cannot, and never touches any
// other file: a user's own "sheet.tim.new" least of all.
TEST_F(StorageTimeSheet, ARewriteRemovesOnlyItsOwnLeftover) {
  const char* others[] = {"sheet.tim.new", "sheet.tim.hourwright-new.hourwright-new",
                          "sheet.des.hourwright-new", "other.tim.hourwright-new", "hwr1A2B.tmp", "sheet~tim"};
  const std::string leftover = folder_.File("sheet.tim.hourwright-new");
  for (int kind : {0, 1, 2}) {  // a file, a file held open, a folder
    SCOPED_TRACE(kind);
    for (const char* name : others) WriteBytes(folder_.File(name), name);
    if (kind == 2) CreateDirectoryA(leftover.c_str(), NULL);
    else WriteBytes(leftover, "half a rewrite");
    std::unique_ptr<HeldFile> held(kind == 1 ? new HeldFile(leftover) : nullptr);
    Load(kSheet);
    EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), kind == 0 ? 1 : 0);
    EXPECT_EQ(ReadBytes(Sheet()), kind == 0 ? Bytes({Closed(100), Closed(200)}) : kSheet);
    held.reset();
    for (const char* name : others) EXPECT_EQ(ReadBytes(folder_.File(name)), name);
    for (const char* name : others) DeleteFileA(folder_.File(name).c_str());
    EXPECT_EQ(Listing(), kind == 0 ? "sheet.tim;" : "sheet.tim;sheet.tim.hourwright-new;");
    DeleteFileA(leftover.c_str());
    RemoveDirectoryA(leftover.c_str());
  }
}
