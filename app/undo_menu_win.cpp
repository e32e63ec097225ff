#include "app/undo_menu_win.h"

#include "editors/undo_command_win.h"
#include "editors/undo_texts.h"
#include "logging/description_combos.h"
#include "logging/task_logging.h"
#include "resources/resource.h"
#include "store/current_task.h"
#include "store/description_lists.h"
#include "store/undo_win.h"

static void UpdateItem(HMENU menu, int id, bool redo) {
  char name[kUndoNameMost + 1];
  bool any = NextUndoName(redo, name);
  char text[128];
  UndoItemText(redo, any ? name : nullptr, text, sizeof text);
  ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING | (any ? MF_ENABLED : MF_GRAYED), id, text);
}

void UpdateUndoItems(HMENU menu) {
  if (GetMenuState(menu, IDM_UNDO, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
  UpdateItem(menu, IDM_UNDO, false);
  UpdateItem(menu, IDM_REDO, true);
}

void ShowWhatEditorsUndid(HWND window, bool wasLogging) {
  if (TakeListsChangedByUndo()) FillMainCombos(window);
  if (!wasLogging && LoggingActive) ShowResumedTask(window);
}

void RunUndoFromMainWindow(HWND window, bool redo) {
  bool wasLogging = LoggingActive;
  RunUndoCommand(redo);
  ShowWhatEditorsUndid(window, wasLogging);
}
