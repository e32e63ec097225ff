#include <windows.h>
#include <shellapi.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/tray_icon.h"
#include "common/shell.h"
#include "tests/main_window_fixture.h"

namespace {
// What the window asked of the notification area, and what it is told back.
struct NotifyCall {
  DWORD message;
  PNOTIFYICONDATAA record;
  NOTIFYICONDATAA copy;
};
std::vector<NotifyCall> calls;
BOOL notifyResult = TRUE;

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAA record) {
  NotifyCall call = {message, record, {}};
  memcpy(&call.copy, record, sizeof call.copy);
  calls.push_back(call);
  return notifyResult;
}

class UiTrayIcon : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    calls.clear();
    notifyResult = TRUE;
    TrayNotify = RecordNotify;
  }
  void TearDown() override {
    TrayNotify = Shell_NotifyIconA;
    MainWindowTest::TearDown();
  }
  // The broadcast a new taskbar sends to every top-level window.
  void TaskbarRestarted() { SendMessageA(window_, RegisterWindowMessageA("TaskbarCreated"), 0, 0); }
  void Hide() {
    PostMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpFor(50);
    ASSERT_FALSE(IsWindowVisible(window_));
  }
};
}  // namespace

TEST_F(UiTrayIcon, ANewTaskbarGetsTheIconAgainWithTheSameRecord) {
  Hide();
  TaskbarRestarted();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
  const NOTIFYICONDATAA& added = calls[0].copy;
  EXPECT_EQ(added.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
  EXPECT_EQ(added.hWnd, window_);
  EXPECT_EQ(added.uID, 0u);
  EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(added.uCallbackMessage, static_cast<UINT>(WM_TRAYICON));
  EXPECT_NE(added.hIcon, (HICON)NULL);
  EXPECT_STREQ(added.szTip, "Hourwright");
  EXPECT_FALSE(IsWindowVisible(window_));  // the icon is the way back

  // The icon that is deleted at the end is the one added again.
  DestroyWindow(window_);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(calls[1].record, calls[0].record);
  EXPECT_EQ(memcmp(&calls[1].copy, &added, NOTIFYICONDATAA_V1_SIZE), 0);
}

TEST_F(UiTrayIcon, AnIconThatCannotBeAddedShowsAHiddenWindow) {
  notifyResult = FALSE;
  TaskbarRestarted();  // shown: it stays as it is
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_TRUE(IsWindowVisible(window_));

  notifyResult = TRUE;
  Hide();  // the icon is added again first
  EXPECT_EQ(calls.size(), 2u);
  notifyResult = FALSE;
  TaskbarRestarted();
  EXPECT_EQ(calls.size(), 3u);
  EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(UiTrayIcon, WithoutAnIconMinimisingKeepsTheWindowOnTheTaskbar) {
  notifyResult = FALSE;
  TaskbarRestarted();  // the icon is gone and cannot be added
  PostMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpFor(50);
  EXPECT_EQ(calls.size(), 2u);  // tried once more before minimising
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_TRUE(IsIconic(window_));
}
