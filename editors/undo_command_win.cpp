#include "editors/undo_command_win.h"

#include "common/message_boxes.h"
#include "editors/undo_texts.h"
#include "store/paths.h"
#include "store/undo_win.h"

static void ReportUnwritten(const UndoResult& result, bool redo) {
  bool sheet = result.file == kUndoTimeSheet;
  ReportUnableToWrite(sheet ? "Time Sheet" : "Description Lists", sheet ? TimeSheetPath : DescriptionsPath,
                      redo ? "The change was not made again; the file is as it was."
                           : "The change was not undone; the file is as it was.");
}

static bool listsChanged = false;

bool TakeListsChangedByUndo() {
  bool changed = listsChanged;
  listsChanged = false;
  return changed;
}

bool RunUndoCommand(bool redo) {
  UndoResult result = redo ? RedoLastChange() : UndoLastChange();
  switch (result.outcome) {
    case kUndoMade:
      if (result.file == kUndoDescriptions) listsChanged = true;
      return true;
    case kUndoNone:
      MessageBeep(MB_OK);  // Ctrl+Z with nothing to undo
      break;
    case kUndoRefused: {
      char text[256];
      UndoRefusedText(redo, result.name, text, sizeof text);
      ShowError(text);
      break;
    }
    case kUndoTaskInTheWay:
      ShowError(UndoTaskInTheWayText(redo));
      break;
    case kUndoUnwritten:
      ReportUnwritten(result, redo);
      break;
  }
  return false;
}
