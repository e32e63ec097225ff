#include "store/description_maintenance.h"

#include "store/data_file_rewrite.h"
#include "store/description_changes.h"
#include "store/description_lists.h"
#include "store/description_rebuild.h"
#include "store/paths.h"
#include "store/time_sheet.h"

static DescriptionListsOutcome Fault(DescriptionListsFault fault, unsigned long error = 0) {
  DescriptionListsOutcome outcome;
  outcome.fault = fault;
  outcome.path = DescriptionsPath;
  outcome.error = error;
  return outcome;
}

// Only a file that is missing or was read whole may be rewritten from the
// loaded lists: any other would lose what could not be read.
static bool MayRewrite(DescriptionFileState state, DescriptionListsOutcome& outcome) {
  if (MayRewriteFrom(state)) return true;
  outcome = state == kDescriptionFileDamaged ? Fault(kListsDamaged)
                                             : Fault(kListsUnwritten, LastDescriptionsRead().error);
  return false;
}

// The new file replaces the old in one step: on any failure the old one
// stays exactly as it was.
static DescriptionListsOutcome WriteChange(const DescriptionChange& change) {
  RewriteResult result = RewriteDataFileBuilt(
      DescriptionsPath, LastDescriptionsRead(), ChangedFileSize(change),
      [&change](unsigned char* out) { BuildChangedFile(change, out); });
  return result.written ? DescriptionListsOutcome() : Fault(kListsUnwritten, result.error);
}

DescriptionListsOutcome AddOrReplaceDescription(int kind, const char* newText, const char* oldText) {
  DescriptionFileState state = LoadDescriptionFile();
  DescriptionListView views[kDescriptionKindCount];
  LoadedViews(views);
  DescriptionChange change;
  DescriptionChangeOutcome planned = PlanAddOrReplace(views, kind, newText, oldText, change);
  DescriptionListsOutcome outcome;
  if (planned == kChangeDuplicate) {
    outcome = Fault(kListsDuplicate);
    outcome.kind = kind;
    outcome.text = newText;
  }
  if (planned == kChangeWrites && MayRewrite(state, outcome)) outcome = WriteChange(change);
  ReleaseDescriptionLists();
  return outcome;
}

// A file read in part, or not at all, may hold the text where it could not
// be seen: that is said rather than taken as nothing to remove.
DescriptionListsOutcome RemoveDescription(int kind, const char* text) {
  DescriptionListsOutcome outcome;
  if (MayRewrite(LoadDescriptionFile(), outcome)) {
    DescriptionListView views[kDescriptionKindCount];
    LoadedViews(views);
    DescriptionChange change;
    if (PlanRemove(views, kind, text, change) == kChangeWrites) outcome = WriteChange(change);
  }
  ReleaseDescriptionLists();
  return outcome;
}

static RewriteResult WriteStep(const DescriptionRebuild& rebuild, int32_t step, const DataFileRead& from) {
  return RewriteDataFileBuilt(DescriptionsPath, from, RebuiltFileSize(rebuild, step),
                              [&rebuild, step](unsigned char* out) { BuildRebuiltFile(rebuild, step, out); });
}

// Writes the finished lists at once. Should that fail, the file is left as
// the record-by-record rewrite would leave it: holding the last state that
// can be written, none when the first cannot. The states only grow, so the
// last one that fits is found by halving. Returns the step the file holds;
// `failure` keeps the reason of the first write that failed.
static int32_t WriteRebuild(const DescriptionRebuild& rebuild, const DataFileRead& from,
                            RewriteResult& failure) {
  int32_t last = rebuild.stepCount;
  failure = WriteStep(rebuild, last, from);
  if (failure.written) return last;
  if (last == 1 || !WriteStep(rebuild, 1, from).written) return 0;
  int32_t good = 1, bad = last;
  while (bad - good > 1) {
    int32_t middle = good + (bad - good) / 2;
    if (WriteStep(rebuild, middle, from).written) good = middle;
    else bad = middle;
  }
  return good;
}

static DescriptionListsOutcome Rebuild(bool keep) {
  DescriptionListsOutcome outcome;
  int32_t count = TimeSheet.count > 0 ? TimeSheet.count : 0;
  if (count == 0) return outcome;  // no records: nothing changes, in either mode
  // Without keeping it starts from absent lists and never reads the file,
  // whatever the file holds is replaced.
  ReleaseDescriptionLists();
  DataFileRead from = kReplacesWhatever;
  if (keep) {
    if (!MayRewrite(LoadDescriptionFile(), outcome)) return outcome;
    from = LastDescriptionsRead();
  }
  DescriptionListView views[kDescriptionKindCount];
  LoadedViews(views);
  DescriptionRebuild rebuild;
  if (!PlanDescriptionRebuild(views, TimeSheet.records, count, rebuild))
    return Fault(kListsUnwritten, ERROR_NOT_ENOUGH_MEMORY);
  // Records that bring nothing new leave the file untouched.
  if (rebuild.stepCount > 0) {
    RewriteResult failure;
    int32_t written = WriteRebuild(rebuild, from, failure);
    if (written == 0) {
      outcome = Fault(kListsUnwritten, failure.error);
    } else if (written < rebuild.stepCount) {
      outcome = Fault(kListsRebuiltInPart, failure.error);
      outcome.records = rebuild.steps[written].record;
    }
  }
  FreeDescriptionRebuild(rebuild);
  return outcome;
}

// A sheet that cannot be read is said, not taken for one without records:
// the lists stay as they were.
DescriptionListsOutcome RebuildDescriptionLists(bool keep) {
  DescriptionListsOutcome outcome;
  DataFileRead read = ReadTimeSheet();
  if (read.state == kDataFileUnreadable) {
    outcome.fault = kListsSheetUnreadable;
    outcome.path = TimeSheetPath;
    outcome.error = read.error;
  } else {
    outcome = Rebuild(keep);
  }
  ReleaseDescriptionLists();
  ReleaseTimeSheet();
  return outcome;
}
