#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "store/description_lists.h"
#include "store/description_text.h"
#include "store/paths.h"
#include "tests/description_bytes.h"
#include "tests/test_files.h"

using namespace description_bytes;

namespace {

// The loaded list as texts, each read as the program reads it.
std::vector<std::string> Loaded(int kind) {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < DescriptionLists[kind].count; ++i)
    texts.push_back(std::string(DescriptionAt(kind, i), DescriptionLength(DescriptionAt(kind, i))));
  return texts;
}

FILETIME LastWrite(const std::string& path) {
  FILETIME written = {0, 0};
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) written = data.ftLastWriteTime;
  return written;
}

class StorageDescriptionLists : public ::testing::Test {
 protected:
  void SetUp() override { Use(folder_.File("hours.des")); }
  void TearDown() override {
    ReleaseDescriptionLists();
    DescriptionsPath[0] = '\0';
  }
  void Use(const std::string& path) {
    path_ = path;
    snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", path.c_str());
  }
  void Merge(const char* task, const char* project, const char* classification) {
    WriteMergedDescriptions(MakeRecord(task, project, classification, 100, 0));
  }
  TempFolder folder_;
  std::string path_;
};

}  // namespace

TEST_F(StorageDescriptionLists, MissingFileOrNoPathLoadsAbsentLists) {
  EXPECT_EQ(LoadDescriptionLists(), 0);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) EXPECT_EQ(DescriptionLists[kind].count, -1);
  DescriptionsPath[0] = '\0';
  EXPECT_EQ(LoadDescriptionLists(), 0);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) EXPECT_EQ(DescriptionLists[kind].count, -1);
}

TEST_F(StorageDescriptionLists, LoadsEachShapeOfFileAsFarAsItGoes) {
  using Lists = std::vector<std::vector<std::string>>;
  struct Case {
    const char* name;
    std::string bytes;
    int32_t counts[kDescriptionKindCount];
    Lists texts;
  } cases[] = {
      {"three zero counts", Count(0) + Count(0) + Count(0), {0, 0, 0}, Lists{{}, {}, {}}},
      {"well formed", Texts({"Design", "Review"}) + Texts({"Alpha"}) + Texts({"Billable", "Admin"}),
       {2, 1, 2}, Lists{{"Design", "Review"}, {"Alpha"}, {"Billable", "Admin"}}},
      {"first count -1", Count(-1) + Texts({"Alpha"}) + Texts({"Billable"}), {-1, 1, 1},
       Lists{{}, {"Alpha"}, {"Billable"}}},
      {"other negative count", Count(-5) + Texts({"Alpha"}) + Count(INT32_MIN), {-1, 1, -1},
       Lists{{}, {"Alpha"}, {}}},
      {"empty file", "", {-1, -1, -1}, Lists{{}, {}, {}}},
      {"cut inside a count", Count(0) + std::string("\x02\x00", 2), {0, -1, -1}, Lists{{}, {}, {}}},
      {"texts missing at the end", Count(3) + Text("Design"), {3, -1, -1},
       Lists{{"Design", "", ""}, {}, {}}},
      {"text cut inside", Texts({"Design"}) + Count(2) + Text("Alpha") + "Be", {1, 2, -1},
       Lists{{"Design"}, {"Alpha", "Be"}, {}}},
      {"count 0x7FFFFFFF", Count(0x7FFFFFFF) + Texts({"Alpha"}) + Texts({"Billable"}), {-1, -1, -1},
       Lists{{}, {}, {}}},
      {"count 0x40000000 after a good list", Texts({"Design"}) + Count(0x40000000) + Texts({"B"}),
       {1, -1, -1}, Lists{{"Design"}, {}, {}}},
      {"count 0xFFFFFFFE", Count(-2) + Texts({"Alpha"}) + Texts({"Billable"}), {-1, 1, 1},
       Lists{{}, {"Alpha"}, {"Billable"}}},
      {"64-byte text without NUL", Count(1) + std::string(64, 'w') + Count(0) + Count(0), {1, 0, 0},
       Lists{{std::string(63, 'w')}, {}, {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path_, c.bytes);
    EXPECT_EQ(LoadDescriptionLists(), 1);
    for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
      EXPECT_EQ(DescriptionLists[kind].count, c.counts[kind]) << "list " << kind;
      EXPECT_EQ(DescriptionLists[kind].block != NULL, c.counts[kind] > 0) << "list " << kind;
      EXPECT_EQ(Loaded(kind), c.texts[kind]) << "list " << kind;
    }
    ReleaseDescriptionLists();
  }
}

TEST_F(StorageDescriptionLists, ReleaseLeavesNothingAndMayBeRepeated) {
  WriteBytes(path_, Texts({"Design"}) + Texts({"Alpha"}) + Texts({"Billable"}));
  ASSERT_EQ(LoadDescriptionLists(), 1);
  ASSERT_EQ(LoadDescriptionLists(), 1);  // a second load replaces the first
  for (int round = 0; round < 2; ++round) {
    ReleaseDescriptionLists();
    for (const DescriptionList& list : DescriptionLists) {
      EXPECT_EQ(list.count, -1);
      EXPECT_EQ(list.block, nullptr);
      EXPECT_EQ(list.texts, nullptr);
    }
  }
}

TEST_F(StorageDescriptionLists, FileHeldOpenElsewhereLoadsAsUnreadable) {
  WriteBytes(path_, Texts({"Design"}) + Texts({"Alpha"}) + Texts({"Billable"}));
  HeldFile held(path_);
  ASSERT_TRUE(held.Held());
  EXPECT_EQ(LoadDescriptionLists(), -1);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) EXPECT_EQ(DescriptionLists[kind].count, -1);
}

TEST_F(StorageDescriptionLists, MergeIntoMissingFileWritesThreeListsOfOne) {
  Merge("Design", "Hourwright", "Billable");
  std::string bytes = ReadBytes(path_);
  EXPECT_EQ(bytes.size(), 204u);
  EXPECT_EQ(bytes, Texts({"Design"}) + Texts({"Hourwright"}) + Texts({"Billable"}));
  EXPECT_EQ(FolderListing(folder_.Path()), "hours.des;");
}

TEST_F(StorageDescriptionLists, MergeOfKnownTaskAndNewProjectAppendsOnlyTheProject) {
  // Junk after a NUL is carried over byte for byte.
  std::string tasks = Count(2) + Text("Design") + std::string("Review\0old", 10) + std::string(54, 'j');
  std::string classes = Texts({"Billable", "Admin"});
  WriteBytes(path_, tasks + Texts({"Alpha"}) + classes);
  Merge("review", "Beta", "ADMIN");
  EXPECT_EQ(ReadBytes(path_), tasks + Texts({"Alpha", "Beta"}) + classes);
}

TEST_F(StorageDescriptionLists, MergeOfCaseOnlyDifferencesLeavesTheFileUntouched) {
  std::string bytes = Texts({"Design", "Review"}) + Texts({"Alpha"}) + Texts({"Billable"});
  WriteBytes(path_, bytes);
  FILETIME old = {12345678, 30000000};  // far in the past, so any rewrite shows
  HANDLE file = CreateFileA(path_.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, NULL, NULL, &old);
  CloseHandle(file);
  Merge("REVIEW", "alpha", "bILLABLE");
  EXPECT_EQ(ReadBytes(path_), bytes);
  FILETIME now = LastWrite(path_);
  EXPECT_EQ(now.dwLowDateTime, old.dwLowDateTime);
  EXPECT_EQ(now.dwHighDateTime, old.dwHighDateTime);
}

TEST_F(StorageDescriptionLists, MergeWritesAbsentListsBackAsOneText) {
  struct Case {
    std::string before;
    std::string after;
  } cases[] = {
      {Count(-1) + Texts({"Alpha"}) + Texts({"Billable"}),
       Texts({"Design"}) + Texts({"Alpha"}) + Texts({"Billable"})},
      {Texts({"Design"}) + Count(-1) + Count(-1),
       Texts({"Design"}) + Texts({"Alpha"}) + Texts({"Billable"})},
      {Count(0) + Count(0) + Count(0), Texts({"Design"}) + Texts({"Alpha"}) + Texts({"Billable"})},
      {Texts({"Design"}), Texts({"Design"}) + Texts({"Alpha"}) + Texts({"Billable"})},
      // A damaged count reads as an absent list, and the lists behind it are
      // lost to the load: the file is left as it is rather than cut down.
      {Count(0x7FFFFFFF) + Texts({"X"}), Count(0x7FFFFFFF) + Texts({"X"})},
      // A cut list keeps its count; the texts it lacked are written as empty ones.
      {Count(2) + Text("Design"),
       Count(2) + Text("Design") + Text("") + Texts({"Alpha"}) + Texts({"Billable"})},
  };
  for (const Case& c : cases) {
    WriteBytes(path_, c.before);
    Merge("Design", "Alpha", "Billable");
    EXPECT_EQ(ReadBytes(path_), c.after);
  }
}

TEST_F(StorageDescriptionLists, MergeAppendsToAListNearTheToleratedShortfall) {
  // The file says 4000 texts but holds one: the rest load as empty texts.
  WriteBytes(path_, Count(4000) + Text("Design"));
  ASSERT_EQ(LoadDescriptionLists(), 1);
  EXPECT_EQ(DescriptionLists[kTaskList].count, 4000);
  ReleaseDescriptionLists();
  Merge("Design", "Alpha", "Billable");
  EXPECT_EQ(ReadBytes(path_).size(), 12u + 64u * (4000 + 2));
}

TEST_F(StorageDescriptionLists, FailedRewritesLeaveTheOldFileExactly) {
  std::string bytes = Texts({"Design"}) + Texts({"Alpha"}) + Texts({"Billable"});
  WriteBytes(path_, bytes);
  {
    HeldFile held(path_);
    ASSERT_TRUE(held.Held());
    Merge("New task", "New project", "New class");
  }
  EXPECT_EQ(ReadBytes(path_), bytes);
  EXPECT_EQ(FolderListing(folder_.Path()), "hours.des;");
}

TEST_F(StorageDescriptionLists, FileThatCannotBeReadIsNeverRewritten) {
  // Too big to take into memory (a sparse file of over 2 GiB), the file loads
  // as unreadable but could still be replaced: a rewrite would drop every list.
  std::string head = Texts({"Design", "Review"}) + Texts({"Alpha"}) + Texts({"Billable"});
  WriteBytes(path_, head);
  HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = 0x80000000LL + 64;
  ASSERT_TRUE(SetFilePointerEx(file, end, NULL, FILE_BEGIN) && SetEndOfFile(file));
  CloseHandle(file);

  EXPECT_EQ(LoadDescriptionLists(), -1);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) EXPECT_EQ(DescriptionLists[kind].count, -1);
  Merge("New task", "New project", "New class");
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  EXPECT_EQ(data.nFileSizeLow, 0x80000000u + 64);
  EXPECT_EQ(FolderListing(folder_.Path()), "hours.des;");
}

TEST_F(StorageDescriptionLists, MergeWithNoWhereToWriteDoesNothing) {
  Use(folder_.File("missing\\hours.des"));
  Merge("Design", "Alpha", "Billable");
  EXPECT_FALSE(FileExists(path_));
  EXPECT_EQ(FolderListing(folder_.Path()), "");
  DescriptionsPath[0] = '\0';
  Merge("Design", "Alpha", "Billable");
  EXPECT_EQ(FolderListing(folder_.Path()), "");
}

TEST_F(StorageDescriptionLists, FullDiskLeavesTheOldFileExactly) {
  std::string disk = FullDiskFolder();
  if (disk.empty()) GTEST_SKIP() << "no small full-disk folder mounted (HOURWRIGHT_FULL_DISK_DIR)";
  Use(disk + "\\lists.des");
  std::string filler = disk + "\\filler.bin";
  std::vector<std::string> tasks;
  for (int i = 0; i < 20; ++i) tasks.push_back("Task " + std::to_string(i));
  std::string bytes = Texts(tasks) + Texts({"Alpha"}) + Texts({"Billable"});
  WriteBytes(path_, bytes);
  ASSERT_EQ(ReadBytes(path_), bytes);
  // Fill what is left of the disk.
  HANDLE fill = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(fill, INVALID_HANDLE_VALUE);
  std::string block(4096, 'f');
  DWORD written = 0;
  while (WriteFile(fill, block.data(), static_cast<DWORD>(block.size()), &written, NULL) &&
         written == block.size()) {
  }
  for (DWORD one = 1; one == 1;) {
    if (!WriteFile(fill, "f", 1, &one, NULL)) break;
  }
  CloseHandle(fill);

  Merge("New task", "Alpha", "Billable");
  std::string after = ReadBytes(path_);
  std::string listing = FolderListing(disk);
  DeleteFileA(filler.c_str());
  // With room again, the same merge goes through.
  Merge("New task", "Alpha", "Billable");
  std::string retried = ReadBytes(path_);
  DeleteFileA(path_.c_str());
  EXPECT_EQ(after, bytes);
  EXPECT_EQ(listing, "filler.bin;lists.des;");
  tasks.push_back("New task");
  EXPECT_EQ(retried, Texts(tasks) + Texts({"Alpha"}) + Texts({"Billable"}));
}
