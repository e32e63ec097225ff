#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "common/browser.h"
#include "common/help.h"
#include "common/shell.h"
#include "common/web_page.h"
#include "common/win_help.h"
#include "resources/resource.h"
#include "tests/main_window_fixture.h"
#include "tests/test_files.h"

namespace {
struct Started { std::string line; UINT show; };
struct HelpCall { HWND owner; std::string file; UINT command; ULONG_PTR data; };
std::vector<Started> started;
std::vector<HelpCall> helpCalls;

UINT WINAPI RecordLine(LPCSTR line, UINT show) {
  started.push_back({line, show});
  return 33;
}

BOOL WINAPI RecordWinHelp(HWND owner, LPCSTR file, UINT command, ULONG_PTR data) {
  helpCalls.push_back({owner, file, command, data});
  return TRUE;
}

const char kBrowser[] = "C:\\Program Files\\Web\\web.exe";

// F1 from the real windows, with the browser and WinHelp replaced by
// recorders and the program folder pointing at a fresh temporary folder.
class UiHelp : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    started.clear();
    helpCalls.clear();
    saved_.assign(ProgramDirectory, HelpFilePath, BrowserCommand);
    snprintf(ProgramDirectory, sizeof ProgramDirectory, "%s\\", folder_.Path().c_str());
    snprintf(HelpFilePath, sizeof HelpFilePath, "%sHOURWRIGHT.HLP", ProgramDirectory);
    snprintf(BrowserCommand, sizeof BrowserCommand, "%s", kBrowser);
    StartCommandLine = RecordLine;
    StartWinHelp = RecordWinHelp;
  }
  void TearDown() override {
    StartCommandLine = WinExec;
    StartWinHelp = WinHelpA;
    saved_.restore(ProgramDirectory, HelpFilePath, BrowserCommand);
    MainWindowTest::TearDown();
  }

  // The address the guide is expected at: the temporary folder as a file URL.
  std::string GuideAddress(const char* anchor) const {
    std::string address = "file:///";
    for (char c : folder_.Path()) address += c == '\\' ? '/' : c;
    return address + "/hourwright-guide.html#" + anchor;
  }
  std::string BrowserLine(const char* anchor) const {
    return std::string("\"") + kBrowser + "\" " + GuideAddress(anchor);
  }
  // F1 while a menu item is highlighted.
  static void PressF1OnItem(HWND window, int id) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_MENUITEM;
    info.iCtrlId = id;
    SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  }
  static void PressF1(HWND window) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = window;
    SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  }

  TempFolder folder_;

 private:
  struct Saved {
    std::string directory, help, browser;
    void assign(const char* d, const char* h, const char* b) { directory = d; help = h; browser = b; }
    void restore(char* d, char* h, char* b) const {
      snprintf(d, kPathSize, "%s", directory.c_str());
      snprintf(h, kPathSize, "%s", help.c_str());
      snprintf(b, kPathSize, "%s", browser.c_str());
    }
  } saved_;
};
}  // namespace

TEST_F(UiHelp, WithoutTheHelpFileF1AndIndexOpenTheGuideAtTheirSections) {
  // The folder is a plain Windows path without blanks, as the temp folder is here.
  ASSERT_EQ(folder_.Path().find(' '), std::string::npos);
  PressF1(window_);
  PostCommand(window_, IDM_HELP_INDEX);
  PumpFor(50);
  PressF1OnItem(window_, IDM_UNDO);
  PressF1OnItem(window_, IDM_REDO);
  PressF1OnItem(window_, IDM_TIME_ENTRIES);

  ScriptedUser user;
  user.OnDialog("Export a Time Sheet", [](HWND dialog) {
    PressF1(dialog);
    PressButton(dialog, IDCANCEL);
    return true;
  });
  Press(user, IDM_EXPORT);

  ASSERT_EQ(started.size(), 6u);
  EXPECT_EQ(started[0].line, BrowserLine("main-window"));
  EXPECT_EQ(started[1].line, BrowserLine("main-window"));
  EXPECT_EQ(started[2].line, BrowserLine("undo"));
  EXPECT_EQ(started[3].line, BrowserLine("undo"));
  EXPECT_EQ(started[4].line, BrowserLine("main-window"));
  EXPECT_EQ(started[5].line, BrowserLine("export"));
  for (const Started& s : started) EXPECT_EQ(s.show, (UINT)SW_SHOWMAXIMIZED);
  EXPECT_TRUE(helpCalls.empty());
}

TEST_F(UiHelp, WithTheHelpFileWinHelpOpensItAtTheContextOwnedByTheMainWindow) {
  WriteBytes(HelpFilePath, "?_");  // only its presence counts
  PressF1(window_);
  PostCommand(window_, IDM_HELP_INDEX);
  PumpFor(50);
  ShowHelp(kHelpTimeRecords);

  ASSERT_EQ(helpCalls.size(), 3u);
  const ULONG_PTR contexts[] = {10, 10, 70};
  for (size_t i = 0; i < helpCalls.size(); ++i) {
    EXPECT_EQ(helpCalls[i].owner, window_);
    EXPECT_EQ(helpCalls[i].file, folder_.File("HOURWRIGHT.HLP"));
    EXPECT_EQ(helpCalls[i].command, (UINT)HELP_CONTEXT);
    EXPECT_EQ(helpCalls[i].data, contexts[i]);
  }
  EXPECT_TRUE(started.empty());
}

TEST_F(UiHelp, AFolderNamedLikeTheHelpFileDoesNotCountAsIt) {
  ASSERT_TRUE(CreateDirectoryA(HelpFilePath, NULL));
  ShowHelp(kHelpAbout);
  RemoveDirectoryA(HelpFilePath);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].line, BrowserLine("about"));
  EXPECT_TRUE(helpCalls.empty());
}

TEST_F(UiHelp, AFolderNamedInTheAnsiCodePageIsAddressedInUtf8) {
  if (GetACP() != 1252) GTEST_SKIP() << "the folder name is written in code page 1252";
  snprintf(ProgramDirectory, sizeof ProgramDirectory, "%s\\Pr\xFC" "fung\\", folder_.Path().c_str());
  ShowHelp(kHelpMainWindow);
  ASSERT_EQ(started.size(), 1u);
  std::string guide = GuideAddress("main-window");
  guide.insert(guide.rfind('/'), "/Pr%C3%BCfung");
  EXPECT_EQ(started[0].line, std::string("\"") + kBrowser + "\" " + guide);
}

TEST_F(UiHelp, NothingStartsWithoutABrowserOrAProgramFolder) {
  BrowserCommand[0] = '\0';
  ShowHelp(kHelpMainWindow);
  snprintf(BrowserCommand, sizeof BrowserCommand, "%s", kBrowser);
  ProgramDirectory[0] = HelpFilePath[0] = '\0';
  ShowHelp(kHelpMainWindow);
  EXPECT_TRUE(started.empty());
  EXPECT_TRUE(helpCalls.empty());
}
