#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "common/shell.h"
#include "logging/description_combos.h"
#include "resources/resource.h"
#include "store/description_lists.h"
#include "store/paths.h"
#include "tests/description_bytes.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"

using namespace description_bytes;

namespace {

const int kBoxes[kDescriptionKindCount] = {IDC_MAIN_TASK, IDC_MAIN_PROJECT, IDC_MAIN_CLASSIFICATION};

// The real main window, and the descriptions file of a fresh folder.
class UiDescriptionCombos : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramInstance = GetModuleHandleA(NULL);
    window_ = CreateDialogParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainWindowProc, 0);
    ASSERT_NE(window_, nullptr);
    path_ = folder_.File("hours.des");
    snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", path_.c_str());
  }
  void TearDown() override {
    if (window_ != NULL) DestroyWindow(window_);
    MSG quit;
    while (PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    DescriptionsPath[0] = '\0';
  }
  // The box's list, as the box sorts it.
  std::vector<std::string> Items(int kind) {
    HWND box = GetDlgItem(window_, kBoxes[kind]);
    std::vector<std::string> items;
    LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[256] = "";
      if (SendMessageA(box, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
        SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  // Types into the box's edit field as the keyboard would.
  void Type(int kind, const std::string& text) {
    HWND edit = FindWindowExA(GetDlgItem(window_, kBoxes[kind]), NULL, "Edit", NULL);
    ASSERT_NE(edit, nullptr);
    for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    PumpFor(50);
  }
  std::string Typed(int kind) { return ItemText(window_, kBoxes[kind]); }

  TempFolder folder_;
  std::string path_;
  HWND window_ = NULL;
};

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(UiDescriptionCombos, FillShowsEachListAndClearsTypedText) {
  WriteBytes(path_, Texts({"Zeta", "design", "Alpha"}) + Texts({"Hourwright"}) +
                        Texts({"Billable", "admin"}));
  Type(kTaskList, "typed task");
  Type(kClassificationList, "typed class");
  EXPECT_EQ(FillMainCombos(window_), 1);
  EXPECT_EQ(Items(kTaskList), (Strings{"Alpha", "design", "Zeta"}));
  EXPECT_EQ(Items(kProjectList), (Strings{"Hourwright"}));
  EXPECT_EQ(Items(kClassificationList), (Strings{"admin", "Billable"}));
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) EXPECT_EQ(Typed(kind), "");
  EXPECT_EQ(DescriptionLists[kTaskList].count, -1);  // released again
}

TEST_F(UiDescriptionCombos, MissingEmptyOrDamagedFilesFillTheBoxesWithWhatTheyHold) {
  struct Case {
    const char* name;
    std::string bytes;  // "-" for no file at all
    Strings tasks;
  } cases[] = {
      {"missing file", "-", {}},
      {"three zero counts", std::string(12, '\0'), {}},
      {"damaged count", Count(0x7FFFFFFF) + Texts({"Alpha"}) + Texts({"B"}), {}},
      {"text without NUL", Count(1) + std::string(64, 'n') + std::string(8, '\0'),
       {std::string(63, 'n')}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder_.File("seed.des"), Texts({"Seed"}) + Texts({"Seed"}) + Texts({"Seed"}));
    snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", folder_.File("seed.des").c_str());
    FillMainCombos(window_);
    ASSERT_EQ(Items(kProjectList), (Strings{"Seed"}));
    snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", path_.c_str());
    DeleteFileA(path_.c_str());
    if (c.bytes != "-") WriteBytes(path_, c.bytes);
    Type(kProjectList, "typed");
    FillMainCombos(window_);
    EXPECT_EQ(Items(kTaskList), c.tasks);
    EXPECT_EQ(Items(kProjectList), Strings{});
    EXPECT_EQ(Items(kClassificationList), Strings{});
    EXPECT_EQ(Typed(kProjectList), "");
  }
}

TEST_F(UiDescriptionCombos, MergeOfKnownTextsKeepsWhatTheUserTyped) {
  WriteBytes(path_, Texts({"Design"}) + Texts({"Hourwright"}) + Texts({"Billable"}));
  FillMainCombos(window_);
  Type(kTaskList, "DESIGN");
  Type(kProjectList, "hourwright");
  Type(kClassificationList, "BiLLaBLe");
  MergeRecordDescriptions(window_, MakeRecord("DESIGN", "hourwright", "BiLLaBLe", 1, 0));
  EXPECT_EQ(Typed(kTaskList), "DESIGN");
  EXPECT_EQ(Typed(kProjectList), "hourwright");
  EXPECT_EQ(Typed(kClassificationList), "BiLLaBLe");
  EXPECT_EQ(Items(kTaskList), (Strings{"Design"}));
}

TEST_F(UiDescriptionCombos, MergeThatWritesRefillsTheBoxesAndClearsTypedText) {
  WriteBytes(path_, Texts({"Design"}) + Texts({"Hourwright"}) + Texts({"Billable"}));
  FillMainCombos(window_);
  Type(kTaskList, "Design");
  Type(kProjectList, "Website");
  Type(kClassificationList, "Billable");
  MergeRecordDescriptions(window_, MakeRecord("Design", "Website", "Billable", 1, 0));
  EXPECT_EQ(Items(kTaskList), (Strings{"Design"}));
  EXPECT_EQ(Items(kProjectList), (Strings{"Hourwright", "Website"}));
  EXPECT_EQ(Items(kClassificationList), (Strings{"Billable"}));
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) EXPECT_EQ(Typed(kind), "");
}

TEST_F(UiDescriptionCombos, FailedMergeKeepsTheBoxesAsTheyWere) {
  WriteBytes(path_, Texts({"Design"}) + Texts({"Hourwright"}) + Texts({"Billable"}));
  FillMainCombos(window_);
  Type(kProjectList, "Website");
  {
    HeldFile held(path_);
    ASSERT_TRUE(held.Held());
    MergeRecordDescriptions(window_, MakeRecord("Design", "Website", "Billable", 1, 0));
  }
  EXPECT_EQ(Typed(kProjectList), "Website");
  EXPECT_EQ(Items(kProjectList), (Strings{"Hourwright"}));
}
