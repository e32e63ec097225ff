// Rewrites a time sheet and its descriptions file through the program's own
// storage code (the pick-list operations included), over and over, until it
// is killed. Arguments: the two paths.
#include <windows.h>
#include <stdio.h>

#include "store/current_task.h"
#include "store/description_lists.h"
#include "store/description_maintenance.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/crash_generations.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", argv[1]);
  snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", argv[2]);
  for (;;) {
    // The whole sheet anew: as-edited save drops the trailing open record.
    if (LoadTimeSheet() != 1 || TimeSheet.count < kCrashSheetRecords) return 3;
    int64_t generation = TimeSheet.records[0].startSeconds / kCrashGeneration + 1;
    for (int i = 0; i < kCrashSheetRecords; ++i) TimeSheet.records[i] = CrashRecord(generation, i);
    if (SaveTimeSheet(kSaveAsEdited) != 1) return 4;
    // Then the open record at its end, in place, as a started task does.
    CurrentRecord = CrashRecord(generation, kCrashSheetRecords);
    if (SaveTimeSheet(kSaveAppend) != 1) return 5;
    // One new task in the descriptions file.
    LoadDescriptionLists();
    int tasks = DescriptionLists[kTaskList].count;
    int projects = DescriptionLists[kProjectList].count;
    ReleaseDescriptionLists();
    TimeRecord record = CrashRecord(generation, 0);
    snprintf(record.task, sizeof record.task, "task %d", tasks + 1);
    snprintf(record.project, sizeof record.project, "p");
    snprintf(record.classification, sizeof record.classification, "c");
    WriteMergedDescriptions(record);
    // Then a pick-list operation: "q" added to the projects, or removed again.
    if (projects == 1) AddOrReplaceDescription(kProjectList, "q");
    else RemoveDescription(kProjectList, "q");
    LoadDescriptionLists();
    bool toggled = DescriptionLists[kProjectList].count == (projects == 1 ? 2 : 1);
    ReleaseDescriptionLists();
    if (!toggled) return 6;
  }
}
