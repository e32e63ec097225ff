// Undo and redo of the changes to the open time sheet and its descriptions
// file, from the sheet's history. Shows nothing: the caller says the outcome.
#pragma once
#include "store/undo_history.h"

enum UndoOutcome {
  kUndoNone,          // nothing to undo (or redo)
  kUndoMade,          // the file is as it was before the change (or after it)
  kUndoRefused,       // the file was changed since; file and history are as they were
  kUndoTaskInTheWay,  // it would rewrite the record of the task being logged
  kUndoUnwritten,     // the file could not be read or replaced; it is as it was
};

struct UndoResult {
  UndoOutcome outcome;
  char name[kUndoNameMost + 1];  // the change's name
  int file;                      // kUndoTimeSheet or kUndoDescriptions
  bool taskResumed;  // the undo gave back the open record of a task ended by the change: it logs again
};

UndoResult UndoLastChange();
UndoResult RedoLastChange();

// The change the next undo (or redo) would take back (or make again); false
// when there is none for the open sheet.
bool NextUndoName(bool redo, char (&name)[kUndoNameMost + 1]);
