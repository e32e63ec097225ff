#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "store/description_lists.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/crash_generations.h"
#include "store/undo_win.h"
#include "tests/test_files.h"

// A writer using the program's storage code is killed at random moments while
// it rewrites a 1 MiB time sheet and a 1.2 MiB descriptions file (a merge,
// then a pick-list add or remove); every file
// left behind must be one whole generation (old or new, never a mix, never
// empty or missing) and load. HOURWRIGHT_CRASH_KILLS sets the number of kills.
namespace {
std::string WriterPath() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(NULL, self, sizeof self);
  std::string path = self;
  return path.substr(0, path.rfind('\\') + 1) + "hourwright_crash_writer.exe";
}

bool StartWriter(const std::string& sheet, const std::string& descriptions,
                 PROCESS_INFORMATION* process) {
  std::string line = "\"" + WriterPath() + "\" \"" + sheet + "\" \"" + descriptions + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, process) != 0;
}

void KillWriter(PROCESS_INFORMATION* process) {
  TerminateProcess(process->hProcess, 9);
  WaitForSingleObject(process->hProcess, 5000);
  CloseHandle(process->hThread);
  CloseHandle(process->hProcess);
}

// Starts the writer and kills it after `delay` ms; false when it had stopped
// by itself (a failed write), which is a fault too.
bool RunAndKill(const std::string& sheet, const std::string& descriptions, DWORD delay) {
  PROCESS_INFORMATION process = {};
  if (!StartWriter(sheet, descriptions, &process)) return false;
  bool running = WaitForSingleObject(process.hProcess, delay) == WAIT_TIMEOUT;
  KillWriter(&process);
  return running;
}

// The sheet's size, read without opening it: a watcher holding the file open
// would itself block the writer's replacement.
uint64_t SheetSize(const std::string& sheet) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(sheet.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Milliseconds from the writer's start to its first finished rewrite of the
// sheet, seen when its open record lengthens it (0 when none came): a 32-bit
// Wine under emulation is many times slower than the native one, and the
// kills must fall inside the loop.
DWORD FirstRewriteMs(const std::string& sheet, const std::string& descriptions) {
  const uint64_t before = SheetSize(sheet);
  PROCESS_INFORMATION process = {};
  if (!StartWriter(sheet, descriptions, &process)) return 0;
  DWORD start = GetTickCount(), took = 0, exitCode = STILL_ACTIVE;
  while (took == 0 && GetTickCount() - start < 60000) {
    Sleep(10);
    if (SheetSize(sheet) > before) took = GetTickCount() - start;
    if (took == 0 && GetExitCodeProcess(process.hProcess, &exitCode) && exitCode != STILL_ACTIVE) break;
  }
  if (took == 0) printf("writer: no rewrite, exit code %lu\n", exitCode);
  KillWriter(&process);
  return took;
}

// Whole when the bytes are exactly one generation, with or without its open
// record, and the loader takes them.
bool SheetIsWhole(const std::string& bytes, int64_t* generation) {
  if (bytes.size() < sizeof(TimeRecord)) return false;
  TimeRecord first;
  memcpy(&first, bytes.data(), sizeof first);
  *generation = first.startSeconds / kCrashGeneration;
  if (bytes != CrashSheet(*generation, false) && bytes != CrashSheet(*generation, true)) return false;
  bool loaded = LoadTimeSheet() == 1 && TimeSheet.count * sizeof(TimeRecord) == bytes.size();
  ReleaseTimeSheet();
  return loaded;
}

// `withQ` tells whether the file was left between the project's add and remove.
bool DescriptionsAreWhole(const std::string& bytes, int* tasks, bool* withQ) {
  if (bytes.size() < 4) return false;
  memcpy(tasks, bytes.data(), 4);
  *withQ = *tasks >= kCrashFirstTasks && bytes == CrashDescriptions(*tasks, true);
  if (*tasks < kCrashFirstTasks || (bytes != CrashDescriptions(*tasks) && !*withQ)) {
    printf("descriptions: %d tasks, %zu bytes\n", *tasks, bytes.size());
    return false;
  }
  int result = LoadDescriptionLists();
  bool loaded = result == 1 && DescriptionLists[kTaskList].count == *tasks;
  if (!loaded) printf("descriptions load: %d, count %d\n", result, DescriptionLists[kTaskList].count);
  ReleaseDescriptionLists();
  return loaded;
}

int KillsWanted() {
  char text[32] = "";
  GetEnvironmentVariableA("HOURWRIGHT_CRASH_KILLS", text, sizeof text);
  int kills = atoi(text);
  return kills > 0 ? kills : 12;
}
}  // namespace

TEST(StorageCrashKill, KilledWriterLeavesWholeLoadableFiles) {
  TempFolder folder;
  std::string sheet = folder.File("sheet.tim"), descriptions = folder.File("sheet.des");
  WriteBytes(sheet, CrashSheet(1, false));
  WriteBytes(descriptions, CrashDescriptions(kCrashFirstTasks));
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", sheet.c_str());
  snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", descriptions.c_str());

  srand(GetTickCount());
  int kills = 0, damaged = 0, stopped = 0, addedSeen = 0;
  int64_t lastGeneration = 1;
  int firstTasks = kCrashFirstTasks, lastTasks = kCrashFirstTasks;
  const DWORD span = FirstRewriteMs(sheet, descriptions);
  ASSERT_GT(span, 0u) << "the writer never rewrote the sheet";
  for (int i = 0; i < KillsWanted(); ++i) {
    // Start-up takes part of the delay; the rest falls anywhere in the loop.
    if (!RunAndKill(sheet, descriptions, span / 2 + static_cast<DWORD>(rand()) % (2 * span + 1)))
      ++stopped;
    ++kills;
    int64_t generation = 0;
    int tasks = 0;
    if (!SheetIsWhole(ReadBytes(sheet), &generation) || generation < lastGeneration) {
      ++damaged;
      ADD_FAILURE() << "time sheet damaged after kill " << kills;
      break;
    }
    bool withQ = false;
    if (!DescriptionsAreWhole(ReadBytes(descriptions), &tasks, &withQ) || tasks < lastTasks) {
      ++damaged;
      ADD_FAILURE() << "descriptions file damaged after kill " << kills;
      break;
    }
    lastGeneration = generation;
    lastTasks = tasks;
    addedSeen += withQ ? 1 : 0;
  }
  TimeSheetPath[0] = '\0';
  DescriptionsPath[0] = '\0';
  printf("crash-kill: %d %d\n", kills, damaged);
  // A kill between the new file's creation and its move leaves it behind,
  // under the one name of each file's rewrites.
  std::string names = FolderListing(folder.Path());
  int leftOver = 0;
  for (size_t start = 0, end; (end = names.find(';', start)) != std::string::npos; start = end + 1) {
    std::string name = names.substr(start, end - start);
    if (name == "sheet.tim.hourwright-new" || name == "sheet.des.hourwright-new") ++leftOver;
    else EXPECT_TRUE(name == "sheet.tim" || name == "sheet.des") << "left: " << name;
  }
  printf("crash-kill detail: %lld sheet generations, %d descriptions merges, %d files left with a list add, "
         "%d runs that stopped early, %d temporary files left\n",
         static_cast<long long>(lastGeneration - 1), lastTasks - firstTasks, addedSeen, stopped, leftOver);
  EXPECT_EQ(stopped, 0) << "the writer stopped by itself: a write failed";
  // The kills must have landed while files were being rewritten.
  EXPECT_GT(lastGeneration, 1);
}

// The writer is killed at each of its first points between an undo history
// write and the rename after it, the one place where history and sheet
// disagree. The sheet is then whole, and every undo that follows either is
// refused or gives back exactly the sheet of an earlier moment.
TEST(StorageCrashKill, AKillBetweenHistoryAndRenameNeverGivesADamagingUndo) {
  const int kRecords = 40;
  std::string start;
  for (int i = 0; i < kRecords; ++i) {
    TimeRecord record = CrashRecord(1, i);
    start.append(reinterpret_cast<const char*>(&record), sizeof record);
  }
  int refused = 0, restored = 0;
  for (int pause = 1; pause <= 8; ++pause) {
    TempFolder folder;
    std::string sheet = folder.File("sheet.tim");
    WriteBytes(sheet, start);
    char event[64];
    snprintf(event, sizeof event, "HourwrightUndoPause%lu-%d", GetCurrentProcessId(), pause);
    HANDLE paused = CreateEventA(NULL, TRUE, FALSE, event);
    std::string line = "\"" + WriterPath() + "\" \"" + sheet + "\" \"" + folder.File("sheet.des") + "\" undo " +
                       std::to_string(pause) + " " + event;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process));
    bool reached = WaitForSingleObject(paused, 30000) == WAIT_OBJECT_0;
    KillWriter(&process);
    CloseHandle(paused);
    ASSERT_TRUE(reached) << "the writer never paused " << pause;

    // Whole records of the start, less the first few: an earlier moment.
    auto deletedSoFar = [&start](const std::string& bytes) {
      size_t gone = start.size() - bytes.size();
      return bytes.size() % sizeof(TimeRecord) == 0 && bytes.size() <= start.size() &&
                     start.compare(gone, std::string::npos, bytes) == 0
                 ? static_cast<int>(gone / sizeof(TimeRecord))
                 : -1;
    };
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", sheet.c_str());
    int deleted = deletedSoFar(ReadBytes(sheet));
    ASSERT_GE(deleted, 0) << "sheet damaged at pause " << pause;
    for (int undo = 0; undo < kRecords; ++undo) {
      UndoOutcome outcome = UndoLastChange().outcome;
      if (outcome != kUndoMade) {
        EXPECT_TRUE(outcome == kUndoRefused || outcome == kUndoNone) << outcome;
        refused += outcome == kUndoRefused;
        break;
      }
      ++restored;
      int now = deletedSoFar(ReadBytes(sheet));
      ASSERT_TRUE(now >= 0 && now < deleted) << "undo " << undo << " after pause " << pause;
      deleted = now;
    }
    TimeSheetPath[0] = '\0';
  }
  printf("crash-kill undo: 8 kills, %d undos refused, %d undos made\n", refused, restored);
}
