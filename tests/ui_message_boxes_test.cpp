#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "common/message_boxes.h"
#include "common/shell.h"
#include "tests/scripted_user.h"

TEST(UiMessageBoxes, ErrorShowsProductCaptionTextAndIcon) {
  ScriptedUser user;
  user.AnswerBox("Hourwright", "Missing Task Description", IDOK, BoxIcon::kError);
  ShowError("Missing Task Description");
  user.RunUntilDone();
}

TEST(UiMessageBoxes, NoticeUsesItsCaptionWithoutIcon) {
  ScriptedUser user;
  user.AnswerBox("Some Caption", "line one\nline two", IDOK, BoxIcon::kNone);
  ShowNotice("Some Caption", "line one\nline two");
  user.RunUntilDone();
}

TEST(UiMessageBoxes, AskYesNoIsTrueOnlyForYes) {
  ScriptedUser user;
  user.AnswerBox("Question", "Proceed?", IDYES, BoxIcon::kNone)
      .AnswerBox("Question", "Proceed?", IDNO, BoxIcon::kNone);
  EXPECT_TRUE(AskYesNo("Question", "Proceed?"));
  EXPECT_FALSE(AskYesNo("Question", "Proceed?"));
  user.RunUntilDone();
}

TEST(UiMessageBoxes, BoxesAreTaskModal) {
  HWND other = CreateWindowA("STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                             NULL, NULL, NULL, NULL);
  bool otherEnabledDuringBox = true;
  ScriptedUser user;
  user.Ignore(other);
  user.OnDialog("Hourwright", [&](HWND box) {
    otherEnabledDuringBox = IsWindowEnabled(other) != FALSE;
    PressButton(box, IDOK);
    return true;
  });
  ShowError("modal");
  user.RunUntilDone();
  EXPECT_FALSE(otherEnabledDuringBox);
  EXPECT_TRUE(IsWindowEnabled(other));
  DestroyWindow(other);
}

TEST(UiScriptedUser, ReportsAnUnexpectedBox) {
  // The rig itself must fail a test that meets a box it was not told about.
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    ScriptedUser user;
    ShowError("nobody expects this");
    user.RunUntilDone(500);
  }
  ASSERT_EQ(failures.size(), 1);
  EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find("nobody expects this"),
            std::string::npos);
}

TEST(UiScriptedUser, ReportsAMissingWindowInTime) {
  ::testing::TestPartResultArray failures;
  DWORD started = GetTickCount();
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    ScriptedUser user(300);
    user.AnswerBox("Hourwright", "never shown", IDOK);
    user.RunUntilDone(2000);
  }
  EXPECT_LT(GetTickCount() - started, 2500u);
  ASSERT_GE(failures.size(), 1);
  EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find("did not appear"),
            std::string::npos);
}

TEST(UiMessageBoxes, OwnedByTheMainWindowOnceItExists) {
  HWND main = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, NULL,
                            NULL, NULL, NULL);
  HWND owners[2] = {main, main};
  ScriptedUser user;
  user.Ignore(main);
  for (HWND& owner : owners) {
    user.OnDialog("Hourwright", [&owner](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      PressButton(box, IDOK);
      return true;
    });
  }
  MainWindow = NULL;  // still being created: the box has no owner
  ShowError("first");
  MainWindow = main;
  ShowError("second");
  MainWindow = NULL;
  user.RunUntilDone();
  EXPECT_EQ(owners[0], (HWND)NULL);
  EXPECT_EQ(owners[1], main);
  DestroyWindow(main);
}
