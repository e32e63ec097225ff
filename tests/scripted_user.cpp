#include "tests/scripted_user.h"

#include <gtest/gtest.h>

#include "common/shell.h"

namespace {
ScriptedUser* activeUser = nullptr;
const int kMessageBoxTextId = 0xFFFF;
const int kMessageBoxIconId = 1088;
const int kFileNameId = 1148;

bool IsDialogWindow(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return strcmp(name, "#32770") == 0;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}
}  // namespace

std::string WindowText(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ItemText(HWND dialog, int id) {
  char text[4096] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string MessageBoxText(HWND box) { return ItemText(box, kMessageBoxTextId); }

bool SetFileDialogName(HWND dialog, const std::string& path) {
  HWND outer = GetDlgItem(dialog, kFileNameId);
  if (outer == NULL) return false;
  // The name box is a ComboBoxEx32 around a combo box around an edit.
  HWND edit = NULL;
  for (HWND child = GetWindow(outer, GW_CHILD); child != NULL && edit == NULL;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (strcmp(name, "Edit") == 0) edit = child;
    else edit = FindWindowExA(child, NULL, "Edit", NULL);
  }
  if (edit == NULL) edit = outer;
  SetWindowTextA(edit, path.c_str());
  return true;
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

int LastQuitCode = -1;

void PumpFor(int milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  MSG message;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) LastQuitCode = static_cast<int>(message.wParam);
      if (MainWindow != NULL && IsDialogMessageA(MainWindow, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
}

ScriptedUser::ScriptedUser(int stepTimeoutMs) : stepTimeoutMs_(stepTimeoutMs) {
  activeUser = this;
  timer_ = SetTimer(NULL, 0, 25, OnTimer);
}

ScriptedUser::~ScriptedUser() {
  KillTimer(NULL, timer_);
  activeUser = nullptr;
  for (const Step& step : steps_)
    ADD_FAILURE() << "expected window \"" << step.caption << "\" never appeared";
}

ScriptedUser& ScriptedUser::OnDialog(const std::string& caption, Action action) {
  steps_.push_back(Step{caption, std::move(action), 0});
  return *this;
}

ScriptedUser& ScriptedUser::OnDialogAgain(const std::string& caption, Action action) {
  steps_.push_back(Step{caption, std::move(action), 0, true});
  return *this;
}

bool ScriptedUser::RunAgainStep() {
  if (steps_.empty() || !steps_.front().again) return false;
  for (HWND window : handled_) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
    if (WindowText(window) != steps_.front().caption) continue;
    Step step = steps_.front();
    if (!step.action(window)) return false;
    steps_.erase(steps_.begin());
    if (!steps_.empty()) steps_.front().deadline = GetTickCount() + stepTimeoutMs_;
    return true;
  }
  return false;
}

ScriptedUser& ScriptedUser::AnswerBox(const std::string& caption, const std::string& text,
                                      int button, BoxIcon icon) {
  return OnDialog(caption, [this, caption, text, button, icon](HWND box) {
    std::string shown = MessageBoxText(box);
    seen_.push_back(shown);
    EXPECT_EQ(shown, text) << "text of the box \"" << caption << "\"";
    HWND iconControl = GetDlgItem(box, kMessageBoxIconId);
    bool hasIcon = iconControl != NULL && SendMessageA(iconControl, STM_GETICON, 0, 0) != 0;
    if (icon == BoxIcon::kError) {
      EXPECT_TRUE(hasIcon) << "box \"" << shown << "\" shows no icon";
    }
    if (icon == BoxIcon::kNone) {
      EXPECT_FALSE(hasIcon) << "box \"" << shown << "\" shows an icon";
    }
    if (GetDlgItem(box, button) == NULL) {
      ADD_FAILURE() << "box \"" << shown << "\" has no button " << button;
      Dismiss(box);
    } else {
      PressButton(box, button);
    }
    return true;
  });
}

ScriptedUser& ScriptedUser::ChooseFile(const std::string& caption, const std::string& path) {
  return OnDialog(caption, [path](HWND dialog) {
    if (!SetFileDialogName(dialog, path)) return false;
    PressButton(dialog, IDOK);
    return true;
  });
}

ScriptedUser& ScriptedUser::CancelDialog(const std::string& caption) {
  return OnDialog(caption, [](HWND dialog) {
    PressButton(dialog, IDCANCEL);
    return true;
  });
}

void CALLBACK ScriptedUser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (activeUser != nullptr) activeUser->Tick();
}

std::vector<HWND> ScriptedUser::CandidateWindows() {
  std::vector<HWND> all, candidates;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !IsDialogWindow(window)) continue;
    if (window == MainWindow || ignored_.count(window) || handled_.count(window)) continue;
    candidates.push_back(window);
  }
  return candidates;
}

void ScriptedUser::Dismiss(HWND window) {
  handled_.insert(window);
  for (int id : {IDCANCEL, IDNO, IDOK}) {
    if (GetDlgItem(window, id) != NULL) {
      PressButton(window, id);
      return;
    }
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
}

void ScriptedUser::Tick() {
  if (inTick_) return;
  inTick_ = true;
  for (auto it = handled_.begin(); it != handled_.end();)
    it = IsWindow(*it) ? std::next(it) : handled_.erase(it);

  DWORD now = GetTickCount();
  if (!steps_.empty() && steps_.front().deadline == 0) steps_.front().deadline = now + stepTimeoutMs_;
  if (RunAgainStep()) {
    inTick_ = false;
    return;
  }
  for (HWND window : CandidateWindows()) {
    std::string caption = WindowText(window);
    if (!steps_.empty() && caption == steps_.front().caption) {
      Step step = steps_.front();
      if (step.action(window)) {
        handled_.insert(window);
        steps_.erase(steps_.begin());
        if (!steps_.empty()) steps_.front().deadline = now + stepTimeoutMs_;
      }
      break;
    }
    std::string text = MessageBoxText(window);
    ADD_FAILURE() << "unexpected window \"" << caption << "\": \"" << text << "\""
                  << (steps_.empty() ? "" : " while waiting for \"" + steps_.front().caption + "\"");
    seen_.push_back(text);
    Dismiss(window);
  }
  if (!steps_.empty() && static_cast<int>(now - steps_.front().deadline) > 0) {
    ADD_FAILURE() << "expected window \"" << steps_.front().caption << "\" did not appear within "
                  << stepTimeoutMs_ << " ms";
    steps_.erase(steps_.begin());
    // A dialog acted on earlier may be waiting for the missing window; closing
    // it lets its modal loop end, so the test fails instead of hanging.
    std::set<HWND> open = handled_;
    for (HWND window : open)
      if (IsWindow(window)) Dismiss(window);
    if (!steps_.empty()) steps_.front().deadline = now + stepTimeoutMs_;
  }
  inTick_ = false;
}

void ScriptedUser::RunUntilDone(int timeoutMs) {
  DWORD end = GetTickCount() + timeoutMs;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    bool windowsGone = true;
    for (HWND window : handled_) windowsGone = windowsGone && !IsWindow(window);
    if (steps_.empty() && windowsGone) break;
    PumpFor(20);
  }
  if (!steps_.empty()) ADD_FAILURE() << "scripted user still waits for \"" << steps_.front().caption << "\"";
  PumpFor(30);  // let the last answered window finish closing
}
