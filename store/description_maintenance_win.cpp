#include "store/description_maintenance.h"

#include <stdio.h>

#include "common/message_boxes.h"
#include "store/description_changes.h"
#include "store/description_lists.h"
#include "store/description_rebuild.h"
#include "store/paths.h"
#include "store/safe_file_win.h"
#include "store/time_sheet.h"
#include "store/unreadable_sheet.h"

static void ReportUnwritten() {
  ReportUnableToWrite("Description Lists", DescriptionsPath, "The lists are left as they were.");
}

static void ReportDamaged() {
  char text[512];
  snprintf(text, sizeof text,
           "Description Lists %s are damaged\nThe lists are left as they were; rebuilding all "
           "entries from the time records replaces them.",
           DescriptionsPath);
  ShowError(text);
}

// Only a file that is missing or was read whole may be rewritten from the
// loaded lists: any other would lose what could not be read. Says why not.
static bool MayRewrite(DescriptionFileState state) {
  if (MayRewriteFrom(state)) return true;
  if (state == kDescriptionFileDamaged) ReportDamaged();
  else ReportUnwritten();
  return false;
}

// The new file replaces the old in one step: on any failure the old one
// stays exactly as it was.
static void WriteChange(const DescriptionChange& change) {
  if (!ReplaceFileWithBuilt(DescriptionsPath, ChangedFileSize(change),
                            [&change](unsigned char* out) { BuildChangedFile(change, out); }))
    ReportUnwritten();
}

void AddOrReplaceDescription(int kind, const char* newText, const char* oldText) {
  DescriptionFileState state = LoadDescriptionFile();
  DescriptionListView views[kDescriptionKindCount];
  LoadedViews(views);
  DescriptionChange change;
  DescriptionChangeOutcome outcome = PlanAddOrReplace(views, kind, newText, oldText, change);
  if (outcome == kChangeDuplicate) {
    char message[256];
    DuplicateMessage(kind, newText, message, sizeof message);
    ShowError(message);
  }
  if (outcome == kChangeWrites && MayRewrite(state)) WriteChange(change);
  ReleaseDescriptionLists();
}

// A file read in part, or not at all, may hold the text where it could not
// be seen: that is said rather than taken as nothing to remove.
void RemoveDescription(int kind, const char* text) {
  if (MayRewrite(LoadDescriptionFile())) {
    DescriptionListView views[kDescriptionKindCount];
    LoadedViews(views);
    DescriptionChange change;
    if (PlanRemove(views, kind, text, change) == kChangeWrites) WriteChange(change);
  }
  ReleaseDescriptionLists();
}

static bool WriteStep(const DescriptionRebuild& rebuild, int32_t step) {
  return ReplaceFileWithBuilt(DescriptionsPath, RebuiltFileSize(rebuild, step), [&rebuild, step](unsigned char* out) {
    BuildRebuiltFile(rebuild, step, out);
  });
}

// Writes the finished lists at once. Should that fail, the file is left as
// the record-by-record rewrite would leave it: holding the last state that
// can be written, none when the first cannot. The states only grow, so the
// last one that fits is found by halving. Returns the step the file holds.
static int32_t WriteRebuild(const DescriptionRebuild& rebuild) {
  int32_t last = rebuild.stepCount;
  if (WriteStep(rebuild, last)) return last;
  if (last == 1 || !WriteStep(rebuild, 1)) return 0;
  int32_t good = 1, bad = last;
  while (bad - good > 1) {
    int32_t middle = good + (bad - good) / 2;
    if (WriteStep(rebuild, middle)) good = middle;
    else bad = middle;
  }
  return good;
}

static void ReportRebuiltInPart(int32_t records) {
  char outcome[128];
  snprintf(outcome, sizeof outcome, "The lists hold the descriptions of the first %ld time records only.",
           static_cast<long>(records));
  ReportUnableToWrite("Description Lists", DescriptionsPath, outcome);
}

static void Rebuild(bool keep) {
  int32_t count = TimeSheet.count > 0 ? TimeSheet.count : 0;
  if (count == 0) return;  // no records: nothing changes, in either mode
  // Without keeping it starts from absent lists and never reads the file.
  ReleaseDescriptionLists();
  if (keep && !MayRewrite(LoadDescriptionFile())) return;
  DescriptionListView views[kDescriptionKindCount];
  LoadedViews(views);
  DescriptionRebuild rebuild;
  if (!PlanDescriptionRebuild(views, TimeSheet.records, count, rebuild)) {
    ReportUnwritten();
    return;
  }
  // Records that bring nothing new leave the file untouched.
  if (rebuild.stepCount > 0) {
    int32_t written = WriteRebuild(rebuild);
    if (written == 0) ReportUnwritten();
    else if (written < rebuild.stepCount) ReportRebuiltInPart(rebuild.steps[written].record);
  }
  FreeDescriptionRebuild(rebuild);
}

// A sheet that cannot be read is said, not taken for one without records:
// the lists stay as they were.
void RebuildDescriptionLists(bool keep) {
  if (LoadTimeSheet() == -1) ReportUnreadableTimeSheet();
  else Rebuild(keep);
  ReleaseDescriptionLists();
  ReleaseTimeSheet();
}
