// Away time: when nobody touched the computer while a task was logging.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "store/options_text.h"
#include "store/time_record.h"

// What the idle watch knows when input comes back, all in FileSeconds. A
// sleep needs no rule of its own: the watch passes the last input before it,
// and the span is wall-clock time, so the time asleep counts as away.
struct AwayFacts {
  int64_t lastInput;  // the last keyboard or mouse input before the quiet
  int64_t taskStart;  // the logged task's start
  int64_t now;        // when input came back
  int32_t minutes;    // the option: ask from this many minutes on; 0 never
};

struct AwaySpan {
  bool ask;
  int64_t from;  // the later of the last input and the task's start
  int64_t to;
};

AwaySpan DecideAway(const AwayFacts& facts);

// One question covers both spans: from the earlier start to the later end.
AwaySpan FoldAway(const AwaySpan& open, const AwaySpan& more);

// "12:05 pm": the hour as the stamps show it (noon is 12 pm, midnight 0 am).
size_t ClockText(int64_t seconds, char* out, size_t outSize);

// "No keyboard or mouse use from 12:05 pm to 1:40 pm (1:35) while this task
// was logging:"; the length counts whole minutes as the two times show them.
void AwayQuestionText(const AwaySpan& span, char* out, size_t outSize);
// "&End the task at 12:05 pm".
void AwayEndButtonText(const AwaySpan& span, char* out, size_t outSize);

// True while `logged` is still the task the question was asked about.
bool SameTask(const TimeRecord& asked, const TimeRecord& logged);
