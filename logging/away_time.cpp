#include "logging/away_time.h"

#include <stdio.h>
#include <string.h>

#include "store/description_text.h"

static const int64_t kSecondsPerMinute = 60;
static const int64_t kSecondsPerDay = 86400;

AwaySpan DecideAway(const AwayFacts& facts) {
  AwaySpan span;
  // Time before the task started was not logged, so it cannot be away time.
  span.from = facts.lastInput > facts.taskStart ? facts.lastInput : facts.taskStart;
  span.to = facts.now;
  // A clock set back during the quiet gives a span below zero: nothing to ask.
  span.ask = facts.minutes > 0 && facts.minutes <= kAwayMinutesMost && span.to >= span.from &&
             span.to - span.from >= facts.minutes * kSecondsPerMinute;
  return span;
}

AwaySpan FoldAway(const AwaySpan& open, const AwaySpan& more) {
  AwaySpan folded = open;
  if (more.from < folded.from) folded.from = more.from;
  if (more.to > folded.to) folded.to = more.to;
  folded.ask = open.ask || more.ask;
  return folded;
}

// FileSeconds count from a midnight, so the time of day is the remainder.
static int64_t SecondOfDay(int64_t seconds) {
  int64_t second = seconds % kSecondsPerDay;
  return second < 0 ? second + kSecondsPerDay : second;
}

size_t ClockText(int64_t seconds, char* out, size_t outSize) {
  int64_t second = SecondOfDay(seconds);
  int hour = static_cast<int>(second / 3600);
  int minute = static_cast<int>(second / kSecondsPerMinute % 60);
  // As the stamps do: noon to 12:59 is pm and keeps its 12; 0:05 stays am.
  const char* half = hour >= 12 ? "pm" : "am";
  if (hour > 12) hour -= 12;
  int length = snprintf(out, outSize, "%d:%02d %s", hour, minute, half);
  if (length < 0) return 0;
  return static_cast<size_t>(length) < outSize ? static_cast<size_t>(length) : outSize - 1;
}

// Whole minutes between the two times as shown, so "12:05 pm to 1:40 pm"
// always reads "(1:35)" whatever their seconds.
static int64_t ShownMinutes(const AwaySpan& span) {
  int64_t from = span.from / kSecondsPerMinute - (span.from % kSecondsPerMinute < 0 ? 1 : 0);
  int64_t to = span.to / kSecondsPerMinute - (span.to % kSecondsPerMinute < 0 ? 1 : 0);
  return to > from ? to - from : 0;
}

void AwayQuestionText(const AwaySpan& span, char* out, size_t outSize) {
  char from[16], to[16];
  ClockText(span.from, from, sizeof from);
  ClockText(span.to, to, sizeof to);
  int64_t minutes = ShownMinutes(span);
  snprintf(out, outSize,
           "No keyboard or mouse use from %s to %s (%lld:%02d) while this task was logging:", from,
           to, static_cast<long long>(minutes / 60), static_cast<int>(minutes % 60));
}

void AwayEndButtonText(const AwaySpan& span, char* out, size_t outSize) {
  char from[16];
  ClockText(span.from, from, sizeof from);
  snprintf(out, outSize, "&End the task at %s", from);
}

static bool SameDescription(const char* a, const char* b) {
  size_t length = DescriptionLength(a);
  return length == DescriptionLength(b) && memcmp(a, b, length) == 0;
}

bool SameTask(const TimeRecord& asked, const TimeRecord& logged) {
  return asked.startSeconds == logged.startSeconds && SameDescription(asked.task, logged.task) &&
         SameDescription(asked.project, logged.project) &&
         SameDescription(asked.classification, logged.classification);
}
