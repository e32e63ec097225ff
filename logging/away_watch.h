// Watches for away time while a task is logging: the main window's 30-second
// timer reads the idle clock, and a sleep of the computer counts as away.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "logging/away_question.h"

enum { kAwayTimerId = 18, kAwayCheckMs = 30000 };
// Posted to the main window: the waiting question may be asked now; the idle
// clock is to be read now (the computer goes to sleep or woke up).
enum { WM_AWAY_ASK = WM_APP + 18, WM_AWAY_CHECK = WM_APP + 19 };

// The option as the watch uses it (minutes; 0 never); the Options dialog
// changes it once the new value is written.
extern int32_t AwayMinutes;

// Reads the option and starts the checks; called once the main window exists.
void StartAwayWatch(HWND mainWindow);

// The main window's timer, power and re-enabling messages; true when the
// message was the watch's alone.
bool HandleAwayMessage(HWND mainWindow, UINT message, WPARAM wParam);

// An answer to the away question and where the away time began.
struct AwayAnswered {
  AwayAnswer answer;  // kAwayKeep when nothing was asked
  int64_t awayStart;  // FileSeconds
};

// Before End Task, Start New Task, Open Timesheet and closing: asks about the
// quiet the watch last saw, up to now, when it reached the option's minutes.
AwayAnswered AskAwayBeforeCommand(HWND mainWindow);

enum AwayOutcome { kAwayGoOn, kAwayEnded, kAwayUnwritten };
// Applies an answer once: End ends the task at the away start; so does
// Discard when `commandEnds` the task anyway, and otherwise it splits the
// task there. kAwayUnwritten when that could not be written (said) or the
// user declined to name a sheet for a split: the task runs on as it was.
AwayOutcome ApplyAwayAnswer(HWND mainWindow, AwayAnswered& answered, bool commandEnds);

// The idle clock: the tick of the last keyboard or mouse input and the tick
// now (GetLastInputInfo and GetTickCount); tests put a clock of their own here.
struct IdleClockReading {
  DWORD lastInputTick;
  DWORD nowTick;
};
extern bool (*ReadIdleClock)(IdleClockReading* reading);
