// The one reader of a sheet's bytes: what it tells apart, the whole records
// it gives in pieces or at once, and the 63-character texts every user reads.
#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <string>

#include "report/totals.h"
#include "store/data_file_read.h"
#include "store/description_text.h"
#include "tests/scratch_files.h"
#include "tests/test_records.h"

namespace {
TimeRecord WithTask(char letter, size_t length) {
  TimeRecord record = MakeRecord("", "project", "class", 3600, 7200);
  memset(record.task, letter, length);  // 64: no NUL in the field
  return record;
}

// The records and trailing bytes the reader gives one record at a time.
void Stream(const std::string& path, size_t* records, size_t* trailing) {
  DataFileReader reader;
  ASSERT_EQ(reader.Open(path.c_str(), kShareWithLogging).state, kDataFileRead);
  unsigned char piece[kRecordSize];
  *records = 0;
  while (reader.NextRecords(piece, sizeof piece) == sizeof piece) ++*records;
  EXPECT_TRUE(reader.AtEnd());
  *trailing = reader.Trailing();
}
}  // namespace

TEST(PureDataFileRead, TellsMissingUnreadableAndReadWithWholeRecords) {
  const std::string kLong = RecordBytes(WithTask('A', 63)) + RecordBytes(WithTask('A', 64));
  struct Case {
    const char* name;
    const char* file;  // "" none, "/" a folder
    std::string bytes;
    bool hold;
    DataFileState state;
    size_t records, trailing;
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
    std::string path = folder.File(c.file[0] == '/' ? "folder.tim" : c.file[0] ? c.file : "none.tim");
    if (c.file[0] == '/') MakeFolder(path);
    else if (c.file[0] != '\0') PutBytes(path, c.bytes);
    std::unique_ptr<HeldWithoutSharing> held(c.hold ? new HeldWithoutSharing(path) : nullptr);
    if (held && !held->Held()) continue;  // no such thing on this system

    DataFileReader reader;
    DataFileRead read = reader.Open(path.c_str(), kShareForReading);
    EXPECT_EQ(read.state, c.state);
    EXPECT_EQ(read.error != 0, c.state == kDataFileUnreadable);
    if (c.state != kDataFileRead) continue;
    std::string whole(static_cast<size_t>(reader.Size()), '\0');
    EXPECT_EQ(reader.Read(&whole[0], whole.size()), c.bytes.size());
    EXPECT_EQ(whole, c.bytes);
    size_t records = 0, trailing = 0;
    Stream(path, &records, &trailing);
    EXPECT_EQ(records, c.records);
    EXPECT_EQ(trailing, c.trailing);
  }
}

// "AAA...A" (63) and the same with a 64th A and no NUL are one text: one
// row with both records, a key of 63 characters.
TEST(PureDataFileRead, ATextWithoutItsNulIsItsFirst63Characters) {
  TimeRecord longest = WithTask('A', 64);
  EXPECT_EQ(DescriptionLength(longest.task), 63u);
  std::string bytes = RecordBytes(WithTask('A', 63)) + RecordBytes(longest);
  TotalsChoice choice;
  choice.period = kPeriodAll;
  choice.by = {kTotalsTask};
  TotalsSheet sheet = {"jobs.tim", reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
  TotalsResult result = ComputeTotals({sheet}, choice);
  ASSERT_EQ(result.rows.size(), 1u);
  EXPECT_EQ(result.rows[0].keys[0], std::string(63, 'A'));
  EXPECT_EQ(result.rows[0].records, 2);
}
