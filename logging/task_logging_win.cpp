#include "logging/task_logging.h"

#include <stdio.h>
#include <string.h>

#include "common/message_boxes.h"
#include "common/product.h"
#include "store/current_task.h"
#include "common/elapsed_time.h"
#include "logging/description_combos.h"
#include "logging/resume_question.h"
#include "resources/resource.h"
#include "store/file_seconds.h"
#include "store/paths.h"
#include "store/stamp_text.h"
#include "store/time_sheet.h"
#include "ui/description_field.h"
#include "ui/file_selection.h"

// Whether the running task's open record is in its time sheet.
static bool startWritten = false;

static void ShowLoggedTask(HWND window) {
  EnableWindow(GetDlgItem(window, IDC_MAIN_END_TASK), TRUE);
  ShowDescriptionField(window, IDC_MAIN_CURRENT_TASK, CurrentRecord.task);
  ShowDescriptionField(window, IDC_MAIN_CURRENT_PROJECT, CurrentRecord.project);
  ShowDescriptionField(window, IDC_MAIN_CURRENT_CLASSIFICATION, CurrentRecord.classification);
}

// Writes the running task's open record, asking for a new time sheet's name
// when none is named; only a written start is shown.
static bool WriteLoggedTask(HWND window) {
  char stamp[kStampTextSize];
  StampText(CurrentRecord.startTime, stamp, sizeof stamp);
  if (TimeSheetPath[0] == '\0' && ChooseTimeSheetToSave(window) == 0) return false;
  if (SaveTimeSheet(kSaveAppend) == 0) return false;
  SetDlgItemTextA(window, IDC_MAIN_START_TIME, stamp);
  return true;
}

static void MarkOpen(TimeRecord& record) {
  memset(&record.stopTime, 0, sizeof record.stopTime);
  record.stopSeconds = 0;
  record.elapsedMinutes = 0.0f;
  record.elapsedHours = 0.0f;
}

static void StampNow(SYSTEMTIME& time, int64_t& seconds) {
  GetLocalTime(&time);
  ToFileSeconds(time, &seconds);
}

static bool ReadDescription(HWND window, int id, char (&field)[kDescriptionSize],
                            const char* missingMessage) {
  GetDlgItemTextA(window, id, field, sizeof field);
  if (field[0] != '\0') return true;
  ShowError(missingMessage);
  return false;
}

void StartTask(HWND window) {
  if (!ReadDescription(window, IDC_MAIN_TASK, CurrentRecord.task, "Missing Task Description") ||
      !ReadDescription(window, IDC_MAIN_PROJECT, CurrentRecord.project,
                       "Missing Project Description") ||
      !ReadDescription(window, IDC_MAIN_CLASSIFICATION, CurrentRecord.classification,
                       "Missing Class Description"))
    return;

  StampNow(CurrentRecord.startTime, CurrentRecord.startSeconds);
  MarkOpen(CurrentRecord);
  LoggingActive = true;
  ShowLoggedTask(window);

  startWritten = WriteLoggedTask(window);
  if (startWritten) {
    MergeRecordDescriptions(window, CurrentRecord);
    return;
  }
  // Unwritten, the task goes on in memory and is written when it ends. A
  // cancelled Save As named no sheet: that was the user's answer, not a fault.
  if (TimeSheetPath[0] != '\0')
    ReportUnableToWrite("Time Sheet", TimeSheetPath, "The task is logging; it will be written when it ends.");
}

bool KeepTaskForResume(HWND window) {
  if (!startWritten) startWritten = WriteLoggedTask(window);
  if (startWritten) return true;
  if (TimeSheetPath[0] != '\0')
    ReportUnableToWrite("Time Sheet", TimeSheetPath,
                        "The running task could not be kept; Hourwright stays open.");
  return false;
}

// With no time sheet named, the user says where the ended task goes.
static bool ChooseFileForEndedTask(HWND window) {
  char question[512];
  snprintf(question, sizeof question, "%s File Not Open.\n Add this entry to an existing TimeSheet?",
           kProductName);
  if (AskYesNo(kProductName, question)) return ChooseTimeSheetToOpen(window) != 0;
  if (!AskYesNo(kProductName, "Timesheet File not Open, Make new File?")) return false;
  return ChooseTimeSheetToSave(window) != 0;
}

static void ReportUnwrittenEnd() {
  ReportUnableToWrite("Time Sheet", TimeSheetPath, "The Task is still logging; End Task again to retry.");
}

// Local wall-clock time back from FileSeconds, as the record keeps it.
static void TimeOfSeconds(int64_t seconds, SYSTEMTIME& time) {
  ULARGE_INTEGER ticks;
  ticks.QuadPart = static_cast<ULONGLONG>(seconds) * 10000000ull;
  FILETIME file = {ticks.LowPart, ticks.HighPart};
  FileTimeToSystemTime(&file, &time);
}

static void CloseRecord(TimeRecord& record, const SYSTEMTIME& stopTime, int64_t stopSeconds) {
  record.stopTime = stopTime;
  record.stopSeconds = stopSeconds;
  ComputeElapsed(ElapsedSeconds(record.stopSeconds, record.startSeconds), &record.elapsedMinutes,
                 &record.elapsedHours);
}

static void EndTaskWithStop(HWND window, const SYSTEMTIME& stopTime, int64_t stopSeconds) {
  CloseRecord(CurrentRecord, stopTime, stopSeconds);
  LoggingActive = false;

  if (TimeSheetPath[0] == '\0' && !ChooseFileForEndedTask(window)) return;

  if (SaveTimeSheet(kSaveAppend) == 0) {
    // Losing the interval silently is worse than asking the user to retry:
    // the task stays logging and its open copy stays in the file.
    MarkOpen(CurrentRecord);
    LoggingActive = true;
    ReportUnwrittenEnd();
    return;
  }
  LoggingActive = false;
  EnableWindow(GetDlgItem(window, IDC_MAIN_END_TASK), FALSE);
}

void EndTask(HWND window) {
  SYSTEMTIME stopTime;
  int64_t stopSeconds = 0;
  StampNow(stopTime, stopSeconds);
  EndTaskWithStop(window, stopTime, stopSeconds);
}

void EndTaskAt(HWND window, int64_t awayStart) {
  SYSTEMTIME stopTime;
  TimeOfSeconds(awayStart, stopTime);
  EndTaskWithStop(window, stopTime, awayStart);
}

// Nothing was logged before the away time: the task simply starts now.
static bool MoveStartToNow(HWND window) {
  TimeRecord before = CurrentRecord;
  StampNow(CurrentRecord.startTime, CurrentRecord.startSeconds);
  // A task that was never written stays so; it is written when it ends.
  if (TimeSheetPath[0] == '\0') return true;
  if (!WriteLoggedTask(window)) {
    CurrentRecord = before;
    ReportUnwrittenEnd();
    return false;
  }
  startWritten = true;
  return true;
}

bool DiscardTimeSince(HWND window, int64_t awayStart) {
  if (awayStart <= CurrentRecord.startSeconds) return MoveStartToNow(window);
  if (TimeSheetPath[0] == '\0' && !ChooseFileForEndedTask(window)) return false;
  SYSTEMTIME stopTime;
  TimeOfSeconds(awayStart, stopTime);
  TimeRecord ended = CurrentRecord;
  CloseRecord(ended, stopTime, awayStart);
  TimeRecord restarted = CurrentRecord;
  StampNow(restarted.startTime, restarted.startSeconds);
  // Both records in one rewrite: the away time must not end up in the file
  // as half an answer.
  if (SaveTaskSplit(ended, restarted) == 0) {
    ReportUnwrittenEnd();
    return false;
  }
  CurrentRecord = restarted;
  startWritten = true;
  char stamp[kStampTextSize];
  StampText(CurrentRecord.startTime, stamp, sizeof stamp);
  SetDlgItemTextA(window, IDC_MAIN_START_TIME, stamp);
  return true;
}

// Kept running across the switch, the task's end would land in the new sheet
// while its open copy stayed in the old one: the same time counted twice.
bool EndTaskInItsOwnSheet(HWND window, const SheetPaths& ownSheet) {
  if (!LoggingActive) return true;
  SheetPaths chosen = CurrentSheetPaths();
  // A task never written has no sheet of its own; the chosen one takes it.
  if (ownSheet.timeSheet[0] != '\0') UseSheetPaths(ownSheet);
  EndTask(window);
  if (LoggingActive) {
    UseSheetPaths(ownSheet);
    return false;
  }
  UseSheetPaths(chosen);
  return true;
}

void ShowResumedTask(HWND window) {
  startWritten = true;
  ShowLoggedTask(window);
  char stamp[kStampTextSize];
  StampText(CurrentRecord.startTime, stamp, sizeof stamp);
  SetDlgItemTextA(window, IDC_MAIN_START_TIME, stamp);
}

void OfferResume(HWND window) {
  LoadTimeSheet();
  if (TimeSheet.count < 1) return;
  const TimeRecord& last = TimeSheet.records[TimeSheet.count - 1];
  if (!OffersResume(last)) return;

  char question[1024];
  BuildResumeQuestion(last, question, sizeof question);
  if (!AskYesNo(kProductName, question)) {
    LoggingActive = false;
    EnableWindow(GetDlgItem(window, IDC_MAIN_END_TASK), FALSE);
    ReleaseTimeSheet();
    return;
  }
  LoggingActive = true;
  CurrentRecord = last;
  startWritten = true;  // the record is the sheet's own, even if its rewrite fails
  ShowLoggedTask(window);
  WriteLoggedTask(window);
}
