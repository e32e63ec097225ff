// One change to a file as the undo history keeps it: the bytes both sides
// share at the start, the other side's middle, and enough of the file as the
// change left it to know it again. Applying a step turns it round, so the
// undo of a change is the redo of its undo.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

enum UndoFileKind { kUndoTimeSheet = 0, kUndoDescriptions = 1 };

struct ByteSpan {
  const unsigned char* data;
  size_t size;
};

// The file as a step left it.
struct LeftFile {
  uint64_t size;
  uint64_t hash;      // of all its bytes
  bool lastOpen;      // a time sheet whose last record is open
  uint64_t headHash;  // of all but that record (when lastOpen)
  uint64_t lastHash;  // of the bytes of that record a close leaves alone (when lastOpen)
};

struct UndoStep {
  int64_t time = 0;  // seconds since 1601, UTC
  int file = kUndoTimeSheet;
  bool touchesTask = false;  // the change rewrote the logged task's record
  std::string name;          // "Delete Record"
  uint64_t prefix = 0;       // bytes both sides share at the start
  uint64_t middle = 0;       // bytes after the prefix that differ, in the file as left
  std::string stored;        // the other side's bytes in their place
  LeftFile left = {};
};

// The step from `before` to the pieces of `after`, for a file of kind `file`;
// false when they are the same bytes. A time sheet's middle is whole records.
bool MakeUndoStep(ByteSpan before, const ByteSpan* after, size_t count, int file, UndoStep& step);

enum UndoCheck {
  kUndoApplies,
  kUndoChangedSince,  // the file is not as the step left it, records logged since apart
  kUndoTaskRunning,   // it would rewrite the record of the task being logged
};
// Records appended since, and the close of a last record left open, are
// logging and do not count as changes.
UndoCheck CheckUndoStep(const UndoStep& step, ByteSpan current, bool taskLogging);

// Writes into `result` the file the step gives back from `current` (which
// CheckUndoStep passed), keeping what was logged since, and turns the step
// round: applied to `result` it now gives back `current`.
void ApplyUndoStep(UndoStep& step, ByteSpan current, std::string& result);

// Describes the pieces of a file as a step leaves it.
LeftFile DescribeLeftFile(const ByteSpan* pieces, size_t count, int file);
