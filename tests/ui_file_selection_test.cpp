#include <gtest/gtest.h>

#include "common/shell.h"
#include "ui/file_dialog_win.h"
#include "ui/file_selection.h"
#include "store/paths.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"

namespace {
void SetPaths(const std::string& sheet, const std::string& descriptions, const std::string& exportPath) {
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", sheet.c_str());
  snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", descriptions.c_str());
  snprintf(ExportPath, sizeof ExportPath, "%s", exportPath.c_str());
}

std::string FileDialogName(HWND dialog) {
  HWND box = GetDlgItem(dialog, 1148);
  HWND edit = FindWindowExA(FindWindowExA(box, NULL, "ComboBox", NULL), NULL, "Edit", NULL);
  return WindowText(edit != NULL ? edit : box);
}
}  // namespace

TEST(UiFileSelection, OpenSetsTheSheetAndBothCompanions) {
  TempFolder folder;
  WriteBytes(folder.File("jobs.tim"), "");
  SetPaths("", "", "");
  ScriptedUser user;
  user.ChooseFile("Open TimeSheet File", folder.File("jobs.tim"));
  EXPECT_EQ(ChooseTimeSheetToOpen(NULL), 1);
  user.RunUntilDone();
  EXPECT_STREQ(TimeSheetPath, folder.File("jobs.tim").c_str());
  EXPECT_STREQ(DescriptionsPath, folder.File("jobs.des").c_str());
  EXPECT_STREQ(ExportPath, folder.File("jobs.txt").c_str());
}

TEST(UiFileSelection, SaveAsAddsTheExtensionAndKeepsTheExportPath) {
  TempFolder folder;
  SetPaths(folder.File("old.tim"), folder.File("old.des"), folder.File("old.txt"));
  ScriptedUser user;
  user.OnDialog("Save TimeSheet As", [&](HWND dialog) {
    // The dialog starts on the current time sheet's name.
    if (FileDialogName(dialog).empty()) return false;
    EXPECT_NE(FileDialogName(dialog).find("old.tim"), std::string::npos);
    SetFileDialogName(dialog, folder.File("new"));
    PressButton(dialog, IDOK);
    return true;
  });
  EXPECT_EQ(ChooseTimeSheetToSave(NULL), 1);
  user.RunUntilDone();
  EXPECT_STREQ(TimeSheetPath, folder.File("new.tim").c_str());
  EXPECT_STREQ(DescriptionsPath, folder.File("new.des").c_str());
  EXPECT_STREQ(ExportPath, folder.File("old.txt").c_str());
  EXPECT_FALSE(FileExists(folder.File("new.tim")));  // named only; written later
}

TEST(UiFileSelection, CancellingEitherDialogChangesNothingAndSaysNothing) {
  SetPaths("C:\\Work\\old.tim", "C:\\Work\\old.des", "C:\\Work\\old.txt");
  ScriptedUser user;
  user.CancelDialog("Open TimeSheet File").CancelDialog("Save TimeSheet As");
  EXPECT_EQ(ChooseTimeSheetToOpen(NULL), 0);
  EXPECT_EQ(ChooseTimeSheetToSave(NULL), 0);
  user.RunUntilDone();
  EXPECT_STREQ(TimeSheetPath, "C:\\Work\\old.tim");
  EXPECT_STREQ(DescriptionsPath, "C:\\Work\\old.des");
  EXPECT_STREQ(ExportPath, "C:\\Work\\old.txt");
}

TEST(UiFileSelection, OverwritingAnExistingSheetAsksAndKeepsItsRecords) {
  TempFolder folder;
  WriteBytes(folder.File("kept.tim"), std::string(256, 'r'));
  SetPaths("", "", "");
  ScriptedUser user(10000);
  user.ChooseFile("Save TimeSheet As", folder.File("kept.tim"));
  user.OnDialog("Save TimeSheet As", [](HWND box) {
    if (GetDlgItem(box, IDYES) == NULL) return false;  // still the file dialog
    PressButton(box, IDYES);
    return true;
  });
  EXPECT_EQ(ChooseTimeSheetToSave(NULL), 1);
  user.RunUntilDone();
  EXPECT_STREQ(TimeSheetPath, folder.File("kept.tim").c_str());
  EXPECT_EQ(ReadBytes(folder.File("kept.tim")), std::string(256, 'r'));
}

TEST(UiFileSelection, FailureBoxNamesTheErrorCode) {
  ScriptedUser user;
  user.AnswerBox("WARNING", "GetOpenFileName returned Error #12290", IDOK, BoxIcon::kError);
  ShowFileDialogFailure(NULL, 12290);
  user.RunUntilDone();
}
