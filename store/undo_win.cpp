#include "store/undo_win.h"

#include <stdio.h>
#include <string.h>

#include "store/current_task.h"
#include "store/data_file_rewrite.h"
#include "store/mapped_file_win.h"
#include "store/paths.h"
#include "store/safe_file_win.h"
#include "store/time_sheet.h"
#include "store/undo_files_win.h"
#include "store/undo_hook_win.h"

// The step an undo (or redo) would apply; -1 for none.
static long NextStep(const UndoHistory& history, bool redo) {
  if (redo) return history.done < history.steps.size() ? static_cast<long>(history.done) : -1;
  return history.done > 0 ? static_cast<long>(history.done) - 1 : -1;
}

bool NextUndoName(bool redo, char (&name)[kUndoNameMost + 1]) {
  name[0] = '\0';
  if (TimeSheetPath[0] == '\0') return false;
  UndoHistory history;
  LoadUndoHistory(TimeSheetPath, history);
  long index = NextStep(history, redo);
  if (index < 0) return false;
  snprintf(name, sizeof name, "%s", history.steps[index].name.c_str());
  return true;
}

static bool EndsOpen(const std::string& bytes) {
  if (bytes.size() < kRecordSize || bytes.size() % kRecordSize != 0) return false;
  TimeRecord last;
  memcpy(&last, bytes.data() + bytes.size() - kRecordSize, sizeof last);
  return RecordIsOpen(last);
}

// The task a change ended (an away-time answer) runs again once its open
// record is back at the end of the sheet: left open and not logged, the next
// start would write over it.
static bool ResumeGivenBackTask(const UndoStep& step, const std::string& bytes) {
  if (step.file != kUndoTimeSheet || !step.touchesTask || LoggingActive || !EndsOpen(bytes)) return false;
  memcpy(&CurrentRecord, bytes.data() + bytes.size() - kRecordSize, sizeof CurrentRecord);
  LoggingActive = true;
  return true;
}

static UndoResult Turn(bool redo) {
  UndoResult result = {kUndoNone, "", kUndoTimeSheet, false};
  if (TimeSheetPath[0] == '\0') return result;
  UndoHistory history;
  LoadUndoHistory(TimeSheetPath, history);
  long index = NextStep(history, redo);
  if (index < 0) return result;
  UndoHistory former = history;
  UndoStep& step = history.steps[index];
  snprintf(result.name, sizeof result.name, "%s", step.name.c_str());
  result.file = step.file;
  const char* path = step.file == kUndoTimeSheet ? TimeSheetPath : DescriptionsPath;

  std::string bytes;
  {
    MappedFile current(path);
    if (!current.Read()) {
      result.outcome = kUndoUnwritten;
      return result;
    }
    switch (CheckUndoStep(step, current.Bytes(), LoggingActive)) {
      case kUndoChangedSince:
        result.outcome = kUndoRefused;
        return result;
      case kUndoTaskRunning:
        result.outcome = kUndoTaskInTheWay;
        return result;
      case kUndoApplies:
        break;
    }
    ApplyUndoStep(step, current.Bytes(), bytes);
  }  // let go of the file before it is replaced

  history.done = redo ? static_cast<size_t>(index) + 1 : static_cast<size_t>(index);
  WriteHistoryWithNextRewrite(history, former);
  FilePiece piece = {bytes.data(), static_cast<DWORD>(bytes.size())};
  bool written = bytes.size() <= 0x7FFFFFFF && RewriteDataFile(path, kReplacesWhatever, &piece, 1).written;
  DropWaitingHistory();
  if (!written) {
    result.outcome = kUndoUnwritten;
    return result;
  }
  if (step.file == kUndoTimeSheet) ReleaseTimeSheet();  // a loaded copy is out of date
  result.outcome = kUndoMade;
  result.taskResumed = ResumeGivenBackTask(history.steps[index], bytes);
  return result;
}

UndoResult UndoLastChange() { return Turn(false); }

UndoResult RedoLastChange() { return Turn(true); }
