#include "editors/undo_keys_win.h"

#include "resources/resource.h"

enum { kCtrlY = 0x19, kCtrlZ = 0x1A };

int UndoKeyCommand(const MSG& message) {
  if (message.message != WM_CHAR) return 0;
  if (message.wParam == kCtrlZ) return IDM_UNDO;
  if (message.wParam == kCtrlY) return IDM_REDO;
  return 0;
}

// The editors run in the dialog box's own message loop, which offers every
// message to this filter first.
static HWND watched = NULL;
static HHOOK filter = NULL;

static LRESULT CALLBACK UndoKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && watched != NULL && message != NULL &&
      (message->hwnd == watched || IsChild(watched, message->hwnd))) {
    int command = UndoKeyCommand(*message);
    if (command != 0) {
      PostMessageA(watched, WM_COMMAND, command, 0);
      return 1;  // swallowed
    }
  }
  return CallNextHookEx(filter, code, wParam, lParam);
}

void WatchUndoKeys(HWND dialog) {
  StopWatchingUndoKeys();
  watched = dialog;
  filter = SetWindowsHookExA(WH_MSGFILTER, UndoKeyFilter, NULL, GetCurrentThreadId());
}

void StopWatchingUndoKeys() {
  if (filter != NULL) UnhookWindowsHookEx(filter);
  filter = NULL;
  watched = NULL;
}
