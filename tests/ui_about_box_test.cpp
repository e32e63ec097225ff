#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "about/about_box.h"
#include "about/mail_to.h"
#include "common/browser.h"
#include "common/shell.h"
#include "common/version.h"
#include "common/web_page.h"
#include "resources/resource.h"
#include "tests/fake_mapi/fake_mail.h"
#include "tests/main_window_fixture.h"
#include "tests/test_files.h"
#include "tests/window_capture.h"

namespace {
const char kCaption[] = "About Hourwright";
const char kUpdateText[] = "For The Most Recent Version, go to our web site!";
const char kBrowser[] = "C:\\Program Files\\Web\\web.exe";
const int kLinkIds[] = {IDC_ABOUT_SALES_MAIL, IDC_ABOUT_WEB_SITE, IDC_ABOUT_PRODUCT_PAGE};

LONG_PTR ProcedureOf(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }

// A click on a link image as the mouse gives it; posted, since it may bring up
// a modal box.
void ClickLink(HWND about, int id) {
  HWND link = GetDlgItem(about, id);
  PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

SIZE ImageSize(HWND control) {
  SIZE size = {0, 0};
  HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info;
  if (image != NULL && GetObjectA(image, sizeof info, &info) == sizeof info) {
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
  }
  return size;
}

COLORREF ImageCorner(HWND control) {
  HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, image);
  COLORREF corner = GetPixel(dc, 0, 0);
  SelectObject(dc, old);
  DeleteDC(dc);
  return corner;
}

bool ShowsErrorIcon(HWND box) {
  HWND icon = GetDlgItem(box, 1088);
  return icon != NULL && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
}

// Command lines the program would have started, with their show commands.
std::vector<std::pair<std::string, UINT>> started;
UINT WINAPI RecordStart(LPCSTR line, UINT show) {
  started.emplace_back(line, show);
  return 33;
}

// The window procedure each watched control has when WM_DESTROY reaches it.
std::map<HWND, LONG_PTR> procedureAtDestroy;
LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == WM_DESTROY && procedureAtDestroy.count(sent->hwnd))
    procedureAtDestroy[sent->hwnd] = ProcedureOf(sent->hwnd);
  return CallNextHookEx(NULL, code, wParam, lParam);
}

// The mail library's folder: the tests' own, with the stand-in libraries, or
// one a test names.
std::string mailFolder;
UINT WINAPI MailFolder(LPSTR folder, UINT size) {
  return static_cast<UINT>(snprintf(folder, size, "%s", mailFolder.c_str()));
}
std::string ProgramFolder() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(NULL, self, sizeof self);
  return std::string(self).substr(0, std::string(self).find_last_of('\\'));
}

class UiAboutBox : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    snprintf(BrowserCommand, sizeof BrowserCommand, "%s", kBrowser);
    StartCommandLine = RecordStart;
    started.clear();
    mailFolder = ProgramFolder();
    MailLibraryFolder = MailFolder;
  }
  void TearDown() override {
    StartCommandLine = WinExec;
    MailLibraryName = "MAPI32.DLL";
    MailLibraryFolder = GetSystemDirectoryA;
    BrowserCommand[0] = '\0';
    MainWindowTest::TearDown();
  }

  // Opens the box from the menu; `action` acts on it and must close it.
  void OpenAbout(ScriptedUser& user, ScriptedUser::Action action) {
    user.OnDialog(kCaption, [this, action](HWND about) {
      about_ = about;
      return action(about);
    });
    Press(user, IDM_ABOUT);
    EXPECT_FALSE(IsWindow(about_)) << "the About box is still open";
  }

  HWND about_ = NULL;
};
}  // namespace

TEST_F(UiAboutBox, OpensOverTheMainWindowWithTheVersionAndTheFourImages) {
  ScriptedUser user;
  OpenAbout(user, [this](HWND about) {
    EXPECT_EQ(GetWindow(about, GW_OWNER), window_);
    EXPECT_FALSE(IsWindowEnabled(window_)) << "the main window stays usable under the box";
    EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_NE(FindWindowExA(about, NULL, "Static", "Hourwright " HOURWRIGHT_VERSION_TEXT), (HWND)NULL);
    EXPECT_NE(FindWindowExA(about, NULL, "Static", "Glimmerbox Software"), (HWND)NULL);
    EXPECT_NE(FindWindowExA(about, NULL, "Static", kUpdateText), (HWND)NULL);
    EXPECT_EQ(ItemText(about, IDOK), "OK");
    EXPECT_EQ(SendMessageA(about, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    struct Image { int id; LONG width, height; } images[] = {
        {IDC_ABOUT_SALES_MAIL, 170, 17}, {IDC_ABOUT_WEB_SITE, 170, 17}, {IDC_ABOUT_PRODUCT_PAGE, 170, 18}};
    for (const Image& image : images) {
      SIZE size = ImageSize(GetDlgItem(about, image.id));
      EXPECT_EQ(size.cx, image.width) << image.id;
      EXPECT_EQ(size.cy, image.height) << image.id;
      EXPECT_EQ(ImageCorner(GetDlgItem(about, image.id)), GetSysColor(COLOR_3DFACE))
          << image.id << ": the link does not sit on the dialog's face";
    }
    // The picture is the only image without an id of its own.
    HWND picture = NULL;
    for (HWND child = GetWindow(about, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT))
      if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP && GetDlgCtrlID(child) == 0xFFFF)
        picture = child;
    SIZE size = ImageSize(picture);
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 229);
    std::string screenshot = WindowsPathFromEnvironment("HOURWRIGHT_ABOUT_SCREENSHOT");
    if (!screenshot.empty()) SaveWindowPicture(about, screenshot);
    PressButton(about, IDOK);
    return true;
  });
  EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(UiAboutBox, EscapeClosesTheBoxAndOtherCommandsDoNot) {
  ScriptedUser user;
  OpenAbout(user, [](HWND about) {
    PostCommand(about, IDM_ABOUT);
    PostCommand(about, 4242);
    PressButton(about, IDCANCEL);
    return true;
  });
  EXPECT_TRUE(started.empty());
}

TEST_F(UiAboutBox, LinksCarryTheLinkProcedureOnlyWhileTheBoxIsOpen) {
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchDestroy, NULL, GetCurrentThreadId());
  ASSERT_NE(hook, (HHOOK)NULL);
  for (int opening = 1; opening <= 2; ++opening) {
    procedureAtDestroy.clear();
    LONG_PTR own = 0;
    ScriptedUser user;
    OpenAbout(user, [&own](HWND about) {
      own = ProcedureOf(FindWindowExA(about, NULL, "Static", kUpdateText));
      EXPECT_NE(own, reinterpret_cast<LONG_PTR>(LinkWindowProc));
      for (int id : kLinkIds) {
        EXPECT_EQ(ProcedureOf(GetDlgItem(about, id)), reinterpret_cast<LONG_PTR>(LinkWindowProc)) << id;
        procedureAtDestroy[GetDlgItem(about, id)] = 0;
      }
      PressButton(about, IDOK);
      return true;
    });
    ASSERT_EQ(procedureAtDestroy.size(), 3u);
    for (const auto& link : procedureAtDestroy)
      EXPECT_EQ(link.second, own) << "opening " << opening << ": a link went with a borrowed procedure";
  }
  UnhookWindowsHookEx(hook);
}

TEST_F(UiAboutBox, PointerIsTheHandOverALinkAndTheArrowElsewhere) {
  HCURSOR hand = LoadCursorA(ProgramInstance, MAKEINTRESOURCEA(IDC_LINK_CURSOR));
  HCURSOR arrow = LoadCursorA(NULL, IDC_ARROW), wait = LoadCursorA(NULL, IDC_WAIT);
  ASSERT_NE(hand, (HCURSOR)NULL);
  ScriptedUser user;
  OpenAbout(user, [&](HWND about) {
    LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    for (int id : kLinkIds) {
      HWND link = GetDlgItem(about, id);
      SetCursor(wait);
      EXPECT_EQ(SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), overClient), 0) << id;
      EXPECT_EQ(GetCursor(), hand) << id;
      SetCursor(wait);
      SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(about), overClient);
      EXPECT_NE(GetCursor(), hand) << id << ": the hand for another window";
    }
    HWND text = FindWindowExA(about, NULL, "Static", kUpdateText);
    SetCursor(wait);
    SendMessageA(text, WM_SETCURSOR, reinterpret_cast<WPARAM>(text), overClient);
    EXPECT_EQ(GetCursor(), arrow);
    PressButton(about, IDOK);
    return true;
  });
}

TEST_F(UiAboutBox, WebLinksStartTheQuotedBrowserMaximisedOnTheirPages) {
  ScriptedUser user;
  OpenAbout(user, [](HWND about) {
    ClickLink(about, IDC_ABOUT_WEB_SITE);
    ClickLink(about, IDC_ABOUT_PRODUCT_PAGE);
    PressButton(about, IDOK);
    return true;
  });
  const std::string browser = std::string("\"") + kBrowser + "\" ";
  std::vector<std::pair<std::string, UINT>> expected = {
      {browser + "https://www.example.com/", SW_SHOWMAXIMIZED},
      {browser + "https://www.example.com/hourwright/", SW_SHOWMAXIMIZED}};
  EXPECT_EQ(started, expected);
}

TEST_F(UiAboutBox, MailLinkReportsEachMailFailureAndTheBoxStaysOpen) {
  static const char kNoMapiSendMail[] = "no_mapi.dll";  // loads, but sends no mail
  ASSERT_EQ(GetModuleHandleA(kNoMapiSendMail), (HMODULE)NULL);
  MailLibraryName = "hourwright-no-such-mapi.dll";
  ScriptedUser user;
  user.OnDialog(kCaption, [this](HWND about) {
        about_ = about;
        ClickLink(about, IDC_ABOUT_SALES_MAIL);
        return true;
      })
      .OnDialog("Hourwright", [this](HWND box) {
        EXPECT_EQ(MessageBoxText(box), "Unable to Open Default Mail Application");
        EXPECT_TRUE(ShowsErrorIcon(box));
        EXPECT_EQ(GetWindow(box, GW_OWNER), window_);
        PressButton(box, IDOK);
        // Clicked again once the box has gone: the About box must still be there.
        MailLibraryName = kNoMapiSendMail;
        ClickLink(about_, IDC_ABOUT_SALES_MAIL);
        return true;
      })
      .OnDialog("Hourwright", [this](HWND box) {
        EXPECT_EQ(MessageBoxText(box), "Enable to log on to mail system");
        EXPECT_TRUE(ShowsErrorIcon(box));
        PressButton(box, IDOK);
        PressButton(about_, IDOK);
        return true;
      });
  Press(user, IDM_ABOUT);
  EXPECT_FALSE(IsWindow(about_));
  EXPECT_EQ(GetModuleHandleA(kNoMapiSendMail), (HMODULE)NULL) << "the library was left loaded";
}

TEST_F(UiAboutBox, MailLinkHandsTheMailClientTheSalesAddressAndSubject) {
  // Held here as well, so that what it kept outlives the program's unloading.
  HMODULE fake = LoadLibraryA("fake_mapi.dll");
  ASSERT_NE(fake, (HMODULE)NULL);
  auto lastMail = reinterpret_cast<LastFakeMailFunction>(
      reinterpret_cast<void*>(GetProcAddress(fake, "LastFakeMail")));
  ASSERT_NE(lastMail, nullptr);
  MailLibraryName = "fake_mapi.dll";
  ScriptedUser user;
  OpenAbout(user, [](HWND about) {
    ClickLink(about, IDC_ABOUT_SALES_MAIL);
    PressButton(about, IDOK);
    return true;
  });
  FakeMail mail = *lastMail();
  FreeLibrary(fake);
  EXPECT_EQ(GetModuleHandleA("fake_mapi.dll"), (HMODULE)NULL) << "the program kept the library loaded";

  EXPECT_EQ(mail.calls, 1);
  EXPECT_EQ(mail.session, 0u);
  EXPECT_EQ(mail.uiParam, reinterpret_cast<ULONG_PTR>(about_)) << "the mail client's parent";
  EXPECT_EQ(mail.flags, 8u);  // MAPI_DIALOG
  EXPECT_EQ(mail.reserved, 0u);
  EXPECT_STREQ(mail.subject, "Glimmerbox");
  for (const char* none : {mail.noteText, mail.messageType, mail.dateReceived, mail.conversationId})
    EXPECT_STREQ(none, "<null>");
  EXPECT_EQ(mail.messageFlags, 3u);  // unread, receipt requested
  EXPECT_EQ(mail.recipientCount, 1u);
  EXPECT_EQ(mail.fileCount, 0u);
  EXPECT_TRUE(mail.filesNull);
  ASSERT_FALSE(mail.originatorNull);
  EXPECT_EQ(mail.originatorClass, 0u);  // MAPI_ORIG
  EXPECT_STREQ(mail.originatorName, "ONE");
  EXPECT_STREQ(mail.originatorAddress, "<null>");
  EXPECT_EQ(mail.originatorEntryIdSize, 0u);
  ASSERT_FALSE(mail.recipientsNull);
  EXPECT_EQ(mail.recipientClass, 1u);  // MAPI_TO
  EXPECT_STREQ(mail.recipientName, "<null>");
  EXPECT_STREQ(mail.recipientAddress, "sales@example.com");
  EXPECT_EQ(mail.recipientEntryIdSize, 0u);
}

TEST_F(UiAboutBox, MailLinkLoadsTheSystemFoldersMapiNotOnePlantedBesideTheProgram) {
  // Planted: one without MAPISendMail ("Enable to log on"). The Ui tests run
  // with mapi32=n,b, so Wine searches the program's folder first, as Windows does.
  const char* overrides = getenv("WINEDLLOVERRIDES");
  if (overrides == NULL || strstr(overrides, "mapi32=n") == NULL) GTEST_SKIP() << "needs mapi32=n,b";
  struct Planted : std::string { ~Planted() { DeleteFileA(c_str()); } } planted;
  planted.assign(ProgramFolder() + "\\MAPI32.DLL");
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\no_mapi.dll").c_str(), planted.c_str(), FALSE));
  TempFolder system;  // the system folder, holding the library that keeps the mail
  mailFolder = system.Path();
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\fake_mapi.dll").c_str(), system.File("MAPI32.DLL").c_str(), FALSE));
  SetEnvironmentVariableA("HOURWRIGHT_FAKE_MAIL_SUBJECT", NULL);
  ScriptedUser user;
  OpenAbout(user, [](HWND about) {
    ClickLink(about, IDC_ABOUT_SALES_MAIL);
    PressButton(about, IDOK);
    return true;
  });
  char subject[16] = "";
  GetEnvironmentVariableA("HOURWRIGHT_FAKE_MAIL_SUBJECT", subject, sizeof subject);
  EXPECT_STREQ(subject, "Glimmerbox");
}
