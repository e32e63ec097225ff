// Where the undo history meets the rewrites of a time sheet and its
// descriptions file: every rewrite calls the hook between its flushed new
// content and the rename that makes it visible, so the history is on disk
// first and is put back when the rename fails.
#pragma once
#include <stddef.h>

#include "store/safe_file_win.h"
#include "store/time_record.h"
#include "store/undo_history.h"

// While one lives, the rewrites of the open sheet and its descriptions file
// are one change the user can undo, under this name. A change that rewrites
// the logged task's record (an away-time answer) says so.
class UndoableChange {
 public:
  explicit UndoableChange(const char* name, bool touchesTask = false);
  ~UndoableChange();
  UndoableChange(const UndoableChange&) = delete;
  UndoableChange& operator=(const UndoableChange&) = delete;
};

// False stops the rewrite: only an undo whose history cannot be written.
bool BeforeFileReplaced(const char* path, const FilePiece* pieces, size_t count);
void AfterFileReplaced(bool replaced);
// The same for a record written in place at `offset`, the file ending after it.
void BeforeRecordWrittenInPlace(const char* path, int64_t offset, const TimeRecord& record);

// An undo or redo: its own rewrite writes `history`, and puts `former` back
// when it fails.
void WriteHistoryWithNextRewrite(const UndoHistory& history, const UndoHistory& former);
// After that rewrite, whether or not it came as far as the hook.
void DropWaitingHistory();

// Tests only: called once the history is written and before the rename.
extern void (*AfterUndoHistoryWritten)();
