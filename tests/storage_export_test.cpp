#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "export/export_text.h"
#include "export/export_writers.h"
#include "store/data_file_read_win.h"
#include "store/paths.h"
#include "tests/clipboard_text.h"
#include "tests/export_test_records.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"

namespace {
void SetPath(char (&path)[kPathSize], const std::string& value) {
  snprintf(path, sizeof path, "%s", value.c_str());
}

class StorageExport : public testing::Test {
 protected:
  void SetUp() override {
    SetPath(TimeSheetPath, folder_.File("jobs.tim"));
    SetPath(ExportPath, folder_.File("jobs.txt"));
  }
  void TearDown() override {
    TimeSheetPath[0] = '\0';
    ExportPath[0] = '\0';
  }
  void WriteSheet(const std::vector<TimeRecord>& records) {
    sheet_ = SheetBytes(records);
    WriteBytes(TimeSheetPath, sheet_);
  }
  std::string Exported() const { return ReadBytes(ExportPath); }
  void ExpectSheetUnchanged() const { EXPECT_EQ(ReadBytes(TimeSheetPath), sheet_); }

  TempFolder folder_;
  std::string sheet_;
};

class StorageExportFile : public StorageExport {};
class StorageExportClipboard : public StorageExport {};
class StorageExportFailure : public StorageExport {};
}  // namespace

TEST_F(StorageExportFile, EachFormWritesTheClosedRecordsInFileOrder) {
  WriteSheet(SampleSheet());
  for (int form = 0; form < 3; ++form) {
    ExportToFile(0, 0, form);
    EXPECT_EQ(Exported(), SampleExport(form)) << "form " << form;
  }
  ExpectSheetUnchanged();
}

TEST_F(StorageExportFile, HeaderAloneWhenNothingIsExported) {
  const size_t lengths[] = {64, 62, 70};
  struct Case { const char* name; bool write; std::vector<TimeRecord> records; } cases[] = {
      {"empty time sheet", true, {}},
      {"only an open record", true, {ExportOpen("open", ExportAt(1999, 3, 17, 9, 0))}},
      {"missing time sheet", false, {}},
      {"no record within the limits", true, SampleSheet()},
  };
  for (const Case& c : cases) {
    DeleteFileA(TimeSheetPath);
    if (c.write) WriteSheet(c.records);
    int64_t startLimit = c.records.size() > 1 ? SampleSheet()[0].stopSeconds + 1 : 0;
    for (int form = 0; form < 3; ++form) {
      ExportToFile(startLimit, 0, form);
      EXPECT_EQ(Exported(), ExportHeader(form)) << c.name << ", form " << form;
      EXPECT_EQ(Exported().size(), lengths[form]);
    }
    if (c.write) ExpectSheetUnchanged();
  }
  TimeSheetPath[0] = '\0';  // no time sheet named at all
  ExportToFile(0, 0, kElapsedMinutes);
  EXPECT_EQ(Exported(), ExportHeader(kElapsedMinutes));
}

TEST_F(StorageExportFile, LimitsEqualToARecordsStartAndStopKeepIt) {
  std::vector<TimeRecord> sheet = SampleSheet();
  WriteSheet(sheet);
  std::vector<std::string> all = ExportLines(SampleExport(kElapsedHours));
  // 12:30 is the start of the third record, 16:00 the stop of the first; the
  // 00:05 record starts before the limit.
  ExportToFile(sheet[2].startSeconds, sheet[0].stopSeconds, kElapsedHours);
  EXPECT_EQ(Exported(), all[0] + all[1] + all[2]);
  ExportToFile(sheet[2].startSeconds + 1, sheet[0].stopSeconds - 1, kElapsedHours);
  EXPECT_EQ(Exported(), all[0]);
  ExportToFile(0, sheet[2].stopSeconds, kElapsedHours);
  EXPECT_EQ(Exported(), all[0] + all[2] + all[3]);
  ExpectSheetUnchanged();
}

TEST_F(StorageExportFile, ManyRecordsAcrossEveryReadAndWriteChunk) {
  std::vector<TimeRecord> sheet;
  std::string expected = ExportHeader(kElapsedHoursMinutes);
  for (int i = 0; i < 1500; ++i) {
    char task[64];
    snprintf(task, sizeof task, "Task %d with a longer description to fill the chunks", i);
    TimeRecord record = ExportClosed(task, "Project", "Class", ExportAt(2001, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 60),
                                     ExportAt(2001, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 59));
    if (i % 7 == 3) record.stopSeconds = 0;  // open records are skipped anywhere
    sheet.push_back(record);
    if (IsRecordExported(record, 0, 0)) {
      char line[kExportLineSize];
      expected.append(line, BuildExportLine(record, kElapsedHoursMinutes, line, sizeof line));
    }
  }
  WriteSheet(sheet);
  WriteBytes(TimeSheetPath, sheet_ + std::string(100, 'x'));  // a torn last record is no record
  ExportToFile(0, 0, kElapsedHoursMinutes);
  EXPECT_GT(expected.size(), 2u * 64 * 1024);
  EXPECT_EQ(Exported(), expected);
}

TEST_F(StorageExportFile, ReplacesAnExistingExportWhole) {
  WriteSheet(SampleSheet());
  WriteBytes(ExportPath, std::string(5000, 'o'));
  ExportToFile(0, 0, kElapsedMinutes);
  EXPECT_EQ(Exported(), SampleExport(kElapsedMinutes));
}

TEST_F(StorageExportClipboard, HoldsTheFileTextAndItsNul) {
  WriteSheet(SampleSheet());
  for (int form = 0; form < 3; ++form) {
    ExportToFile(0, 0, form);
    ExportToClipboard(NULL, 0, 0, form);
    EXPECT_EQ(ClipboardText(), Exported() + '\0') << "form " << form;
  }
  std::vector<TimeRecord> sheet = SampleSheet();
  ExportToFile(sheet[2].startSeconds, sheet[0].stopSeconds, kElapsedHoursMinutes);
  ExportToClipboard(NULL, sheet[2].startSeconds, sheet[0].stopSeconds, kElapsedHoursMinutes);
  EXPECT_EQ(ClipboardText(), Exported() + '\0');
  ExpectSheetUnchanged();
}

TEST_F(StorageExportClipboard, HeaderAloneInABlockOfItsOwnSize) {
  WriteSheet({ExportOpen("open", ExportAt(1999, 3, 17, 9, 0))});
  size_t blockSize = 0;
  ExportToClipboard(NULL, 0, 0, kElapsedHours);
  EXPECT_EQ(ClipboardText(&blockSize), std::string(ExportHeader(kElapsedHours)) + '\0');
  EXPECT_EQ(blockSize, ExportHeaderLength(kElapsedHours) + 1);
  DeleteFileA(TimeSheetPath);
  ExportToClipboard(NULL, 0, 0, kElapsedMinutes);
  EXPECT_EQ(ClipboardText(), std::string(ExportHeader(kElapsedMinutes)) + '\0');
}

TEST_F(StorageExportClipboard, BlockHoldsTheTextAndItsNulOnly) {
  WriteSheet(SampleSheet());
  size_t blockSize = 0;
  ExportToClipboard(NULL, 0, 0, kElapsedMinutes);
  EXPECT_EQ(ClipboardText(&blockSize), SampleExport(kElapsedMinutes) + '\0');
  EXPECT_EQ(blockSize, SampleExport(kElapsedMinutes).size() + 1);
}

TEST_F(StorageExportFailure, ExportFileThatCannotBeCreated) {
  WriteSheet(SampleSheet());
  struct Case { const char* name; std::string path; } cases[] = {
      {"folder that does not exist", folder_.File("missing\\out.txt")},
      {"the time sheet itself", TimeSheetPath},
      {"a file held by another program", folder_.File("held.txt")},
  };
  HeldFile held(folder_.File("held.txt"));
  ASSERT_TRUE(held.Held());
  for (const Case& c : cases) {
    SetPath(ExportPath, c.path);
    ScriptedUser user;
    user.AnswerBox("Hourwright", "Unable To Open File", IDOK, BoxIcon::kError);
    ExportToFile(0, 0, kElapsedMinutes);
    user.RunUntilDone();
    ExpectSheetUnchanged();
  }
  EXPECT_FALSE(FileExists(folder_.File("missing")));
}

// This many reads of the sheet succeed, then every one fails.
static int readsLeft = 0;
static BOOL WINAPI FailingRead(HANDLE file, LPVOID to, DWORD size, LPDWORD read, LPOVERLAPPED at) {
  if (readsLeft-- > 0) return ReadFile(file, to, size, read, at);
  return FALSE;
}

// Held by another program without sharing (-1), or failing part-way: it is
// told, no file is left and the clipboard keeps what it held.
TEST_F(StorageExportFailure, UnreadableSheetIsToldAndNothingIsExported) {
  WriteSheet(std::vector<TimeRecord>(600, SampleSheet()[0]));  // 5 reads: 256, 256, 88, end, end
  struct Case { bool clipboard; int goodReads; } cases[] = {{false, -1}, {true, -1}, {false, 1},
                                                            {true, 1}, {true, 6}};  // 6: filling
  for (const Case& c : cases) {
    std::unique_ptr<HeldFile> held(c.goodReads < 0 ? new HeldFile(TimeSheetPath) : nullptr);
    readsLeft = c.goodReads;
    ReadSheetBytes = c.goodReads < 0 ? ReadFile : FailingRead;
    PutClipboardText("held before");
    ScriptedUser user;
    user.AnswerBox("Hourwright", std::string("Unable To Read Time Sheet ") + TimeSheetPath, IDOK);
    if (c.clipboard) ExportToClipboard(NULL, 0, 0, kElapsedMinutes);
    else ExportToFile(0, 0, kElapsedMinutes);
    user.RunUntilDone();
    ReadSheetBytes = ReadFile;
    EXPECT_FALSE(FileExists(ExportPath)) << c.goodReads;
    EXPECT_EQ(ClipboardText(), std::string("held before") + '\0') << c.goodReads;
  }
}

TEST_F(StorageExportFailure, FullDiskReportsTheShortWrite) {
  std::string full = FullDiskFolder();
  if (full.empty()) GTEST_SKIP() << "no full-disk folder mounted (HOURWRIGHT_FULL_DISK_DIR)";
  std::vector<TimeRecord> sheet;
  size_t wholeSize = ExportHeaderLength(kElapsedMinutes);
  for (int i = 0; i < 2000; ++i) {
    sheet.push_back(ExportClosed("A task with a long enough name", "Some project", "Class",
                                 ExportAt(2010, 5, 1 + i % 28, 8, 0), ExportAt(2010, 5, 1 + i % 28, 9, 0)));
    char line[kExportLineSize];
    wholeSize += BuildExportLine(sheet.back(), kElapsedMinutes, line, sizeof line);
  }
  WriteSheet(sheet);
  SetPath(ExportPath, full + "\\export.txt");
  ScriptedUser user;
  user.AnswerBox("Hourwright", "Unable To Write File", IDOK, BoxIcon::kError);
  ExportToFile(0, 0, kElapsedMinutes);
  user.RunUntilDone();
  EXPECT_LT(Exported().size(), wholeSize);
  ExpectSheetUnchanged();
  DeleteFileA(ExportPath);
}
