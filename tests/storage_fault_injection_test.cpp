#include <gtest/gtest.h>
#include <ctype.h>
#include <stdio.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "editors/lists_outcome.h"
#include "export/export_writers.h"
#include "store/current_task.h"
#include "store/description_lists.h"
#include "store/description_maintenance.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/description_bytes.h"
#include "tests/full_disk_place.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"
#include "tests/time_sheet_fixture.h"

// Every writer against every fault: the result, the message the user sees,
// and the bytes of the file it meant to replace. A new writer is one row of
// kWriters; a new fault one row of kFaults.
namespace {
enum Target { kSheet, kDescriptions, kExport };

std::string DescriptionFile(const std::vector<std::vector<std::string>>& lists) {
  std::string bytes;
  for (const std::vector<std::string>& list : lists) bytes += description_bytes::Texts(list);
  return bytes;
}

struct Writer {
  const char* name;
  Target target;
  bool loadsFirst;     // works on a sheet its caller loaded
  int failedResult;    // what it returns when nothing could be written (0 for none)
  const char* openMessage;   // shown when the file cannot be created ("" none)
  const char* writeMessage;  // shown when the disk fills up ("" none)
  int (*run)();
  std::string (*written)();  // the bytes it writes when it succeeds
  bool quietWhenMissing = false;  // a missing file holds nothing for it to do: no message
};

const std::string kOriginalSheet = Bytes({Closed(100), Closed(200), Closed(300)});
const std::string kOriginalDescriptions = DescriptionFile({{"alpha"}, {"acme"}, {"billable"}});
const std::string kOriginalExport = "an earlier export\r\n";
const TimeRecord kNewRecord = MakeRecord("beta", "acme", "billable", 250, 310);
const TimeRecord kLaterRecord = MakeRecord("beta", "acme", "billable", 400, 460);

// The pick-list operations tell of a failed write themselves, naming the file.
const char kListsUnwritten[] = "Unable To Write Description Lists %s\nThe lists are left as they were.";
const std::string kListsAdded = DescriptionFile({{"alpha", "beta"}, {"acme"}, {"billable"}});
const std::string kListsReplaced = DescriptionFile({{"alpha"}, {"acme"}, {"fixed"}});
const std::string kListsRemoved = DescriptionFile({{"alpha"}, {}, {"billable"}});
const std::string kListsRebuilt = DescriptionFile({{"task"}, {"project"}, {"class"}});
const std::string kListsRebuiltKeeping =
    DescriptionFile({{"alpha", "task"}, {"acme", "project"}, {"billable", "class"}});

// What the list operations return in place of a result: 1 when the file holds `bytes`.
int ListsHold(const std::string& bytes) { return ReadBytes(DescriptionsPath) == bytes ? 1 : 0; }

// The editors' writers while a task runs: the loaded sheet's last record is open.
void OpenLastRecord() {
  if (TimeSheet.count > 2) TimeSheet.records[2] = Open(300);
}

const Writer kWriters[] = {
    {"append", kSheet, false, 0, "", "",
     [] { CurrentRecord = Open(400); return SaveTimeSheet(kSaveAppend); },
     [] { return kOriginalSheet + Bytes({Open(400)}); }},
    {"away split", kSheet, false, 0, "", "", [] { return SaveTaskSplit(Closed(400), Open(500)); },
     [] { return kOriginalSheet + Bytes({Closed(400), Open(500)}); }},
    {"as-edited save", kSheet, true, 0, "", "",
     [] {
       if (TimeSheet.count > 1) TimeSheet.records[1] = Closed(222);
       return SaveTimeSheet(kSaveAsEdited);
     },
     [] { return Bytes({Closed(100), Closed(222), Closed(300)}); }},
    {"insert", kSheet, true, 0, "", "",
     [] { InsertRecordByStart(kNewRecord); return TimeSheet.count < 0 ? 1 : 0; },
     [] { return Bytes({Closed(100), Closed(200), kNewRecord, Closed(300)}); }},
    {"delete", kSheet, true, 0, "", "",
     [] { DeleteRecordAt(1); return TimeSheet.count < 0 ? 1 : 0; },
     [] { return Bytes({Closed(100), Closed(300)}); }},
    {"keep-from", kSheet, true, 0, "", "", [] { return KeepRecordsFrom(200); },
     [] { return Bytes({Closed(200), Closed(300)}); }},
    {"as-edited save keeping the task", kSheet, true, 0, "", "",
     [] { OpenLastRecord(); return SaveEditedKeepingTask(); },
     [] { return Bytes({Closed(100), Closed(200), Open(300)}); }},
    {"insert before the task", kSheet, true, 0, "", "",
     [] { OpenLastRecord(); return InsertRecordBeforeTask(kLaterRecord); },
     [] { return Bytes({Closed(100), Closed(200), kLaterRecord, Open(300)}); }},
    {"keep-from keeping the task", kSheet, true, 0, "", "",
     [] { OpenLastRecord(); return KeepRecordsFromKeepingTask(350); },
     [] { return Bytes({Open(300)}); }},
    {"list add", kDescriptions, false, 0, kListsUnwritten, kListsUnwritten,
     [] { ShowListsOutcome(AddOrReplaceDescription(kTaskList, "beta")); return ListsHold(kListsAdded); },
     [] { return kListsAdded; }},
    {"list replace", kDescriptions, false, 0, kListsUnwritten, kListsUnwritten,
     [] {
       ShowListsOutcome(AddOrReplaceDescription(kClassificationList, "fixed", "billable"));
       return ListsHold(kListsReplaced);
     },
     [] { return kListsReplaced; }},
    {"list remove", kDescriptions, false, 0, kListsUnwritten, kListsUnwritten,
     [] { ShowListsOutcome(RemoveDescription(kProjectList, "ACME")); return ListsHold(kListsRemoved); },
     [] { return kListsRemoved; }, true},
    {"list rebuild", kDescriptions, false, 0, kListsUnwritten, kListsUnwritten,
     [] { ShowListsOutcome(RebuildDescriptionLists(false)); return ListsHold(kListsRebuilt); },
     [] { return kListsRebuilt; }},
    {"list rebuild keeping entries", kDescriptions, false, 0, kListsUnwritten, kListsUnwritten,
     [] { ShowListsOutcome(RebuildDescriptionLists(true)); return ListsHold(kListsRebuiltKeeping); },
     [] { return kListsRebuiltKeeping; }},
    {"descriptions merge", kDescriptions, false, 0, "", "",
     [] {
       WriteMergedDescriptions(kNewRecord);
       return LoadDescriptionLists() == 1 && DescriptionLists[kTaskList].count == 2 ? 1 : 0;
     },
     [] { return DescriptionFile({{"alpha", "beta"}, {"acme"}, {"billable"}}); }},
    {"export file", kExport, false, 1, "Unable To Open File", "Unable To Write File",
     [] { ExportToFile(0, 0, 0); return 1; },
     [] {
       return std::string("Start Time\tEnd Time\tTask\tProject\tCLASS\tElapsed Time in Minutes\r\n") +
              "0:00:00 am 0/0/0\t0:00:00 am 0/0/0\ttask\tproject\tclass\t1.00\r\n" +
              "0:00:00 am 0/0/0\t0:00:00 am 0/0/0\ttask\tproject\tclass\t1.00\r\n" +
              "0:00:00 am 0/0/0\t0:00:00 am 0/0/0\ttask\tproject\tclass\t1.00\r\n";
     }},
};

// kWholeOldOrNew: a full disk may still hold a write that fits the file's
// last block; then the new bytes are whole, otherwise the old ones are.
enum Outcome { kFails, kWholeOldOrNew, kSucceeds, kLeavesOriginal };

// Where the files go and what is done to them before the writer runs.
enum FaultKind { kFullDisk, kHeld, kMissingFolder, kLongPath };
struct Fault {
  const char* name;
  FaultKind kind;
  Outcome outcome;
  bool message;  // whether a writer that reports failures shows its message
};
const Fault kFaults[] = {
    {"full disk", kFullDisk, kWholeOldOrNew, true},
    {"file held without sharing", kHeld, kFails, true},
    {"missing folder", kMissingFolder, kFails, true},
    {"path of 259 characters", kLongPath, kSucceeds, false},
    // Too long for the program's 260-byte path variables: they hold its first
    // 259 characters, another name, and the real file must stay as it was.
    {"path of 260 characters", kLongPath, kLeavesOriginal, false},
};

// A folder name that makes `folder\name` exactly `length` characters.
std::string PathOfLength(const std::string& base, const std::string& name, size_t length) {
  size_t fill = length - base.size() - name.size() - 2;
  std::string folder = base + "\\" + std::string(fill, 'f');
  CreateDirectoryA(folder.c_str(), NULL);
  return folder + "\\" + name;
}

void RemoveLongFolder(const std::string& file) {
  std::string folder = file.substr(0, file.rfind('\\'));
  std::string names = FolderListing(folder);
  for (size_t start = 0, end; (end = names.find(';', start)) != std::string::npos; start = end + 1)
    DeleteFileA((folder + "\\" + names.substr(start, end - start)).c_str());
  RemoveDirectoryA(folder.c_str());
}

// A message naming its file ("%s") as it names the descriptions file now.
std::string Shown(const char* message) {
  std::string text = message;
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, DescriptionsPath);
  return text;
}

void SetVariable(char (&variable)[kPathSize], const std::string& path) {
  snprintf(variable, sizeof variable, "%s", path.c_str());
}

class StorageFaultInjection : public testing::TestWithParam<std::tuple<int, int>> {
 protected:
  void TearDown() override {
    ReleaseTimeSheet();
    ReleaseDescriptionLists();
    TimeSheetPath[0] = DescriptionsPath[0] = ExportPath[0] = '\0';
  }
};

std::string FileOf(const std::string& folder, Target target) {
  static const char* const kNames[] = {"sheet.tim", "sheet.des", "sheet.txt"};
  return folder + "\\" + kNames[target];
}
}  // namespace

TEST_P(StorageFaultInjection, ResultMessageAndOriginalBytes) {
  const Writer& writer = kWriters[std::get<0>(GetParam())];
  const Fault& fault = kFaults[std::get<1>(GetParam())];
  SCOPED_TRACE(std::string(writer.name) + " with " + fault.name);
  TempFolder temp;
  FullDiskPlace disk;
  bool fullDisk = fault.kind == kFullDisk;
  if (fullDisk && !disk.Present()) GTEST_SKIP() << "no small full-disk folder mounted";
  std::string folder = fullDisk ? disk.Path() : temp.Path();
  const char* name = writer.target == kSheet ? "sheet.tim" : writer.target == kDescriptions ? "sheet.des" : "sheet.txt";
  std::string target = FileOf(folder, writer.target);
  if (fault.kind == kLongPath) target = PathOfLength(temp.Path(), name, fault.outcome == kSucceeds ? 259 : 260);
  std::string dir = target.substr(0, target.rfind('\\'));

  // The time sheet (read by every writer) and the target in place.
  std::string sheet = writer.target == kSheet ? target : FileOf(dir, kSheet);
  WriteBytes(sheet, kOriginalSheet);
  std::string original = writer.target == kSheet ? kOriginalSheet
                         : writer.target == kDescriptions ? kOriginalDescriptions
                                                          : kOriginalExport;
  if (writer.target != kSheet) WriteBytes(target, original);
  SetVariable(TimeSheetPath, sheet);
  SetVariable(writer.target == kExport ? ExportPath : DescriptionsPath, target);
  if (writer.loadsFirst) {
    int loaded = LoadTimeSheet();
    if (fault.outcome != kLeavesOriginal) {
      ASSERT_EQ(loaded, 1);
    }
  }

  std::unique_ptr<HeldFile> held;
  std::string missing = temp.Path() + "\\gone\\" + name;
  if (fault.kind == kHeld) held.reset(new HeldFile(target));
  if (fault.kind == kMissingFolder) {
    // The sheet was loaded from where it was; the folder is gone now.
    SetVariable(writer.target == kSheet ? TimeSheetPath
                : writer.target == kExport ? ExportPath : DescriptionsPath, missing);
  }
  if (fullDisk) disk.Fill();

  ScriptedUser user;
  bool quiet = !fault.message || (fault.kind == kMissingFolder && writer.quietWhenMissing);
  const char* message = quiet ? "" : fullDisk ? writer.writeMessage : writer.openMessage;
  if (fullDisk && writer.target == kExport) {
    // An export too long for the block its old file held, from a sheet
    // elsewhere: the export file is replaced by design, so what counts is
    // that the short text is told and the sheet it read stays as it was.
    std::string longSheet;
    for (int i = 0; i < 100; ++i) longSheet += Bytes({Closed(1000 + i)});
    WriteBytes(temp.File("long.tim"), longSheet);
    SetVariable(TimeSheetPath, temp.File("long.tim"));
    user.AnswerBox("Hourwright", "Unable To Write File", IDOK, BoxIcon::kError);
    writer.run();
    user.RunUntilDone(4000);
    EXPECT_TRUE(ReadBytes(temp.File("long.tim")) == longSheet);
    return;
  }
  if (message[0] != '\0') user.AnswerBox("Hourwright", Shown(message), IDOK, BoxIcon::kError);
  int result = writer.run();
  user.RunUntilDone(4000);
  held.reset();

  std::string after = ReadBytes(fault.kind == kMissingFolder ? missing : target);
  switch (fault.outcome) {
    case kFails:
      EXPECT_EQ(result, writer.failedResult);
      if (fault.kind == kMissingFolder) EXPECT_FALSE(FileExists(missing));
      else EXPECT_TRUE(after == original) << "changed: " << after.size() << " bytes, were " << original.size();
      break;
    case kWholeOldOrNew:
      EXPECT_TRUE(result == 1 ? after == writer.written() : after == original)
          << "result " << result << ", " << after.size() << " bytes";
      break;
    case kSucceeds:
      EXPECT_EQ(result, 1);
      EXPECT_TRUE(after == writer.written()) << after.size() << " bytes";
      EXPECT_EQ(FolderListing(dir).find_first_of("~"), std::string::npos) << "a temporary file was left";
      EXPECT_EQ(FolderListing(dir).find("hwr"), std::string::npos) << "a temporary file was left";
      EXPECT_EQ(FolderListing(dir).find("-new;"), std::string::npos) << "a temporary file was left";
      break;
    case kLeavesOriginal:
      EXPECT_TRUE(after == original) << "changed: " << after.size() << " bytes";
      break;
  }
  EXPECT_TRUE(user.Seen().size() == (message[0] != '\0' ? 1u : 0u));
  if (fault.kind == kLongPath) RemoveLongFolder(target);
}

INSTANTIATE_TEST_SUITE_P(
    WritersByFaults, StorageFaultInjection,
    testing::Combine(testing::Range(0, static_cast<int>(sizeof kWriters / sizeof kWriters[0])),
                     testing::Range(0, static_cast<int>(sizeof kFaults / sizeof kFaults[0]))),
    [](const testing::TestParamInfo<std::tuple<int, int>>& info) {
      std::string name = std::string(kWriters[std::get<0>(info.param)].name) + "_" +
                         kFaults[std::get<1>(info.param)].name;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });
