// Plays the user for the windows a test opens on its own thread: message
// boxes and dialogs are answered from a thread timer, which keeps firing
// inside their modal loops. Steps are met in order; a step whose window does
// not show up in time, or a window nobody expected, fails the test.
#pragma once
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

enum class BoxIcon { kAny, kNone, kError };

class ScriptedUser {
 public:
  // Returns false while the window is not ready yet; it is then tried again.
  using Action = std::function<bool(HWND)>;

  explicit ScriptedUser(int stepTimeoutMs = 8000);
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // A message box with this caption and exactly this text; presses `button`.
  ScriptedUser& AnswerBox(const std::string& caption, const std::string& text, int button,
                          BoxIcon icon = BoxIcon::kAny);
  // Any dialog with this caption; runs `action` on it.
  ScriptedUser& OnDialog(const std::string& caption, Action action);
  // A dialog met before that stays open (an editor): runs `action` on it once
  // it is enabled again, that is once the windows it opened have closed.
  ScriptedUser& OnDialogAgain(const std::string& caption, Action action);
  // A common file dialog: types `path` as the file name and presses OK.
  ScriptedUser& ChooseFile(const std::string& caption, const std::string& path);
  // A dialog with this caption, closed with Cancel.
  ScriptedUser& CancelDialog(const std::string& caption);

  // A window that may stay up without being a step (MainWindow always may).
  void Ignore(HWND window) { ignored_.insert(window); }

  // Pumps messages as the program's loop does until every step has run (and
  // its window has gone) or `timeoutMs` has passed. Fails the test on timeout.
  void RunUntilDone(int timeoutMs = 15000);
  bool Done() const { return steps_.empty(); }
  // Texts of the message boxes answered so far, in order.
  const std::vector<std::string>& Seen() const { return seen_; }

 private:
  struct Step {
    std::string caption;
    Action action;
    DWORD deadline;
    bool again = false;
  };
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Tick();
  std::vector<HWND> CandidateWindows();
  void Dismiss(HWND window);
  bool RunAgainStep();

  int stepTimeoutMs_;
  UINT_PTR timer_;
  bool inTick_ = false;
  std::vector<Step> steps_;
  std::set<HWND> ignored_;
  std::set<HWND> handled_;
  std::vector<std::string> seen_;
};

// Small window helpers for tests.
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
std::string MessageBoxText(HWND box);
// Sets the file name of a common file dialog; false while it is not ready.
bool SetFileDialogName(HWND dialog, const std::string& path);
// Presses a button the way a click does (posted, so modal dialogs may open).
void PressButton(HWND dialog, int id);
// Sends a menu or control command to a window, posted.
void PostCommand(HWND window, int id);
// Pumps messages for a while, as the program's loop would.
void PumpFor(int milliseconds);
// The code of the last WM_QUIT the pump met; -1 for none.
extern int LastQuitCode;
