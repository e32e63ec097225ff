#include "store/undo_hook_win.h"

#include <string.h>

#include <vector>

#include "store/mapped_file_win.h"
#include "store/paths.h"
#include "store/undo_files_win.h"

void (*AfterUndoHistoryWritten)() = nullptr;

namespace {
struct ChangeScope {
  int depth;
  char name[kUndoNameMost + 1];
  bool touchesTask;
  bool recorded[2];  // a step of this change is in the history, per file
};
ChangeScope scope;

// What the hook wrote for the rewrite under way, to be put back if it fails.
struct PendingWrite {
  bool written;
  UndoHistory former;
};
PendingWrite pending;

// An undo's history, waiting for its rewrite.
bool undoWaiting = false;
UndoHistory undoHistory, undoFormer;

// The history's own file is rewritten through the same path.
bool inHook = false;

int64_t NowSeconds() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks;
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  return static_cast<int64_t>(ticks.QuadPart / 10000000ull);
}

// The file of the open sheet `path` is, or -1.
int FileOfPath(const char* path) {
  if (TimeSheetPath[0] == '\0') return -1;
  if (strcmp(path, TimeSheetPath) == 0) return kUndoTimeSheet;
  if (DescriptionsPath[0] != '\0' && strcmp(path, DescriptionsPath) == 0) return kUndoDescriptions;
  return -1;
}

void WriteHistory(const UndoHistory& history, const UndoHistory& former) {
  pending.written = SaveUndoHistory(history);
  if (pending.written) pending.former = former;
  if (AfterUndoHistoryWritten != nullptr) AfterUndoHistoryWritten();
}

// The step from the file as it is to `after`. A second rewrite in the same
// change (a rebuild that falls back to fewer records) replaces the first
// one's step: the change runs from the file before either.
void RecordStep(int file, const MappedFile& old, const std::vector<ByteSpan>& after) {
  UndoHistory history;
  LoadUndoHistory(TimeSheetPath, history);
  UndoHistory former = history;
  ByteSpan before = old.Bytes();
  std::string original;
  bool replacing = scope.recorded[file] && history.done > 0 && history.done == history.steps.size() &&
                   history.steps.back().file == file;
  if (replacing) {
    UndoStep earlier = history.steps.back();
    ApplyUndoStep(earlier, before, original);
    before = ByteSpan{reinterpret_cast<const unsigned char*>(original.data()), original.size()};
    history.steps.pop_back();
    --history.done;
  }
  UndoStep step;
  if (MakeUndoStep(before, after.data(), after.size(), file, step)) {
    step.time = NowSeconds();
    step.name = scope.name;
    step.touchesTask = scope.touchesTask;
    AddUndoStep(history, std::move(step));
    scope.recorded[file] = true;
  } else if (!replacing) {
    return;  // the same bytes again: nothing to undo
  }
  WriteHistory(history, former);
}

bool Recording(const char* path, int* file) {
  if (scope.depth == 0) return false;
  *file = FileOfPath(path);
  return *file >= 0;
}
}  // namespace

UndoableChange::UndoableChange(const char* name, bool touchesTask) {
  if (scope.depth++ > 0) return;
  snprintf(scope.name, sizeof scope.name, "%s", name);
  scope.touchesTask = touchesTask;
  scope.recorded[0] = scope.recorded[1] = false;
}

UndoableChange::~UndoableChange() { --scope.depth; }

bool BeforeFileReplaced(const char* path, const FilePiece* pieces, size_t count) {
  if (inHook) return true;
  pending.written = false;
  inHook = true;
  bool goOn = true;
  int file = -1;
  if (undoWaiting) {
    undoWaiting = false;
    WriteHistory(undoHistory, undoFormer);
    goOn = pending.written;
  } else if (Recording(path, &file)) {
    MappedFile old(path);
    // Unread, the old bytes cannot be given back; the steps before no longer
    // fit the file and are refused.
    if (old.Read()) {
      std::vector<ByteSpan> after;
      for (size_t i = 0; i < count; ++i)
        after.push_back(ByteSpan{static_cast<const unsigned char*>(pieces[i].data), pieces[i].size});
      RecordStep(file, old, after);
    }
  }
  inHook = false;
  return goOn;
}

void AfterFileReplaced(bool replaced) {
  if (inHook) return;
  if (pending.written && !replaced) {
    inHook = true;
    SaveUndoHistory(pending.former);
    inHook = false;
  }
  pending.written = false;
  pending.former = UndoHistory();
}

void BeforeRecordWrittenInPlace(const char* path, int64_t offset, const TimeRecord& record) {
  if (inHook) return;
  pending.written = false;
  int file = -1;
  if (!Recording(path, &file) || offset < 0) return;
  inHook = true;
  MappedFile old(path);
  if (old.Read() && static_cast<uint64_t>(offset) <= old.Bytes().size) {
    std::vector<ByteSpan> after = {ByteSpan{old.Bytes().data, static_cast<size_t>(offset)},
                                   ByteSpan{reinterpret_cast<const unsigned char*>(&record), sizeof record}};
    RecordStep(file, old, after);
  }
  inHook = false;
}

void WriteHistoryWithNextRewrite(const UndoHistory& history, const UndoHistory& former) {
  undoWaiting = true;
  undoHistory = history;
  undoFormer = former;
}

void DropWaitingHistory() {
  undoWaiting = false;
  undoHistory = UndoHistory();
  undoFormer = UndoHistory();
}
