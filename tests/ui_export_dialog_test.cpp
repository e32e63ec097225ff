#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/shell.h"
#include "export/export_dialog.h"
#include "export/export_text.h"
#include "resources/resource.h"
#include "store/paths.h"
#include "tests/clipboard_text.h"
#include "tests/export_test_records.h"
#include "tests/hostile_texts.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"

namespace {
const char kCaption[] = "Export a Time Sheet";
const char kSaveCaption[] = "Save Text Export As";
const int kStartFields[] = {IDC_EXPORT_START_MONTH, IDC_EXPORT_START_DAY, IDC_EXPORT_START_YEAR,
                            IDC_EXPORT_START_HOUR, IDC_EXPORT_START_MINUTE};
const int kStopFields[] = {IDC_EXPORT_STOP_MONTH, IDC_EXPORT_STOP_DAY, IDC_EXPORT_STOP_YEAR,
                           IDC_EXPORT_STOP_HOUR, IDC_EXPORT_STOP_MINUTE};

using Typed = std::vector<std::pair<int, const char*>>;

Typed StartDate(const char* month, const char* day, const char* year, const char* hour,
                const char* minute) {
  return {{kStartFields[0], month}, {kStartFields[1], day}, {kStartFields[2], year},
          {kStartFields[3], hour}, {kStartFields[4], minute}};
}

Typed StopDate(const char* month, const char* day, const char* year, const char* hour,
               const char* minute) {
  return {{kStopFields[0], month}, {kStopFields[1], day}, {kStopFields[2], year},
          {kStopFields[3], hour}, {kStopFields[4], minute}};
}

Typed Both(Typed start, const Typed& stop) {
  start.insert(start.end(), stop.begin(), stop.end());
  return start;
}

void Type(HWND dialog, const Typed& typed) {
  for (const auto& field : typed) SetDlgItemTextA(dialog, field.first, field.second);
}

// A click on a radio button or check box, as the user's mouse gives it.
void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Boxes clicked and fields typed, and the message OK must then bring up.
struct Attempt {
  Typed typed;
  const char* message;
  std::vector<int> clicks = {};
};

// Clicks, types and presses OK; posted, so it also works while a box that
// is about to close still disables the dialog.
void Try(HWND dialog, const Attempt& attempt) {
  for (int id : attempt.clicks) PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  Type(dialog, attempt.typed);
  PressButton(dialog, IDOK);
}

// The file name the Save dialog shows.
std::string FileDialogName(HWND dialog) {
  HWND outer = GetDlgItem(dialog, 1148);
  HWND edit = outer != NULL ? FindWindowExA(outer, NULL, "Edit", NULL) : NULL;
  for (HWND child = outer != NULL ? GetWindow(outer, GW_CHILD) : NULL; child != NULL && edit == NULL;
       child = GetWindow(child, GW_HWNDNEXT))
    edit = FindWindowExA(child, NULL, "Edit", NULL);
  return edit != NULL ? WindowText(edit) : "<no name box>";
}

class UiExportDialog : public testing::Test {
 protected:
  void SetUp() override {
    ProgramInstance = GetModuleHandleA(NULL);
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", folder_.File("jobs.tim").c_str());
    ExportPath[0] = '\0';
    sheet_ = SheetBytes(SampleSheet());
    WriteBytes(TimeSheetPath, sheet_);
  }
  void TearDown() override {
    EXPECT_EQ(ReadBytes(TimeSheetPath), sheet_) << "an export changed the time sheet";
    TimeSheetPath[0] = '\0';
    ExportPath[0] = '\0';
  }

  // The dialog comes up, `prepare` acts on it, then each attempt types its
  // fields and presses OK and its message must follow, with the dialog still
  // open and the entries as typed. `afterLast` then acts on the dialog.
  void ScriptAttempts(const std::vector<Attempt>& attempts, std::function<void(HWND)> prepare,
                      std::function<void(HWND)> afterLast) {
    user_.OnDialog(kCaption, [this, &attempts, prepare](HWND dialog) {
      dialog_ = dialog;
      if (prepare) prepare(dialog);
      Try(dialog, attempts[0]);
      return true;
    });
    for (size_t i = 0; i < attempts.size(); ++i) {
      user_.OnDialog("Hourwright", [this, &attempts, i, afterLast](HWND box) {
        EXPECT_EQ(MessageBoxText(box), attempts[i].message) << "attempt " << i;
        PressButton(box, IDOK);
        EXPECT_TRUE(IsWindow(dialog_)) << "the dialog closed after \"" << attempts[i].message << "\"";
        for (const auto& field : attempts[i].typed)
          EXPECT_EQ(ItemText(dialog_, field.first), field.second);
        if (i + 1 < attempts.size()) {
          Try(dialog_, attempts[i + 1]);
        } else {
          afterLast(dialog_);
        }
        return true;
      });
    }
  }

  void Run() {
    ShowExportDialog(NULL);
    user_.RunUntilDone(30000);
    EXPECT_FALSE(IsWindow(dialog_)) << "the dialog is still open";
  }

  TempFolder folder_;
  std::string sheet_;
  ScriptedUser user_;
  HWND dialog_ = NULL;
};
}  // namespace

TEST_F(UiExportDialog, ControlsTextsAndPlaces) {
  struct Control { const char* className; const char* text; int id; int x, y, cx, cy; } controls[] = {
      {"Button", "To a &File", IDC_EXPORT_TO_FILE, 15, 10, 90, 10},
      {"Button", "To the &Clipboard", IDC_EXPORT_TO_CLIPBOARD, 120, 10, 110, 10},
      {"Button", "Export dates starting after..", -1, 0, 25, 245, 60},
      {"Static", "Month", -1, 17, 40, 21, 8},
      {"Edit", "", IDC_EXPORT_START_MONTH, 15, 50, 40, 14},
      {"Static", "Day", -1, 61, 40, 14, 8},
      {"Edit", "", IDC_EXPORT_START_DAY, 61, 50, 40, 14},
      {"Static", "Year", -1, 107, 40, 16, 8},
      {"Edit", "", IDC_EXPORT_START_YEAR, 107, 50, 40, 14},
      {"Static", "Hour (24)", -1, 151, 40, 35, 8},
      {"Edit", "", IDC_EXPORT_START_HOUR, 151, 50, 40, 14},
      {"Static", "Minute", -1, 197, 40, 35, 8},
      {"Edit", "", IDC_EXPORT_START_MINUTE, 197, 50, 40, 14},
      {"Button", "No S&tart Date, Export all regardless of start time", IDC_EXPORT_NO_START, 15, 70, 185, 10},
      {"Button", "Export dates stopping before", -1, 0, 90, 245, 65},
      {"Static", "Month", -1, 15, 105, 21, 8},
      {"Edit", "", IDC_EXPORT_STOP_MONTH, 16, 119, 40, 14},
      {"Static", "Day", -1, 60, 105, 14, 8},
      {"Edit", "", IDC_EXPORT_STOP_DAY, 61, 119, 40, 14},
      {"Static", "Year", -1, 105, 105, 16, 8},
      {"Edit", "", IDC_EXPORT_STOP_YEAR, 106, 119, 40, 14},
      {"Static", "Hour (24)", -1, 150, 105, 35, 8},
      {"Edit", "", IDC_EXPORT_STOP_HOUR, 151, 119, 40, 14},
      {"Static", "Minute", -1, 195, 105, 35, 8},
      {"Edit", "", IDC_EXPORT_STOP_MINUTE, 196, 119, 40, 14},
      {"Button", "No Sto&p Date, Export all regardless of stop time", IDC_EXPORT_NO_STOP, 16, 138, 205, 10},
      {"Button", "Elapsed Time Display", -1, 0, 160, 245, 35},
      {"Button", "As &Minutes \n1 1/2 hours = 90", IDC_EXPORT_MINUTES, 5, 170, 70, 20},
      {"Button", "As &Hours\n1 1/2 hours= 1.5", IDC_EXPORT_HOURS, 80, 170, 75, 20},
      {"Button", "Hours and Min&utes\n1 1/2 hours= 1:30", IDC_EXPORT_HOURS_MINUTES, 160, 170, 80, 20},
      {"Button", "OK", IDOK, 50, 205, 50, 14},
      {"Button", "Cancel", IDCANCEL, 125, 205, 50, 14},
  };
  user_.OnDialog(kCaption, [&](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), kCaption);
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & DS_MODALFRAME);
    EXPECT_FALSE(style & WS_SYSMENU);
    RECT size = {0, 0, 247, 223}, client;
    MapDialogRect(dialog, &size);
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT), ++index) {
      if (index >= sizeof controls / sizeof controls[0]) {
        ADD_FAILURE() << "extra control " << GetDlgCtrlID(child);
        break;
      }
      const Control& c = controls[index];
      char className[64] = "";
      GetClassNameA(child, className, sizeof className);
      EXPECT_STREQ(className, c.className) << c.text;
      EXPECT_EQ(WindowText(child), c.text);
      EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(child))), c.id) << c.text;
      // Place and size are mapped apart, as the dialog manager does.
      RECT units = {c.x, c.y, c.cx, c.cy}, actual;
      MapDialogRect(dialog, &units);
      RECT expected = {units.left, units.top, units.left + units.right, units.top + units.bottom};
      GetWindowRect(child, &actual);
      MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&actual), 2);
      EXPECT_TRUE(EqualRect(&expected, &actual)) << c.text << " at " << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom << " expected " << expected.left << "," << expected.top << "," << expected.right << "," << expected.bottom;
    }
    EXPECT_EQ(index, sizeof controls / sizeof controls[0]);

    // Kinds and groups: two radio groups, automatic check boxes, multi-line forms.
    auto kind = [&](int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK; };
    auto hasStyle = [&](int id, LONG bit) { return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & bit) != 0; };
    for (int id : {IDC_EXPORT_TO_FILE, IDC_EXPORT_TO_CLIPBOARD, IDC_EXPORT_MINUTES, IDC_EXPORT_HOURS,
                   IDC_EXPORT_HOURS_MINUTES})
      EXPECT_EQ(kind(id), BS_AUTORADIOBUTTON) << id;
    for (int id : {IDC_EXPORT_NO_START, IDC_EXPORT_NO_STOP}) EXPECT_EQ(kind(id), BS_AUTOCHECKBOX) << id;
    for (int id : {IDC_EXPORT_MINUTES, IDC_EXPORT_HOURS, IDC_EXPORT_HOURS_MINUTES})
      EXPECT_TRUE(hasStyle(id, BS_MULTILINE)) << id;
    EXPECT_TRUE(hasStyle(IDC_EXPORT_TO_FILE, WS_GROUP));
    EXPECT_FALSE(hasStyle(IDC_EXPORT_TO_CLIPBOARD, WS_GROUP));
    EXPECT_TRUE(hasStyle(IDC_EXPORT_MINUTES, WS_GROUP));
    EXPECT_FALSE(hasStyle(IDC_EXPORT_HOURS, WS_GROUP));
    EXPECT_FALSE(hasStyle(IDC_EXPORT_HOURS_MINUTES, WS_GROUP));
    for (int id : kStartFields) {
      EXPECT_TRUE(hasStyle(id, ES_AUTOHSCROLL));
      // Wine turns the border of an edit into a client edge.
      EXPECT_TRUE(hasStyle(id, WS_BORDER) ||
                  (GetWindowLongA(GetDlgItem(dialog, id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
      EXPECT_FALSE(hasStyle(id, ES_NUMBER));
    }
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_EXPORT_START_MONTH, EM_GETLIMITTEXT, 0, 0) >= 30000, true);
    PressButton(dialog, IDCANCEL);
    return true;
  });
  Run();
}

TEST_F(UiExportDialog, EveryOpeningStartsFromTheDefaults) {
  auto expectDefaults = [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_EXPORT_TO_FILE));
    EXPECT_FALSE(Checked(dialog, IDC_EXPORT_TO_CLIPBOARD));
    EXPECT_TRUE(Checked(dialog, IDC_EXPORT_MINUTES));
    EXPECT_FALSE(Checked(dialog, IDC_EXPORT_HOURS));
    EXPECT_FALSE(Checked(dialog, IDC_EXPORT_HOURS_MINUTES));
    EXPECT_FALSE(Checked(dialog, IDC_EXPORT_NO_START));
    EXPECT_FALSE(Checked(dialog, IDC_EXPORT_NO_STOP));
    for (int id : kStartFields) EXPECT_EQ(ItemText(dialog, id), "");
    for (int id : kStopFields) EXPECT_EQ(ItemText(dialog, id), "");
  };
  user_.OnDialog(kCaption, [&](HWND dialog) {
    expectDefaults(dialog);
    Click(dialog, IDC_EXPORT_TO_CLIPBOARD);
    Click(dialog, IDC_EXPORT_HOURS_MINUTES);
    Click(dialog, IDC_EXPORT_NO_START);
    Click(dialog, IDC_EXPORT_NO_STOP);
    Type(dialog, StartDate("3", "17", "1999", "9", "0"));
    EXPECT_TRUE(Checked(dialog, IDC_EXPORT_TO_CLIPBOARD));
    EXPECT_FALSE(Checked(dialog, IDC_EXPORT_TO_FILE));
    EXPECT_TRUE(Checked(dialog, IDC_EXPORT_HOURS_MINUTES));
    EXPECT_FALSE(Checked(dialog, IDC_EXPORT_MINUTES));
    PressButton(dialog, IDCANCEL);
    return true;
  });
  Run();
  user_.OnDialog(kCaption, [&](HWND dialog) {
    dialog_ = dialog;
    expectDefaults(dialog);
    // Escape is Cancel.
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  });
  Run();
  EXPECT_EQ(ExportPath[0], '\0');
}

TEST_F(UiExportDialog, FieldMessagesInTheOrderOfTheChecks) {
  std::vector<Attempt> attempts = {
      {StartDate("", "", "", "", ""), "Bad Start Date: Month"},
      {StartDate("-1", "17", "1999", "9", "0"), "Bad Start Date: Month"},
      {StartDate("13", "17", "1999", "9", "0"), "Bad Start Date: Month"},
      {StartDate("3x", "", "", "", ""), "Bad Start Date: Day of the Month"},  // 3x reads as 3
      {StartDate("3", "32", "", "", ""), "Bad Start Date: Day of the Month"},
      {StartDate("3", "17", "-1", "", ""), "Bad Start Date: YEAR"},
      {StartDate("3", "17", "10000", "", ""), "Bad Start Date: YEAR"},
      {StartDate("3", "17", "99", "-1", ""), "Bad Start Time: Hour"},
      {StartDate("3", "17", "99", "25", ""), "Bad Start Time: Hour"},
      {StartDate("3", "17", "99", "24", ""), "Bad Start Time Entered"},  // passes the hour check
      {StartDate("3", "17", "99", "9", "60"), "Bad Start Time: Minute"},
      {StartDate("3", "17", "99", "9", "-1"), "Bad Start Time: Minute"},
      {StartDate("3", "17", "99", "9", "0"), "Bad Stop Date: Month"},  // start good, stop empty
      {StopDate("0", "17", "1999", "17", "0"), "Bad Stop Date: Month"},
      {StopDate("3", "0", "1999", "17", "0"), "Bad Stop Date: Day of the Month"},
      {StopDate("3", "17", "10000", "17", "0"), "Bad Stop Date: YEAR"},
      {StopDate("3", "17", "1999", "25", "0"), "Bad Stop Time: Hour"},
      {StopDate("3", "17", "1999", "17", "60"), "Bad Stop Time: Minute"},
      {StopDate("3", "17", "1999", "24", "0"), "Bad Stop Time Entered"},
  };
  std::string target = folder_.File("range.txt");
  ScriptAttempts(attempts, nullptr, [](HWND dialog) {
    Type(dialog, StopDate("3", "17", "1999", "17", "0"));
    PressButton(dialog, IDOK);
  });
  // Both limits good: the Save dialog. Cancelled, the dialog stays; OK asks again.
  user_.OnDialog(kSaveCaption, [this](HWND save) {
    EXPECT_EQ(FileDialogName(save), "");  // no default while ExportPath is empty
    PressButton(save, IDCANCEL);
    EXPECT_TRUE(IsWindow(dialog_));
    PressButton(dialog_, IDOK);
    return true;
  });
  user_.ChooseFile(kSaveCaption, target);
  Run();
  // 3/17/1999 9:00 to 17:00: the 15:07 and 12:30 records, not the 00:05 one.
  std::vector<std::string> lines = ExportLines(SampleExport(kElapsedMinutes));
  EXPECT_EQ(ReadBytes(target), lines[0] + lines[1] + lines[2]);
  EXPECT_STREQ(ExportPath, target.c_str());
}

TEST_F(UiExportDialog, DatesOutsideTheCalendarKeepTheDialogOpen) {
  Typed goodStop = StopDate("12", "31", "2030", "23", "59");
  std::vector<Attempt> attempts = {
      {Both(StartDate("4", "31", "2024", "9", "0"), goodStop), "Bad Start Time Entered"},
      {StartDate("2", "29", "2023", "9", "0"), "Bad Start Time Entered"},
      {StartDate("2", "29", "1900", "9", "0"), "Bad Start Time Entered"},
      {StartDate("12", "31", "1600", "23", "59"), "Bad Start Time Entered"},
      {StartDate("1", "1", "100", "0", "0"), "Bad Start Time Entered"},
      {Both(StartDate("2", "29", "2024", "9", "0"), StopDate("2", "29", "2025", "9", "0")),
       "Bad Stop Time Entered"},
      {StopDate("6", "31", "2030", "9", "0"), "Bad Stop Time Entered"},
      {StopDate("6", "30", "2030", "24", "0"), "Bad Stop Time Entered"},
  };
  ScriptAttempts(attempts, nullptr, [](HWND dialog) { PressButton(dialog, IDCANCEL); });
  Run();
  EXPECT_EQ(ExportPath[0], '\0');
}

TEST_F(UiExportDialog, TickedBoxesSkipTheirFieldsWhateverTheyHold) {
  std::string target = folder_.File("all.txt");
  user_.OnDialog(kCaption, [](HWND dialog) {
    Type(dialog, Both(StartDate("zz", "-5", "x", "99999", "?"), StopDate("-1", "", "y", "-", "61")));
    Click(dialog, IDC_EXPORT_NO_START);
    Click(dialog, IDC_EXPORT_NO_STOP);
    EXPECT_TRUE(Checked(dialog, IDC_EXPORT_NO_START));
    PressButton(dialog, IDOK);
    return true;
  });
  user_.ChooseFile(kSaveCaption, target);
  Run();
  EXPECT_EQ(ReadBytes(target), SampleExport(kElapsedMinutes));
}

TEST_F(UiExportDialog, OnlyTheTickedLimitIsSkipped) {
  std::vector<Attempt> attempts = {
      {StartDate("zz", "", "", "", ""), "Bad Stop Date: Month", {IDC_EXPORT_NO_START}},
      {{}, "Bad Start Date: Month", {IDC_EXPORT_NO_START}},  // unticked: read again
      {{}, "Bad Start Date: Month", {IDC_EXPORT_NO_STOP}},   // start is checked first
      {StartDate("3", "17", "1999", "9", "0"), "Bad Start Date: Month", {IDC_EXPORT_TO_CLIPBOARD}},
  };
  attempts.back().typed = StartDate("13", "17", "1999", "9", "0");
  ScriptAttempts(attempts, nullptr, [](HWND dialog) { PressButton(dialog, IDCANCEL); });
  Run();
}

TEST_F(UiExportDialog, FileTargetInEachFormAndThePathOfferedAgain) {
  const int forms[] = {IDC_EXPORT_MINUTES, IDC_EXPORT_HOURS, IDC_EXPORT_HOURS_MINUTES};
  std::string target = folder_.File("out.txt");
  for (int form = 0; form < 3; ++form) {
    DeleteFileA(target.c_str());
    user_.OnDialog(kCaption, [&](HWND dialog) {
      dialog_ = dialog;
      Click(dialog, forms[form]);
      Click(dialog, IDC_EXPORT_NO_START);
      Click(dialog, IDC_EXPORT_NO_STOP);
      PressButton(dialog, IDOK);
      return true;
    });
    user_.OnDialog(kSaveCaption, [&](HWND save) {
      // The path chosen last time is the name offered now (shown in its folder).
      EXPECT_EQ(FileDialogName(save), form == 0 ? "" : "out.txt");
      if (!SetFileDialogName(save, target)) return false;
      PressButton(save, IDOK);
      return true;
    });
    Run();
    EXPECT_EQ(ReadBytes(target), SampleExport(form)) << "form " << form;
  }
}

TEST_F(UiExportDialog, ClipboardTargetInEachForm) {
  const int forms[] = {IDC_EXPORT_MINUTES, IDC_EXPORT_HOURS, IDC_EXPORT_HOURS_MINUTES};
  for (int form = 0; form < 3; ++form) {
    user_.OnDialog(kCaption, [&](HWND dialog) {
      dialog_ = dialog;
      Click(dialog, IDC_EXPORT_TO_CLIPBOARD);
      Click(dialog, forms[form]);
      Type(dialog, Both(StartDate("3", "17", "99", "0", "5"), StopDate("3", "17", "99", "16", "0")));
      PressButton(dialog, IDOK);
      return true;
    });
    Run();  // no Save dialog for the clipboard
    EXPECT_EQ(ClipboardText(), SampleExport(form) + '\0') << "form " << form;
  }
  EXPECT_EQ(ExportPath[0], '\0');
}

TEST_F(UiExportDialog, ClipboardUntouchedWhenADateIsRefused) {
  PutClipboardText("kept as it was");
  std::vector<Attempt> attempts = {
      {StartDate("3", "17", "1999", "9", "0"), "Bad Stop Date: YEAR", {IDC_EXPORT_TO_CLIPBOARD}},
  };
  attempts[0].typed.push_back({IDC_EXPORT_STOP_MONTH, "3"});
  attempts[0].typed.push_back({IDC_EXPORT_STOP_DAY, "17"});
  attempts[0].typed.push_back({IDC_EXPORT_STOP_YEAR, "-1999"});
  ScriptAttempts(attempts, nullptr, [](HWND dialog) { PressButton(dialog, IDCANCEL); });
  Run();
  EXPECT_EQ(ClipboardText(), std::string("kept as it was") + '\0');
}

TEST_F(UiExportDialog, ExistingFileIsReplacedAfterTheQuestion) {
  std::string target = folder_.File("old.txt");
  WriteBytes(target, std::string(3000, 'o'));
  user_.OnDialog(kCaption, [](HWND dialog) {
    Click(dialog, IDC_EXPORT_NO_START);
    Click(dialog, IDC_EXPORT_NO_STOP);
    PressButton(dialog, IDOK);
    return true;
  });
  user_.ChooseFile(kSaveCaption, target);
  user_.AnswerBox(kSaveCaption, "File already exists.\nDo you want to replace it?", IDYES);
  Run();
  EXPECT_EQ(ReadBytes(target), SampleExport(kElapsedMinutes));
}

// The export never takes the place of the sheet's descriptions file: it is
// said, nothing is written and the dialog stays open.
TEST_F(UiExportDialog, TheDescriptionsFileIsNoExportTarget) {
  std::string lists = folder_.File("jobs.des");
  WriteBytes(lists, std::string(12, '\0'));
  user_.OnDialog(kCaption, [this](HWND dialog) {
    dialog_ = dialog;
    Click(dialog, IDC_EXPORT_NO_START);
    Click(dialog, IDC_EXPORT_NO_STOP);
    PressButton(dialog, IDOK);
    return true;
  });
  user_.ChooseFile(kSaveCaption, lists);
  user_.AnswerBox(kSaveCaption, "File already exists.\nDo you want to replace it?", IDYES);
  user_.OnDialog("Hourwright", [this, &lists](HWND box) {
    EXPECT_EQ(MessageBoxText(box), "Hourwright will not write over a time sheet or its descriptions file: " + lists);
    PressButton(box, IDOK);
    EXPECT_TRUE(IsWindow(dialog_));
    PressButton(dialog_, IDCANCEL);
    return true;
  });
  Run();
  EXPECT_EQ(ReadBytes(lists), std::string(12, '\0'));
  EXPECT_STREQ(ExportPath, "");
}

// The Save dialog itself refuses a name in a missing folder, so the folder
// goes away while the user is deciding whether to replace a file in it.
TEST_F(UiExportDialog, FolderGoneBeforeTheWriteShowsUnableToOpen) {
  std::string folder = folder_.File("gone");
  std::string target = folder + "\\old.txt";
  CreateDirectoryA(folder.c_str(), NULL);
  WriteBytes(target, "old");
  user_.OnDialog(kCaption, [this](HWND dialog) {
    dialog_ = dialog;
    Click(dialog, IDC_EXPORT_NO_START);
    Click(dialog, IDC_EXPORT_NO_STOP);
    PressButton(dialog, IDOK);
    return true;
  });
  user_.ChooseFile(kSaveCaption, target);
  user_.OnDialog(kSaveCaption, [&](HWND question) {
    EXPECT_TRUE(DeleteFileA(target.c_str()));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
    PressButton(question, IDYES);
    return true;
  });
  user_.AnswerBox("Hourwright", "Unable To Open File", IDOK, BoxIcon::kError);
  Run();  // the writer ran, so the dialog closes
  EXPECT_FALSE(FileExists(folder));
}

TEST_F(UiExportDialog, EarliestDateIsARealLimit) {
  // 1/1/1601 0:00 is FileSeconds 0: every record starts after it, none stops before it.
  struct Case { const char* name; Typed typed; int ticked; std::string exported; } cases[] = {
      {"start", StartDate("1", "1", "1601", "0", "0"), IDC_EXPORT_NO_STOP, SampleExport(kElapsedMinutes)},
      {"stop", StopDate("1", "1", "1601", "0", "0"), IDC_EXPORT_NO_START, ExportHeader(kElapsedMinutes)},
  };
  for (const Case& c : cases) {
    std::string target = folder_.File(std::string(c.name) + ".txt");
    user_.OnDialog(kCaption, [&](HWND dialog) {
      dialog_ = dialog;
      Click(dialog, c.ticked);
      Type(dialog, c.typed);
      PressButton(dialog, IDOK);
      return true;
    });
    user_.ChooseFile(kSaveCaption, target);
    Run();
    EXPECT_EQ(ReadBytes(target), c.exported) << c.name;
  }
}

// Another window holding the clipboard open, as another program would.
class ClipboardHolder {
 public:
  ClipboardHolder() : window_(CreateWindowA("STATIC", "holder", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL)) {
    holding_ = window_ != NULL && OpenClipboard(window_);
  }
  ~ClipboardHolder() {
    if (holding_) CloseClipboard();
    if (window_ != NULL) DestroyWindow(window_);
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  bool Holding() const { return holding_; }

 private:
  HWND window_;
  bool holding_;
};

TEST_F(UiExportDialog, ClipboardHeldElsewhereIsReportedAndKeepsItsText) {
  PutClipboardText("former text");
  {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    user_.OnDialog(kCaption, [this](HWND dialog) {
      dialog_ = dialog;
      Click(dialog, IDC_EXPORT_TO_CLIPBOARD);
      Click(dialog, IDC_EXPORT_NO_START);
      Click(dialog, IDC_EXPORT_NO_STOP);
      PressButton(dialog, IDOK);
      return true;
    });
    user_.AnswerBox("Hourwright", "Unable To Copy To Clipboard", IDOK, BoxIcon::kError);
    Run();  // the dialog closes after the message
  }
  EXPECT_EQ(ClipboardText(), std::string("former text") + '\0');
}

// Hostile texts in every numeric field, the other nine valid: each that the
// field's check refuses brings exactly that field's message, the dialog stays
// open, no Save dialog comes up and nothing is written.
TEST_F(UiExportDialog, HostileTextsInEveryNumericField) {
  const std::vector<HostileText> hostile = HostileTexts();
  struct Field { int id; int32_t low, high; const char* message; } fields[] = {
      {IDC_EXPORT_START_MONTH, 1, 12, "Bad Start Date: Month"},
      {IDC_EXPORT_START_DAY, 1, 31, "Bad Start Date: Day of the Month"},
      {IDC_EXPORT_START_YEAR, 0, 9999, "Bad Start Date: YEAR"},
      {IDC_EXPORT_START_HOUR, 0, 24, "Bad Start Time: Hour"},
      {IDC_EXPORT_START_MINUTE, 0, 59, "Bad Start Time: Minute"},
      {IDC_EXPORT_STOP_MONTH, 1, 12, "Bad Stop Date: Month"},
      {IDC_EXPORT_STOP_DAY, 1, 31, "Bad Stop Date: Day of the Month"},
      {IDC_EXPORT_STOP_YEAR, 0, 9999, "Bad Stop Date: YEAR"},
      {IDC_EXPORT_STOP_HOUR, 0, 24, "Bad Stop Time: Hour"},
      {IDC_EXPORT_STOP_MINUTE, 0, 59, "Bad Stop Time: Minute"},
  };
  std::vector<Attempt> attempts;
  for (const Field& field : fields) {
    for (const HostileText& h : hostile) {
      if (h.reads >= field.low && h.reads <= field.high) continue;  // a value the field takes
      Typed typed = Both(StartDate("3", "17", "1999", "9", "0"), StopDate("3", "17", "1999", "17", "0"));
      for (auto& entry : typed)
        if (entry.first == field.id) entry.second = h.text.c_str();
      attempts.push_back({typed, field.message});
    }
  }
  ASSERT_GT(attempts.size(), 80u);
  ScriptAttempts(attempts, nullptr, [](HWND dialog) { PressButton(dialog, IDCANCEL); });
  Run();
  EXPECT_EQ(ExportPath[0], '\0');
  EXPECT_EQ(FolderListing(folder_.Path()), "jobs.tim;");
}
