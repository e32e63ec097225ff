#include <gtest/gtest.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "editors/lists_outcome.h"
#include "resources/resource.h"
#include "store/description_lists.h"
#include "store/description_maintenance.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/description_bytes.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"

using namespace description_bytes;

namespace {

using Strings = std::vector<std::string>;

FILETIME LastWrite(const std::string& path) {
  FILETIME written = {0, 0};
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) written = data.ftLastWriteTime;
  return written;
}

// Dates the file far back, so any rewrite shows in its time stamp.
void Age(const std::string& path) {
  FILETIME old = {12345678, 30000000};
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, NULL, NULL, &old);
  CloseHandle(file);
}

bool Aged(const std::string& path) {
  FILETIME now = LastWrite(path);
  return now.dwLowDateTime == 12345678 && now.dwHighDateTime == 30000000;
}

std::string Sheet(const std::vector<TimeRecord>& records) {
  std::string bytes;
  for (const TimeRecord& record : records) bytes += RecordBytes(record);
  return bytes;
}

std::string Unwritten(const std::string& path) {
  return "Unable To Write Description Lists " + path + "\nThe lists are left as they were.";
}

std::string Damaged(const std::string& path) {
  return "Description Lists " + path +
         " are damaged\nThe lists are left as they were; rebuilding all entries from the time "
         "records replaces them.";
}

// A descriptions file whose first count asks for 65,536 texts it does not
// hold: it loads as three absent lists, though one task, two projects and
// one classification follow.
const std::string kDamaged = Count(0x10000) + Texts({"Design"}) + Texts({"Web", "App"}) + Texts({"Billable"});

const std::string kLists = Texts({"Design", "Review"}) + Texts({"Alpha", "Beta"}) + Texts({"Billable"});

// One operation of the editor, as each failure test meets it.
struct Operation {
  const char* name;
  std::function<DescriptionListsOutcome()> run;
};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"add", [] { return AddOrReplaceDescription(kTaskList, "Testing"); }},
      {"replace", [] { return AddOrReplaceDescription(kProjectList, "Gamma", "Alpha"); }},
      {"remove", [] { return RemoveDescription(kTaskList, "Review"); }},
      {"rebuild", [] { return RebuildDescriptionLists(false); }},
      {"rebuild keeping", [] { return RebuildDescriptionLists(true); }},
  };
  return operations;
}

class StorageDescriptionMaintenance : public testing::Test {
 protected:
  void SetUp() override {
    Use(folder_.File("hours.des"));
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", folder_.File("hours.tim").c_str());
  }
  void TearDown() override {
    EXPECT_EQ(DescriptionLists[kTaskList].count, -1) << "the lists were left loaded";
    EXPECT_EQ(TimeSheet.count, -1) << "the time sheet was left loaded";
    ReleaseDescriptionLists();
    ReleaseTimeSheet();
    DescriptionsPath[0] = '\0';
    TimeSheetPath[0] = '\0';
  }
  void Use(const std::string& path) {
    path_ = path;
    snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", path.c_str());
  }
  void Records(const std::vector<TimeRecord>& records) { WriteBytes(TimeSheetPath, Sheet(records)); }
  // Runs `operation`; exactly these error boxes must come up, in order.
  static void Expect(const Strings& messages, const std::function<DescriptionListsOutcome()>& operation) {
    ScriptedUser user;
    for (const std::string& message : messages) user.AnswerBox("Hourwright", message, IDOK, BoxIcon::kError);
    ShowListsOutcome(operation());
    user.RunUntilDone();
  }
  std::string Bytes() const { return ReadBytes(path_); }

  TempFolder folder_;
  std::string path_;
};

}  // namespace

TEST_F(StorageDescriptionMaintenance, AddAndReplaceWriteTheseBytes) {
  struct Case {
    const char* name;
    std::string before;  // "-" for no file
    std::function<DescriptionListsOutcome()> run;
    Strings messages;
    std::string after;
  } cases[] = {
      {"duplicate in other case refused", kLists, [] { return AddOrReplaceDescription(kTaskList, "REVIEW"); },
       {"REVIEW\n already found in Task list"}, kLists},
      {"add to a missing file", "-", [] { return AddOrReplaceDescription(kTaskList, "Design"); }, {},
       Texts({"Design"}) + Count(-1) + Count(-1)},
      {"replace by itself refused", kLists,
       [] { return AddOrReplaceDescription(kProjectList, "alpha", "Alpha"); },
       {"alpha\n already found in Project list"}, kLists},
      {"replace moves to the end", kLists,
       [] { return AddOrReplaceDescription(kProjectList, "Gamma", "Alpha"); }, {},
       Texts({"Design", "Review"}) + Texts({"Beta", "Gamma"}) + Texts({"Billable"})},
      {"empty text accepted", kLists, [] { return AddOrReplaceDescription(kClassificationList, ""); }, {},
       Texts({"Design", "Review"}) + Texts({"Alpha", "Beta"}) + Texts({"Billable", ""})},
      {"empty text refused the second time",
       Texts({"Design", "Review"}) + Texts({"Alpha", "Beta"}) + Texts({"Billable", ""}),
       [] { return AddOrReplaceDescription(kClassificationList, ""); },
       {"\n already found in Classification list"},
       Texts({"Design", "Review"}) + Texts({"Alpha", "Beta"}) + Texts({"Billable", ""})},
      {"other lists keep -1 and 0", Count(-1) + Count(0) + Texts({"Billable"}),
       [] { return AddOrReplaceDescription(kClassificationList, "Admin"); }, {},
       Count(-1) + Count(0) + Texts({"Billable", "Admin"})},
      {"no such kind", kLists, [] { return AddOrReplaceDescription(3, "Design"); }, {}, kLists},
      {"no such kind below", kLists, [] { return AddOrReplaceDescription(-1, "Design"); }, {}, kLists},
      {"replace of a text gone appends", kLists,
       [] { return AddOrReplaceDescription(kProjectList, "Gamma", "Omega"); }, {},
       Texts({"Design", "Review"}) + Texts({"Alpha", "Beta", "Gamma"}) + Texts({"Billable"})},
      {"replace into an absent list", Count(-1) + Count(-1) + Texts({"C"}),
       [] { return AddOrReplaceDescription(kTaskList, "New", "Old"); }, {},
       Texts({"New"}) + Count(-1) + Texts({"C"})},
      // Bytes after the third list are no damage; the next rewrite drops them.
      {"bytes after the lists", kLists + "junk", [] { return AddOrReplaceDescription(kTaskList, "X"); }, {},
       Texts({"Design", "Review", "X"}) + Texts({"Alpha", "Beta"}) + Texts({"Billable"})},
      {"new text cut to 63", kLists,
       [] { return AddOrReplaceDescription(kClassificationList, std::string(70, 'x').c_str()); }, {},
       Texts({"Design", "Review"}) + Texts({"Alpha", "Beta"}) + Texts({"Billable", std::string(63, 'x')})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(path_.c_str());
    if (c.before != "-") WriteBytes(path_, c.before);
    Expect(c.messages, c.run);
    EXPECT_EQ(Bytes(), c.after);
    EXPECT_EQ(FolderListing(folder_.Path()), "hours.des;");
  }
}

TEST_F(StorageDescriptionMaintenance, AddToAMissingFileGives76Bytes) {
  Expect({}, [] { return AddOrReplaceDescription(kProjectList, "Alpha"); });
  EXPECT_EQ(Bytes(), Count(-1) + Texts({"Alpha"}) + Count(-1));
  EXPECT_EQ(Bytes().size(), 76u);
}

TEST_F(StorageDescriptionMaintenance, RemoveWritesOnlyWhenTheTextIsThere) {
  WriteBytes(path_, kLists);
  Age(path_);
  Expect({}, [] { return RemoveDescription(kTaskList, "Testing"); });
  Expect({}, [] { return RemoveDescription(3, "Design"); });
  EXPECT_EQ(Bytes(), kLists);
  EXPECT_TRUE(Aged(path_)) << "a remove that found nothing rewrote the file";

  Expect({}, [] { return RemoveDescription(kTaskList, "design"); });
  EXPECT_EQ(Bytes(), Texts({"Review"}) + Texts({"Alpha", "Beta"}) + Texts({"Billable"}));
  Expect({}, [] { return RemoveDescription(kClassificationList, "BILLABLE"); });
  EXPECT_EQ(Bytes(), Texts({"Review"}) + Texts({"Alpha", "Beta"}) + Count(0));
  // Entries that differ only in case (no writer makes them) all go.
  WriteBytes(path_, Count(-1) + Texts({"x", "Y", "X"}) + Count(0));
  Expect({}, [] { return RemoveDescription(kProjectList, "x"); });
  Expect({}, [] { return RemoveDescription(kTaskList, "x"); });
  EXPECT_EQ(Bytes(), Count(-1) + Texts({"Y"}) + Count(0));
  EXPECT_EQ(FolderListing(folder_.Path()), "hours.des;");
}

TEST_F(StorageDescriptionMaintenance, RebuildTakesEveryRecordInOrder) {
  WriteBytes(path_, kLists);
  Records({MakeRecord("A", "P", "C", 100, 160), MakeRecord("B", "p", "C", 200, 260),
           MakeRecord("a", "Q", "c", 300, 0)});  // the open record counts too
  Expect({}, [] { return RebuildDescriptionLists(false); });
  EXPECT_EQ(Bytes(), Texts({"A", "B"}) + Texts({"P", "Q"}) + Texts({"C"}));

  WriteBytes(path_, kLists);
  Expect({}, [] { return RebuildDescriptionLists(true); });
  EXPECT_EQ(Bytes(), Texts({"Design", "Review", "A", "B"}) + Texts({"Alpha", "Beta", "P", "Q"}) +
                         Texts({"Billable", "C"}));
  EXPECT_EQ(FolderListing(folder_.Path()), "hours.des;hours.tim;");
}

TEST_F(StorageDescriptionMaintenance, RebuildWithNothingNewOrNoRecordsLeavesTheFile) {
  struct Case {
    const char* name;
    std::string sheet;  // "-" for no time sheet
    bool keep;
  } cases[] = {
      {"keeping, nothing new", Sheet({MakeRecord("review", "BETA", "billable", 100, 160)}), true},
      {"missing time sheet", "-", false},
      {"missing time sheet, keeping", "-", true},
      {"empty time sheet", "", false},
      {"piece shorter than a record", std::string(200, 'x'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(TimeSheetPath);
    if (c.sheet != "-") WriteBytes(TimeSheetPath, c.sheet);
    WriteBytes(path_, kLists);
    Age(path_);
    Expect({}, [&c] { return RebuildDescriptionLists(c.keep); });
    EXPECT_EQ(Bytes(), kLists);
    EXPECT_TRUE(Aged(path_));
  }
  // A time sheet another program holds cannot be read: that is said.
  Records({MakeRecord("New", "New", "New", 100, 160)});
  HeldFile held(TimeSheetPath);
  ASSERT_TRUE(held.Held());
  Expect({std::string("Unable To Read Time Sheet ") + TimeSheetPath}, [] { return RebuildDescriptionLists(false); });
  EXPECT_EQ(Bytes(), kLists);
}

TEST_F(StorageDescriptionMaintenance, HeldFileIsNamedAndLeftExactly) {
  Records({MakeRecord("New task", "New project", "New class", 100, 160)});
  for (const Operation& operation : Operations()) {
    SCOPED_TRACE(operation.name);
    WriteBytes(path_, kLists);
    {
      HeldFile held(path_);
      ASSERT_TRUE(held.Held());
      Expect({Unwritten(path_)}, operation.run);
    }
    EXPECT_EQ(Bytes(), kLists);
    EXPECT_EQ(FolderListing(folder_.Path()), "hours.des;hours.tim;");
  }
}

TEST_F(StorageDescriptionMaintenance, MissingFolderIsNamed) {
  Records({MakeRecord("New task", "New project", "New class", 100, 160)});
  Use(folder_.File("gone\\hours.des"));
  for (const Operation& operation : Operations()) {
    SCOPED_TRACE(operation.name);
    // Remove finds nothing in a missing file, so it has nothing to write.
    Strings messages;
    if (std::string(operation.name) != "remove") messages.push_back(Unwritten(path_));
    Expect(messages, operation.run);
    EXPECT_FALSE(FileExists(path_));
  }
}

TEST_F(StorageDescriptionMaintenance, DamagedFileIsNeverRewrittenFromWhatWasRead) {
  ASSERT_EQ(kDamaged.size(), 272u);
  Records({MakeRecord("New task", "New project", "New class", 100, 160)});
  for (const Operation& operation : Operations()) {
    if (std::string(operation.name) == "rebuild") continue;
    SCOPED_TRACE(operation.name);
    WriteBytes(path_, kDamaged);
    Expect({Damaged(path_)}, operation.run);
    EXPECT_EQ(Bytes(), kDamaged);
  }
  // What could be read still refuses a duplicate with its own message.
  std::string cut = Texts({"Design"}) + Count(0x7FFFFFFF) + Texts({"Web"});
  WriteBytes(path_, cut);
  Expect({"DESIGN\n already found in Task list"}, [] { return AddOrReplaceDescription(kTaskList, "DESIGN"); });
  EXPECT_EQ(Bytes(), cut);
  // The merge at a task's start writes nothing either.
  WriteBytes(path_, kDamaged);
  WriteMergedDescriptions(MakeRecord("New task", "New project", "New class", 100, 0));
  EXPECT_EQ(Bytes(), kDamaged);
  // Rebuilding without keeping does not read the file: it is how it is repaired.
  Expect({}, [] { return RebuildDescriptionLists(false); });
  EXPECT_EQ(Bytes(), Texts({"New task"}) + Texts({"New project"}) + Texts({"New class"}));
}

namespace {

// A folder of its own on the small full disk, and a filler that takes the
// rest of the disk.
class FullDisk {
 public:
  FullDisk() {
    std::string disk = FullDiskFolder();
    if (disk.empty()) return;
    static unsigned counter = 0;
    path_ = disk + "\\lists-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), NULL);
  }
  ~FullDisk() {
    if (path_.empty()) return;
    std::string names = FolderListing(path_);
    for (size_t start = 0, end; (end = names.find(';', start)) != std::string::npos; start = end + 1)
      DeleteFileA(File(names.substr(start, end - start)).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
  bool Present() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }
  // Fills the disk, then gives `room` bytes back.
  void Fill(DWORD room) {
    HANDLE file = CreateFileA(File("filler").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<char> chunk(4096, 'f');
    DWORD written = 0, total = 0;
    while (WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, NULL) && written > 0)
      total += written;
    if (room > 0 && room < total) {
      SetFilePointer(file, static_cast<LONG>(total - room), NULL, FILE_BEGIN);
      SetEndOfFile(file);
    }
    CloseHandle(file);
  }
  void Empty() { DeleteFileA(File("filler").c_str()); }

 private:
  std::string path_;
};

}  // namespace

TEST_F(StorageDescriptionMaintenance, FullDiskIsNamedAndLeavesTheFileExactly) {
  FullDisk disk;
  if (!disk.Present()) GTEST_SKIP() << "no small full-disk folder mounted (HOURWRIGHT_FULL_DISK_DIR)";
  Records({MakeRecord("New task", "New project", "New class", 100, 160)});
  Use(disk.File("lists.des"));
  for (const Operation& operation : Operations()) {
    SCOPED_TRACE(operation.name);
    WriteBytes(path_, kLists);
    ASSERT_EQ(Bytes(), kLists);
    disk.Fill(0);
    Expect({Unwritten(path_)}, operation.run);
    std::string after = Bytes();
    disk.Empty();
    EXPECT_EQ(after, kLists);
    EXPECT_EQ(FolderListing(disk.Path()), "lists.des;");
  }
}

TEST_F(StorageDescriptionMaintenance, RebuildCutShortByAFullDiskKeepsWhatEarlierRecordsGave) {
  FullDisk disk;
  if (!disk.Present()) GTEST_SKIP() << "no small full-disk folder mounted (HOURWRIGHT_FULL_DISK_DIR)";
  // Every record brings one new task; the finished file needs about 19 KiB.
  std::vector<TimeRecord> records;
  Strings tasks;
  for (int i = 0; i < 300; ++i) {
    tasks.push_back("Task number " + std::to_string(i));
    records.push_back(MakeRecord(tasks.back().c_str(), "Project", "Class", 100 + i, 160 + i));
  }
  Records(records);
  Use(disk.File("lists.des"));
  disk.Fill(12 * 1024);
  ScriptedUser user;
  std::string shown;
  user.OnDialog("Hourwright", [&shown](HWND box) {
    shown = MessageBoxText(box);
    PressButton(box, IDOK);
    return true;
  });
  ShowListsOutcome(RebuildDescriptionLists(false));
  user.RunUntilDone();
  std::string after = Bytes();
  disk.Empty();

  // The file holds the lists of the first n records exactly, as the rewrite
  // after record n left it, and the message says how far it got.
  ASSERT_GE(after.size(), 12u + 3 * 64);
  int32_t n = 0;
  memcpy(&n, after.data(), 4);
  ASSERT_GT(n, 0);
  ASSERT_LT(n, 300);
  EXPECT_EQ(after, Texts(Strings(tasks.begin(), tasks.begin() + n)) + Texts({"Project"}) + Texts({"Class"}));
  EXPECT_EQ(shown, "Unable To Write Description Lists " + path_ + "\nThe lists hold the descriptions of the first " +
                       std::to_string(n) + " time records only.");
}
