// The undo history of one time sheet and the bytes of its history file.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "store/undo_step.h"

enum { kUndoStepsKept = 50, kUndoNameMost = 63 };
// All histories together, files as written.
const uint64_t kUndoBytesKept = 64ull << 20;

struct UndoHistory {
  std::string sheetPath;
  std::vector<UndoStep> steps;  // oldest first
  size_t done = 0;              // steps[0, done) can be undone, the last first; the rest redone
};

// A new change: the steps that could be redone go, and the oldest beyond
// kUndoStepsKept.
void AddUndoStep(UndoHistory& history, UndoStep step);

uint64_t UndoHistoryFileSize(const UndoHistory& history);
void WriteUndoHistory(const UndoHistory& history, std::string& out);
// False for bytes that are not a whole history file; `history` is then empty.
bool ReadUndoHistory(ByteSpan bytes, UndoHistory& history);

// Drops the oldest steps, across all `histories`, until their files together
// take at most `limit` bytes. Returns whether any was dropped.
bool KeepUndoWithin(std::vector<UndoHistory*>& histories, uint64_t limit);
