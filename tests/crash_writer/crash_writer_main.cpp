// Rewrites a time sheet and its descriptions file through the program's own
// storage code (the pick-list operations included), over and over, until it
// is killed. Arguments: the two paths. With "undo <n> <event>" it deletes the
// sheet's first record as an undoable change, over and over, with an undo and
// a redo after every third, and stops for good at the n-th point between a
// history write and the rename after it, having set the named event.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "store/current_task.h"
#include "store/description_lists.h"
#include "store/description_maintenance.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "store/undo_hook_win.h"
#include "store/undo_win.h"
#include "tests/crash_generations.h"

static int pauseAt = 0;
static const char* pauseEvent = "";

static void PauseBeforeRename() {
  if (--pauseAt != 0) return;
  HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, pauseEvent);
  if (event != NULL) SetEvent(event);
  Sleep(INFINITE);
}

static int DeleteAndUndo() {
  for (int i = 0;; ++i) {
    if (LoadTimeSheet() != 1 || TimeSheet.count < 2) return 7;
    {
      UndoableChange change("Delete Record");
      if (DeleteRecordAt(0) != 1) return 8;
    }
    if (i % 3 == 2 && (UndoLastChange().outcome != kUndoMade || RedoLastChange().outcome != kUndoMade))
      return 9;
  }
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", argv[1]);
  snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", argv[2]);
  if (argc >= 6 && strcmp(argv[3], "undo") == 0) {
    pauseAt = atoi(argv[4]);
    pauseEvent = argv[5];
    AfterUndoHistoryWritten = PauseBeforeRename;
    return DeleteAndUndo();
  }
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
