// File > Totals on real sheets, driven as a user would, with the clock fixed
// at 2026-03-20 12:00: its rows and total, rounding, the clipboard, the saved
// page and the sheets it cannot show.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "common/shell.h"
#include "report/totals.h"
#include "resources/resource.h"
#include "store/local_clock.h"
#include "store/paths.h"
#include "tests/clipboard_text.h"
#include "tests/failing_new.h"
#include "tests/main_window_fixture.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"
#include "tests/time_sheet_fixture.h"
#include "totals/totals_dialog.h"
#include "totals/totals_window_win.h"

namespace {
const char kCaption[] = "Totals - jobs.tim";
const char kSaveCaption[] = "Save Report As";

int64_t At(int year, int month, int day, int hour, int minute) {
  return TotalsDaySeconds(TotalsDate{year, month, day}) + hour * 3600 + minute * 60;
}

int64_t FixedNow() { return At(2026, 3, 20, 12, 0); }

TimeRecord Worked(const char* task, const char* project, int64_t start, int minutes) {
  return MakeRecord(task, project, "class", start, start + minutes * 60);
}

// A pick in a drop-down list: the selection, then the notice a click sends.
void Pick(HWND dialog, int id, const char* text) {
  LRESULT index = SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text));
  ASSERT_GE(index, 0) << text;
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PickDate(HWND dialog, int id, int year, int month, int day) {
  NMDATETIMECHANGE change = {};
  change.st.wYear = static_cast<WORD>(year);
  change.st.wMonth = static_cast<WORD>(month);
  change.st.wDay = static_cast<WORD>(day);
  SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID,
                      reinterpret_cast<LPARAM>(&change.st));
  change.nmhdr = {GetDlgItem(dialog, id), static_cast<UINT_PTR>(id),
                  static_cast<UINT>(DTN_DATETIMECHANGE)};
  SendMessageA(dialog, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
}

std::string Cell(HWND dialog, int row, int column) {
  char text[256] = "";
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendDlgItemMessageA(dialog, IDC_TOTALS_LIST, LVM_GETITEMTEXTA, row,
                      reinterpret_cast<LPARAM>(&item));
  return text;
}

std::wstring ClipboardUnicode() {
  std::wstring text;
  if (!OpenClipboard(NULL)) return L"<clipboard not opened>";
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const wchar_t* locked = data != NULL ? static_cast<const wchar_t*>(GlobalLock(data)) : NULL;
  if (locked != NULL) text = locked;
  if (locked != NULL) GlobalUnlock(data);
  CloseClipboard();
  return text;
}

class UiTotals : public testing::Test {
 protected:
  void SetUp() override {
    ProgramInstance = GetModuleHandleA(NULL);
    TotalsNow = FixedNow;
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", folder_.File("jobs.tim").c_str());
  }
  void TearDown() override {
    EXPECT_EQ(ReadBytes(TimeSheetPath), sheet_) << "the totals changed the time sheet";
    TimeSheetPath[0] = '\0';
    TotalsNow = LocalNowSeconds;
  }
  void Write(const std::vector<TimeRecord>& records) {
    for (const TimeRecord& record : records) sheet_ += RecordBytes(record);
    WriteBytes(TimeSheetPath, sheet_);
  }
  // Opens File > Totals, lets `act` play the user, then presses Close.
  void Run(std::function<void(HWND)> act) {
    user_.OnDialog(kCaption, [act](HWND dialog) {
      act(dialog);
      PressButton(dialog, IDCANCEL);
      return true;
    });
    ShowTotalsDialog(NULL);
    user_.RunUntilDone();
  }

  TempFolder folder_;
  std::string sheet_;
  ScriptedUser user_;
};
}  // namespace

TEST_F(UiTotals, ThisMonthByProjectThenTaskShowsItsRowsAndTotal) {
  Write({Worked("Design", "Acme", At(2026, 3, 1, 9, 0), 90),
         Worked("Review", "Acme", At(2026, 3, 1, 11, 0), 30),
         Worked("Design", "Beta", At(2026, 3, 1, 13, 0), 45),
         Worked("Design", "Acme", At(2026, 2, 2, 9, 0), 600)});
  // Project, task, h:mm, records; a project's row carries no task.
  const char* const rows[][4] = {{"Acme", "", "2:00", "2"},   {"", "Design", "1:30", "1"},
                                 {"", "Review", "0:30", "1"}, {"Beta", "", "0:45", "1"},
                                 {"", "Design", "0:45", "1"}};
  Run([&](HWND dialog) {
    Pick(dialog, IDC_TOTALS_PERIOD, "This month");
    Pick(dialog, IDC_TOTALS_GROUP_BY, "Project");
    Pick(dialog, IDC_TOTALS_THEN_BY, "Task");
    SetDlgItemTextA(dialog, IDC_TOTALS_ROUND, "");
    ASSERT_EQ(SendDlgItemMessageA(dialog, IDC_TOTALS_LIST, LVM_GETITEMCOUNT, 0, 0), 5);
    for (int r = 0; r < 5; ++r) {
      EXPECT_EQ(Cell(dialog, r, 0), rows[r][0]) << r;
      EXPECT_EQ(Cell(dialog, r, 1), rows[r][1]) << r;
      EXPECT_EQ(Cell(dialog, r, 2), rows[r][2]) << r;
      EXPECT_EQ(Cell(dialog, r, 4), rows[r][3]) << r;
    }
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), "Total: 2:45 (2.75 hours) in 3 records");
  });
  // The choices are remembered for the next opening.
  Run([](HWND dialog) {
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_PERIOD), "This month");
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_THEN_BY), "Task");
  });
}

TEST_F(UiTotals, BetweenDatesCountsWholeDaysAndRoundsEachEntryUp) {
  Write({Worked("a", "Acme", At(2026, 3, 1, 23, 50), 5),
         Worked("b", "Acme", At(2026, 3, 2, 10, 0), 7),
         Worked("c", "Acme", At(2026, 3, 4, 23, 0), 22),
         Worked("d", "Acme", At(2026, 3, 5, 0, 0), 60)});
  struct Case {
    const char* round;
    const char* total;
  } cases[] = {{"", "Total: 0:29 (0.48 hours) in 2 records"},
               {"15", "Total: 0:45 (0.75 hours) in 2 records"},
               {"1", "Total: 0:29 (0.48 hours) in 2 records"},
               {"60", "Total: 2:00 (2.00 hours) in 2 records"}};
  Run([&](HWND dialog) {
    Pick(dialog, IDC_TOTALS_PERIOD, "All records");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TOTALS_FROM)));
    Pick(dialog, IDC_TOTALS_PERIOD, "Between dates");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_TOTALS_TO)));
    Pick(dialog, IDC_TOTALS_GROUP_BY, "Project");
    Pick(dialog, IDC_TOTALS_THEN_BY, "(none)");
    PickDate(dialog, IDC_TOTALS_FROM, 2026, 3, 2);
    PickDate(dialog, IDC_TOTALS_TO, 2026, 3, 4);
    for (const Case& c : cases) {
      SetDlgItemTextA(dialog, IDC_TOTALS_ROUND, c.round);
      EXPECT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), c.total) << "round " << c.round;
    }
  });
}

TEST_F(UiTotals, FromAfterToKeepsTheListAndOverlapsAreCountedBelowIt) {
  Write({Worked("a", "Acme", At(2026, 3, 2, 9, 0), 120), Worked("b", "Acme", At(2026, 3, 2, 10, 0), 30),
         Worked("c", "Beta", At(2026, 3, 4, 9, 0), 60), Worked("d", "Gamma", At(2025, 12, 31, 23, 0), 90)});
  Run([&](HWND dialog) {
    Pick(dialog, IDC_TOTALS_PERIOD, "Between dates");
    Pick(dialog, IDC_TOTALS_GROUP_BY, "Project");
    Pick(dialog, IDC_TOTALS_THEN_BY, "(none)");
    SetDlgItemTextA(dialog, IDC_TOTALS_ROUND, "");
    PickDate(dialog, IDC_TOTALS_FROM, 2026, 3, 2);
    PickDate(dialog, IDC_TOTALS_TO, 2026, 3, 3);
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), "Total: 2:30 (2.50 hours) in 2 records");
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_UNCOUNTED), "1 overlap between records");
    PickDate(dialog, IDC_TOTALS_FROM, 2026, 3, 5);
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), "The From date is after the To date.");
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_TOTALS_LIST, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(Cell(dialog, 0, 0), "Acme");
    PickDate(dialog, IDC_TOTALS_TO, 2026, 3, 5);
    PickDate(dialog, IDC_TOTALS_FROM, 2026, 3, 4);
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), "Total: 1:00 (1.00 hours) in 1 record");
    EXPECT_EQ(Cell(dialog, 0, 0), "Beta");
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_UNCOUNTED), "");
    // Calendar quarters: on 20 March the last one ended at the year's end.
    Pick(dialog, IDC_TOTALS_PERIOD, "Last quarter");
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), "Total: 1:00 (1.00 hours) in 1 record");
    EXPECT_EQ(Cell(dialog, 0, 0), "Gamma");
  });
}

// Every allocation of a refill fails in turn: each time the window says so
// and keeps its list, and the next try shows the totals.
TEST_F(UiTotals, LackOfMemoryIsToldAndTheWindowStaysUsable) {
  Write({Worked("Design", "Acme", At(2026, 3, 2, 10, 0), 90),
         Worked("Test", "Beta", At(2026, 3, 3, 10, 0), 30)});
  Run([&](HWND dialog) {
    Pick(dialog, IDC_TOTALS_PERIOD, "All records");
    Pick(dialog, IDC_TOTALS_GROUP_BY, "Project");
    Pick(dialog, IDC_TOTALS_THEN_BY, "(none)");
    SetDlgItemTextA(dialog, IDC_TOTALS_ROUND, "");
    const std::string total = "Total: 2:00 (2.00 hours) in 2 records";
    ASSERT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), total);
    int failed = 0;
    for (long allowed = 0; allowed < 5000; ++allowed, ++failed) {
      FailAllocationsAfter(allowed);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TOTALS_PERIOD, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TOTALS_PERIOD)));
      StopFailingAllocations();
      if (ItemText(dialog, IDC_TOTALS_TOTAL) != "Not enough memory to show these totals.") break;
      ASSERT_EQ(SendDlgItemMessageA(dialog, IDC_TOTALS_LIST, LVM_GETITEMCOUNT, 0, 0), 2);
      ASSERT_EQ(Cell(dialog, 0, 0), "Acme");
    }
    EXPECT_GT(failed, 10);
    EXPECT_EQ(ItemText(dialog, IDC_TOTALS_TOTAL), total);
  });
}

TEST_F(UiTotals, CopyPutsTheTabSeparatedTextWithItsAccents) {
  Write({Worked("Design", "Caf\xE9", At(2026, 3, 2, 10, 0), 90),
         Worked("Test", "Acme", At(2026, 3, 3, 10, 0), 30)});
  Run([&](HWND dialog) {
    Pick(dialog, IDC_TOTALS_PERIOD, "All records");
    Pick(dialog, IDC_TOTALS_GROUP_BY, "Project");
    Pick(dialog, IDC_TOTALS_THEN_BY, "(none)");
    SetDlgItemTextA(dialog, IDC_TOTALS_ROUND, "");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TOTALS_COPY, BN_CLICKED), 0);
  });
  EXPECT_EQ(ClipboardUnicode(),
            L"project\trecords\tseconds\thours\thmm\r\n"
            L"Caf\u00e9\t1\t5400\t1.50\t1:30\r\n"
            L"Acme\t1\t1800\t0.50\t0:30\r\n");
}

TEST_F(UiTotals, CopyWithTheClipboardHeldElsewhereIsToldAndKeepsItsText) {
  Write({Worked("Design", "Acme", At(2026, 3, 2, 10, 0), 90)});
  PutClipboardText("former text");
  HWND holder = CreateWindowA("STATIC", "holder", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
  ASSERT_TRUE(OpenClipboard(holder));
  user_.OnDialog(kCaption, [](HWND dialog) {
    PressButton(dialog, IDC_TOTALS_COPY);
    return true;
  });
  user_.AnswerBox("Hourwright", "Unable To Copy To Clipboard", IDOK, BoxIcon::kError);
  user_.OnDialogAgain(kCaption, [](HWND dialog) {
    PressButton(dialog, IDCANCEL);
    return true;
  });
  ShowTotalsDialog(NULL);
  user_.RunUntilDone();
  CloseClipboard();
  DestroyWindow(holder);
  EXPECT_EQ(ClipboardText(), std::string("former text") + '\0');
}

TEST_F(UiTotals, SaveReportWritesThePageAndNeverATimeSheet) {
  Write({Worked("Design", "Acme", At(2026, 3, 2, 10, 0), 90)});
  std::string page = folder_.File("page.html"), refused = folder_.File("other.tim");
  user_.OnDialog(kCaption, [](HWND dialog) {
    Pick(dialog, IDC_TOTALS_PERIOD, "All records");
    Pick(dialog, IDC_TOTALS_GROUP_BY, "Task");
    Pick(dialog, IDC_TOTALS_THEN_BY, "(none)");
    PressButton(dialog, IDC_TOTALS_SAVE);
    return true;
  });
  user_.OnDialog(kSaveCaption, [&](HWND dialog) {
    char folder[MAX_PATH] = "";
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    EXPECT_EQ(std::string(folder) + "\\" + ItemText(dialog, 1148),
              folder_.File("jobs totals.html"));
    SetFileDialogName(dialog, refused);
    PressButton(dialog, IDOK);
    return true;
  });
  user_.AnswerBox(
      "Hourwright",
      "A report cannot take the place of a time sheet or its lists: choose another name", IDOK);
  user_.OnDialogAgain(kCaption, [](HWND dialog) {
    PressButton(dialog, IDC_TOTALS_SAVE);
    return true;
  });
  user_.ChooseFile(kSaveCaption, page);
  user_.OnDialogAgain(kCaption, [](HWND dialog) {
    PressButton(dialog, IDCANCEL);
    return true;
  });
  ShowTotalsDialog(NULL);
  user_.RunUntilDone();
  std::string written = ReadBytes(page);
  EXPECT_EQ(written.compare(0, 15, "<!DOCTYPE html>"), 0);
  EXPECT_NE(written.find(">Design<"), std::string::npos);
  EXPECT_NE(written.find(">1:30<"), std::string::npos);
  EXPECT_FALSE(FileExists(refused));
  EXPECT_EQ(SortedListing(folder_.Path()), "jobs.tim;page.html;");
}

class UiTotalsMenu : public MainWindowTest {};

TEST_F(UiTotalsMenu, NoOpenSheetAndAnUnreadableSheetAreTold) {
  TempFolder folder;
  std::string held = folder.File("held.tim");
  WriteBytes(held, "");
  HeldFile holder(held);
  struct Case {
    std::string sheet, message;
  } cases[] = {{"", "Open a time sheet first to see its totals"},
               {held, "Unable To Read Time Sheet " + held}};
  for (const Case& c : cases) {
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", c.sheet.c_str());
    ScriptedUser user;
    user.AnswerBox("Hourwright", c.message, IDOK, BoxIcon::kError);
    Press(user, IDM_TOTALS);
  }
}
