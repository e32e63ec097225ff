#include <gtest/gtest.h>
#include <math.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "export/export_writers.h"
#include "store/description_lists.h"
#include "tests/scripted_user.h"
#include "tests/time_sheet_fixture.h"

// Time sheets no writer of this program makes: each is loaded, exported in
// every form, resumed-from and rewritten; nothing may crash, and a rewrite
// keeps every byte it does not mean to change.
namespace {
class StorageHostileFiles : public StorageTimeSheet {
 protected:
  void TearDown() override {
    ExportPath[0] = '\0';
    StorageTimeSheet::TearDown();
  }
};

TimeRecord WithSeconds(int64_t start, int64_t stop) {
  TimeRecord record = Closed(1);
  record.startSeconds = start;
  record.stopSeconds = stop;
  return record;
}

TimeRecord WithElapsed(float minutes, float hours) {
  TimeRecord record = Closed(1);
  record.elapsedMinutes = minutes;
  record.elapsedHours = hours;
  return record;
}

TimeRecord WithoutNul() {
  TimeRecord record = Closed(1);
  memset(record.task, 'T', sizeof record.task);
  memset(record.project, 'P', sizeof record.project);
  memset(record.classification, 0xFF, sizeof record.classification);
  memset(&record.startTime, 0xFF, sizeof record.startTime);
  return record;
}

struct HostileSheet {
  const char* name;
  std::string bytes;
};

std::vector<HostileSheet> HostileSheets() {
  return {
      {"open record in the middle", Bytes({Closed(100), Open(150), Closed(200)})},
      {"seconds at the 64-bit limits",
       Bytes({WithSeconds(INT64_MIN, INT64_MAX), WithSeconds(INT64_MAX, INT64_MIN), WithSeconds(INT64_MIN, 0)})},
      {"elapsed minutes of 1e9", Bytes({WithElapsed(1e9f, 16666667.0f)})},
      {"elapsed NaN and infinity", Bytes({WithElapsed(NAN, NAN), WithElapsed(INFINITY, -INFINITY)})},
      {"text fields without a NUL", Bytes({WithoutNul(), WithoutNul()})},
      {"a trailing piece", Bytes({Closed(100)}) + std::string(255, '\xEE')},
      {"open record near the 64-bit minimum at the end", Bytes({Closed(100), WithSeconds(INT64_MIN + 5, 0)})},
  };
}
}  // namespace

TEST_F(StorageHostileFiles, LoadExportAndRewriteWithoutHarm) {
  for (const HostileSheet& sheet : HostileSheets()) {
    SCOPED_TRACE(sheet.name);
    Load(sheet.bytes);
    int32_t count = static_cast<int32_t>(sheet.bytes.size() / 256);
    EXPECT_EQ(TimeSheet.count, count);
    ReleaseTimeSheet();
    for (int form = 0; form < 3; ++form) {
      snprintf(ExportPath, sizeof ExportPath, "%s", folder_.File("out.txt").c_str());
      ExportToFile(0, 0, form);
      std::string text = ReadBytes(ExportPath);
      EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
      EXPECT_EQ(ReadBytes(Sheet()), sheet.bytes);
    }
    // An as-edited rewrite keeps every whole record but a trailing open one.
    ASSERT_EQ(LoadTimeSheet(), 1);
    bool lastOpen = count > 0 && TimeSheet.records[count - 1].stopSeconds == 0;
    ASSERT_EQ(SaveTimeSheet(kSaveAsEdited), 1);
    EXPECT_EQ(ReadBytes(Sheet()), sheet.bytes.substr(0, static_cast<size_t>(count - (lastOpen ? 1 : 0)) * 256));
  }
}

// A sheet of 4 GiB and more would load modulo 4 GiB and the next rewrite
// would cut it to that: it is refused whole, and nothing rewrites it.
TEST_F(StorageHostileFiles, SheetOfFourGibibytesIsRefused) {
  for (int64_t size : {0x100000000LL, 0x100000000LL + 512, 0x1FFFFFF00LL}) {
    WriteBytes(Sheet(), Bytes({Closed(100)}));
    HANDLE file = CreateFileA(Sheet().c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = size;
    ASSERT_TRUE(SetFilePointerEx(file, end, NULL, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));  // sparse: costs no disk
    CloseHandle(file);

    EXPECT_EQ(LoadTimeSheet(), -1) << size;
    EXPECT_EQ(TimeSheet.count, -1);
    CurrentRecord = Open(500);
    EXPECT_EQ(SaveTimeSheet(kSaveAppend), 0);
    EXPECT_EQ(SaveTimeSheet(kSaveAsEdited), 0);
    InsertRecordByStart(Closed(50));
    DeleteRecordAt(0);
    EXPECT_EQ(KeepRecordsFrom(0), 0);
    snprintf(ExportPath, sizeof ExportPath, "%s", folder_.File("out.txt").c_str());
    ExportToFile(0, 0, 0);
    EXPECT_EQ(ReadBytes(ExportPath), "Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Minutes\r\n");

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Sheet().c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ((static_cast<int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow, size);
    DeleteFileA(Sheet().c_str());
  }
}
