// The one reader of a sheet's bytes: what it tells apart, the whole records
// it gives in pieces or at once, and the 63-character texts every user reads.
#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <string>

#include "report/totals.h"
#include "store/data_file_read.h"
#include "tests/scratch_files.h"
#include "tests/test_records.h"

static TimeRecord WithTask(size_t letters) {
  TimeRecord record = MakeRecord("", "project", "class", 3600, 7200);
  memset(record.task, 'A', letters);  // 64: no NUL in the field
  return record;
}

TEST(PureDataFileRead, TellsMissingUnreadableAndReadWithWholeRecords) {
  const std::string kLong = RecordBytes(WithTask(63)) + RecordBytes(WithTask(64));
  struct Case {
    const char* name;
    const char* file;  // "" none, "/" a folder
    std::string bytes;
    bool hold;
    DataFileState state;
    size_t records, trailing;  // read one record at a time
  } cases[] = {
      {"missing", "", "", false, kDataFileMissing, 0, 0},
      {"held without sharing", "held.tim", kLong, true, kDataFileUnreadable, 0, 0},
      {"a folder", "/", "", false, kDataFileUnreadable, 0, 0},
      {"a short last record", "short.tim", kLong + std::string(44, 'x'), false, kDataFileRead, 2, 44},
      {"64-byte text without NUL", "long.tim", kLong, false, kDataFileRead, 2, 0},
      {"0 bytes", "empty.tim", "", false, kDataFileRead, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    std::string path = folder.File(c.file[0] == '\0' ? "none.tim" : c.file[0] == '/' ? "folder.tim" : c.file);
    if (c.file[0] == '/') MakeFolder(path);
    else if (c.file[0] != '\0') PutBytes(path, c.bytes);
    std::unique_ptr<HeldWithoutSharing> held(c.hold ? new HeldWithoutSharing(path) : nullptr);
    if (held && !held->Held()) continue;  // no such thing on this system
    DataFileReader whole, pieces;
    DataFileRead read = whole.Open(path.c_str(), kShareForReading);
    EXPECT_EQ(read.state, c.state);
    EXPECT_EQ(read.error != 0, c.state == kDataFileUnreadable);
    if (c.state != kDataFileRead) continue;
    std::string bytes(static_cast<size_t>(whole.Size()), '\0');
    EXPECT_EQ(whole.Read(&bytes[0], bytes.size()), c.bytes.size());
    EXPECT_EQ(bytes, c.bytes);
    ASSERT_EQ(pieces.Open(path.c_str(), kShareWithLogging).state, kDataFileRead);
    unsigned char piece[kRecordSize];
    size_t records = 0;
    while (pieces.NextRecords(piece, sizeof piece) == sizeof piece) ++records;
    EXPECT_TRUE(pieces.AtEnd());
    EXPECT_EQ(records, c.records);
    EXPECT_EQ(pieces.Trailing(), c.trailing);
  }
}

// "AAA...A" (63) and the same with a 64th A and no NUL are one text: one
// row with both records, a key of 63 characters.
TEST(PureDataFileRead, ATextWithoutItsNulIsItsFirst63Characters) {
  std::string bytes = RecordBytes(WithTask(63)) + RecordBytes(WithTask(64));
  TotalsChoice choice;
  choice.period = kPeriodAll;
  choice.by = {kTotalsTask};
  TotalsSheet sheet = {"jobs.tim", reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
  TotalsResult result = ComputeTotals({sheet}, choice);
  ASSERT_EQ(result.rows.size(), 1u);
  EXPECT_EQ(result.rows[0].keys[0], std::string(63, 'A'));
  EXPECT_EQ(result.rows[0].records, 2);
}
