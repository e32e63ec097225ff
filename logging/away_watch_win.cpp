#include "logging/away_watch.h"

#include <stdio.h>

#include "logging/away_question.h"
#include "logging/away_time.h"
#include "logging/task_logging.h"
#include "store/current_task.h"
#include "store/local_clock.h"
#include "store/options_file.h"
#include "store/undo_hook_win.h"

static bool ReadSystemIdleClock(IdleClockReading* reading) {
  LASTINPUTINFO input = {sizeof input, 0};
  if (!GetLastInputInfo(&input)) return false;
  reading->lastInputTick = input.dwTime;
  reading->nowTick = GetTickCount();
  return true;
}

bool (*ReadIdleClock)(IdleClockReading* reading) = ReadSystemIdleClock;
int32_t AwayMinutes = kAwayMinutesDefault;

struct AwayWatch {
  bool watching;        // a task is logging and the last input below is known
  DWORD lastInputTick;  // the idle clock's last input at the previous check
  int64_t quietFrom;    // the same input in FileSeconds: where a quiet starts
  bool waiting;         // a question waits for another window to close
  bool asking;          // the question is open
  AwaySpan span;        // the waiting question's span
  TimeRecord task;      // the task it is about
};
static AwayWatch watch;

void StartAwayWatch(HWND window) {
  watch = AwayWatch();
  AwayMinutes = LoadAwayMinutes();
  SetTimer(window, kAwayTimerId, kAwayCheckMs, NULL);
}

// A hidden or minimised main window would leave the question out of sight.
static void BringBack(HWND window) {
  if (!IsWindowVisible(window) || IsIconic(window)) ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

// Both answers rewrite the logged task's record: the user can take them back.
AwayOutcome ApplyAwayAnswer(HWND window, AwayAnswered& answered, bool commandEnds) {
  AwayAnswer answer = answered.answer;
  answered.answer = kAwayKeep;
  if (answer == kAwayKeep) return kAwayGoOn;
  char name[64] = "Discard Away Time";
  if (answer == kAwayEnd) {
    char clock[16];
    ClockText(answered.awayStart, clock, sizeof clock);
    snprintf(name, sizeof name, "End Task At %s", clock);
  }
  UndoableChange change(name, true);
  // Discarding the away time of a task that ends now anyway would leave a
  // record of the few seconds since the return: it ends at the away start.
  if (answer == kAwayEnd || commandEnds) {
    EndTaskAt(window, answered.awayStart);
    return LoggingActive ? kAwayUnwritten : kAwayEnded;
  }
  return DiscardTimeSince(window, answered.awayStart) ? kAwayGoOn : kAwayUnwritten;
}

// Asked about a task that has since ended or changed, an answer would land
// on the wrong record: such a question is dropped.
static bool StillLogging(const TimeRecord& task) { return LoggingActive && SameTask(task, CurrentRecord); }

static void AskWhenFree(HWND window) {
  if (!watch.waiting || watch.asking) return;
  if (!StillLogging(watch.task)) {
    watch.waiting = false;
    return;
  }
  // Another dialog or message box of ours is open; its closing re-enables the
  // main window, and WM_ENABLE brings the question back here.
  if (!IsWindowEnabled(window)) return;
  watch.waiting = false;
  BringBack(window);
  watch.asking = true;
  AwaySpan span = watch.span;
  TimeRecord task = watch.task;
  AwayAnswered answered = {AskAboutAwayTime(window, span, task), 0};
  watch.asking = false;
  answered.awayStart = span.from;
  if (StillLogging(task)) ApplyAwayAnswer(window, answered, false);
}

static void Ask(HWND window, const AwaySpan& span) {
  // One question at a time: a second away time joins the one being asked.
  if (watch.asking && FoldIntoAwayQuestion(span)) return;
  if (watch.waiting && SameTask(watch.task, CurrentRecord)) {
    watch.span = FoldAway(watch.span, span);
  } else {
    watch.span = span;
    watch.task = CurrentRecord;
  }
  watch.waiting = true;
  AskWhenFree(window);
}

// The away time ends when input comes back, so a question is only decided
// when the idle clock shows new input; a quiet still going on is left to run.
static void CheckIdleClock(HWND window) {
  if (!LoggingActive) {
    watch.watching = false;  // the next task's quiet starts with the next reading
    return;
  }
  IdleClockReading reading;
  if (!ReadIdleClock(&reading)) return;
  if (watch.watching && reading.lastInputTick == watch.lastInputTick) return;  // still quiet
  // The difference of two ticks is right across the tick count's wrap; one
  // "below zero" is input stamped just after the tick count was read. The
  // input's wall-clock time is taken now, so a tick count that stood still
  // during a sleep cannot shorten the quiet before it.
  DWORD idle = reading.nowTick - reading.lastInputTick;
  if (idle > 0x7FFFFFFF) idle = 0;
  int64_t lastInput = LocalNowSeconds() - static_cast<int64_t>(idle / 1000);
  bool quietEnded = watch.watching;
  AwayFacts facts = {watch.quietFrom, CurrentRecord.startSeconds, lastInput, AwayMinutes};
  watch.watching = true;
  watch.lastInputTick = reading.lastInputTick;
  watch.quietFrom = lastInput;
  if (!quietEnded) return;
  AwaySpan span = DecideAway(facts);
  if (span.ask) Ask(window, span);
}

// The check runs every 30 seconds, so a command may come before it has seen
// the return: End Task after lunch would bill the lunch. The command is the
// return, and the quiet up to it is judged as a check would judge it.
AwayAnswered AskAwayBeforeCommand(HWND window) {
  AwayAnswered answered = {kAwayKeep, 0};
  if (!LoggingActive || !watch.watching || watch.asking) return answered;
  int64_t now = LocalNowSeconds();
  AwayFacts facts = {watch.quietFrom, CurrentRecord.startSeconds, now, AwayMinutes};
  AwaySpan span = DecideAway(facts);
  // A question waiting for another window is this same away time.
  if (watch.waiting && SameTask(watch.task, CurrentRecord)) span = FoldAway(watch.span, span);
  watch.waiting = false;
  watch.quietFrom = now;  // the next check must not ask about this quiet again
  if (!span.ask) return answered;
  watch.asking = true;
  TimeRecord task = CurrentRecord;
  answered.answer = AskAboutAwayTime(window, span, task);
  watch.asking = false;
  answered.awayStart = span.from;
  return answered;
}

bool HandleAwayMessage(HWND window, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kAwayTimerId) return false;
      CheckIdleClock(window);
      return true;
    case WM_POWERBROADCAST:
      // The quiet runs from the last input read before the sleep; the time
      // asleep lies between it and the wake on the wall clock, so it counts
      // as away. The clock is read again at both ends, posted so that a
      // question never holds up the system's broadcast.
      if (wParam == PBT_APMSUSPEND || wParam == PBT_APMRESUMESUSPEND ||
          wParam == PBT_APMRESUMEAUTOMATIC)
        PostMessageA(window, WM_AWAY_CHECK, 0, 0);
      return false;
    case WM_AWAY_CHECK:
      CheckIdleClock(window);
      return true;
    case WM_ENABLE:
      if (wParam && watch.waiting) PostMessageA(window, WM_AWAY_ASK, 0, 0);
      return false;
    case WM_AWAY_ASK:
      AskWhenFree(window);
      return true;
  }
  return false;
}
