#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "editors/record_form_dialog.h"
#include "tests/records_editor_fixture.h"

namespace {
struct Control {
  const char* className;
  const char* text;
  int id;
  int x, y, cx, cy;
};

// Controls in template order, each with its class, text, id and place.
void ExpectLayout(HWND dialog, const std::vector<Control>& controls, int width, int height) {
  LONG style = GetWindowLongA(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & DS_MODALFRAME);
  EXPECT_FALSE(style & WS_SYSMENU);
  RECT size = {0, 0, width, height}, client;
  MapDialogRect(dialog, &size);
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);
  size_t index = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[64] = "";
    GetClassNameA(child, className, sizeof className);
    if (strcmp(className, "SysHeader32") == 0) continue;
    if (index >= controls.size()) {
      ADD_FAILURE() << "extra control " << GetDlgCtrlID(child);
      break;
    }
    const Control& c = controls[index++];
    EXPECT_STREQ(className, c.className) << c.text;
    if (strcmp(c.className, "SysListView32") != 0) {
      EXPECT_EQ(WindowText(child), c.text);
    }
    EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(child))), c.id) << c.text;
    RECT units = {c.x, c.y, c.cx, c.cy}, actual;
    MapDialogRect(dialog, &units);
    GetWindowRect(child, &actual);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, units.left) << c.text;
    EXPECT_EQ(actual.top, units.top) << c.text;
    EXPECT_EQ(actual.right - actual.left, units.right) << c.text;
    EXPECT_EQ(actual.bottom - actual.top, units.bottom) << c.text;
  }
  EXPECT_EQ(index, controls.size());
}

const std::vector<TimeRecord> kThree = {Logged("Alpha", 16, 9, 0, 9, 45), Logged("Beta", 17, 10, 5, 11, 0),
                                        Logged("Gamma", 18, 14, 0, 15, 30)};
}  // namespace

TEST_F(UiRecordsEditor, ControlsColumnsAndPlaces) {
  WriteSheet(kThree);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    ExpectLayout(editor,
                 {{"SysListView32", "", IDC_RECORDS_LIST, 0, 0, 275, 90},
                  {"Button", "&Edit Selected Record", IDC_RECORDS_EDIT, 15, 95, 80, 14},
                  {"Button", "&Add a Record", IDC_RECORDS_ADD, 15, 115, 80, 14},
                  {"Button", "&Delete Record", IDC_RECORDS_DELETE, 15, 135, 80, 14},
                  {"Button", "Done", IDOK, 30, 155, 50, 14},
                  {"Static", "day", -1, 180, 110, 12, 8},
                  {"Edit", "", IDC_RECORDS_PURGE_MONTH, 135, 121, 40, 14},
                  {"Static", "month", -1, 135, 110, 30, 8},
                  {"Edit", "", IDC_RECORDS_PURGE_DAY, 180, 121, 40, 14},
                  {"Static", "year", -1, 225, 110, 30, 8},
                  {"Edit", "", IDC_RECORDS_PURGE_YEAR, 225, 121, 40, 14},
                  {"Button", "Delete &records ", IDC_RECORDS_PURGE, 165, 150, 75, 14},
                  {"Button", "Delete Records that start before...", -1, 125, 95, 150, 75}},
                 280, 172);
    LONG listStyle = GetWindowLongA(RecordList(editor), GWL_STYLE);
    EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(listStyle & LVS_SINGLESEL);
    EXPECT_TRUE(SendDlgItemMessageA(editor, IDOK, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    const char* headers[] = {"Start Time", "End Time", "Task", "Project", "CLASS",
                             "Elapsed Time  Hours:Minutes"};
    for (int c = 0; c < 6; ++c) {
      EXPECT_EQ(ListHeader(editor, c), headers[c]);
      EXPECT_EQ(SendMessageA(RecordList(editor), LVM_GETCOLUMNWIDTH, c, 0), 75);
    }
    EXPECT_EQ(ListHeader(editor, 6), "<none>");
    PressButton(editor, IDCANCEL);  // Escape
    return true;
  });
  Run();
  EXPECT_EQ(TimeSheet.count, -1) << "the sheet is released when the editor closes";
}

TEST_F(UiRecordsEditor, FormControlsAndPlaces) {
  WriteSheet(kThree);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    PressButton(editor, IDC_RECORDS_ADD);
    return true;
  });
  user_.OnDialog(kFormCaption, [](HWND form) {
    ExpectLayout(form,
                 {{"Static", "Task", -1, 0, 6, 50, 8},
                  {"Edit", "", IDC_FORM_TASK, 55, 5, 220, 14},
                  {"Static", "&Project", -1, 0, 21, 48, 8},
                  {"Edit", "", IDC_FORM_PROJECT, 55, 20, 220, 14},
                  {"Static", "Class", -1, 0, 36, 50, 8},
                  {"Edit", "", IDC_FORM_CLASSIFICATION, 55, 35, 220, 14},
                  {"Static", "Start Time", -1, 0, 70, 50, 8},
                  {"Static", "Day", -1, 100, 55, 14, 8},
                  {"Edit", "", IDC_FORM_START_MONTH, 55, 65, 40, 14},
                  {"Static", "Month", -1, 55, 55, 21, 8},
                  {"Edit", "", IDC_FORM_START_DAY, 100, 65, 40, 14},
                  {"Static", "Year", -1, 145, 55, 16, 8},
                  {"Edit", "", IDC_FORM_START_YEAR, 145, 65, 40, 14},
                  {"Static", "Hour (24)", -1, 190, 55, 35, 8},
                  {"Edit", "", IDC_FORM_START_HOUR, 190, 65, 40, 14},
                  {"Static", "Minute", -1, 235, 55, 35, 8},
                  {"Edit", "", IDC_FORM_START_MINUTE, 235, 65, 40, 14},
                  {"Static", "Stop Time", -1, 0, 99, 50, 8},
                  {"Edit", "", IDC_FORM_STOP_MONTH, 55, 95, 40, 14},
                  {"Edit", "", IDC_FORM_STOP_DAY, 100, 95, 40, 14},
                  {"Edit", "", IDC_FORM_STOP_YEAR, 145, 95, 40, 14},
                  {"Edit", "", IDC_FORM_STOP_HOUR, 190, 95, 40, 14},
                  {"Edit", "", IDC_FORM_STOP_MINUTE, 235, 95, 40, 14},
                  {"Button", "OK", IDOK, 60, 115, 50, 14},
                  {"Button", "Cancel", IDCANCEL, 155, 115, 50, 14}},
                 280, 137);
    PressButton(form, IDCANCEL);
    return true;
  });
  ThenDone();
  Run();
  EXPECT_EQ(Sheet(), SheetBytesOf(kThree));
}

TEST_F(UiRecordsEditor, RowsEndAtTheFirstOpenRecordWithHoursAndMinutes) {
  std::vector<TimeRecord> records = kThree;
  records.push_back(Logged("Delta", 19, 8, 0, 9, 36));
  const float minutes[] = {59.9f, 60.0f, 5.0f, 96.0f};
  for (int i = 0; i < 4; ++i) records[i].elapsedMinutes = minutes[i];
  records.push_back(MakeRecord("Running", "P", "C", records[3].stopSeconds, 0));
  records.push_back(Logged("After", 20, 8, 0, 9, 0));  // closed, but behind the open one
  WriteSheet(records);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    EXPECT_EQ(ListRows(editor), 4);
    const char* hours[] = {"0:59", "1:00", "0:05", "1:36"};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(ListCell(editor, row, 5), hours[row]) << row;
    EXPECT_EQ(ListCell(editor, 1, 0), "10:05:00 am 3/17/1999");
    EXPECT_EQ(ListCell(editor, 1, 1), "11:00:00 am 3/17/1999");
    EXPECT_EQ(ListCell(editor, 1, 2), "Beta");
    EXPECT_EQ(ListCell(editor, 1, 3), "Proj");
    EXPECT_EQ(ListCell(editor, 1, 4), "Cls");
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = "11:00";
    EXPECT_EQ(SendMessageA(RecordList(editor), LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)), -1);
    find.psz = "10:05";
    EXPECT_EQ(SendMessageA(RecordList(editor), LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)), 1);
    SelectRow(editor, 4);  // the open record has no row to select
    PressButton(editor, IDC_RECORDS_EDIT);
    return true;
  });
  user_.AnswerBox("Hourwright", kSelectionNotice, IDOK, BoxIcon::kNone);
  ThenDone();
  Run();
  EXPECT_EQ(Sheet(), SheetBytesOf(records));
}

TEST_F(UiRecordsEditor, EmptySheetRefusesEditAndDeleteAndTakesAnAddition) {
  WriteBytes(sheet_, "");
  const TimeRecord added = BuiltFrom(GoodEntry());
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    EXPECT_EQ(ListRows(editor), 0);
    PressButton(editor, IDC_RECORDS_EDIT);
    return true;
  });
  user_.AnswerBox("Hourwright", kSelectionNotice, IDOK, BoxIcon::kNone);
  user_.OnDialogAgain(kEditorCaption, [](HWND editor) {
    PressButton(editor, IDC_RECORDS_DELETE);
    return true;
  });
  user_.AnswerBox("Hourwright", kSelectionNotice, IDOK, BoxIcon::kNone);
  user_.OnDialogAgain(kEditorCaption, [](HWND editor) {
    PressButton(editor, IDC_RECORDS_ADD);
    return true;
  });
  user_.OnDialog(kFormCaption, [](HWND form) {
    EXPECT_EQ(ShownEntry(form).Texts().task, std::string());  // a new record starts empty
    return FillForm(GoodEntry())(form);
  });
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), RecordBytes(added));
    EXPECT_EQ(ListRows(editor), 1);
    EXPECT_EQ(ListCell(editor, 0, 5), "1:30");
    PressButton(editor, IDOK);
    return true;
  });
  Run();
}

TEST_F(UiRecordsEditor, EditShowsTheRecordAndRewritesItInPlace) {
  WriteSheet(kThree);
  FormEntry changed = With(With(GoodEntry(), kTask, "Fixed"), kStartHour, "16");
  changed = With(changed, kStopHour, "17");  // later than the next record: it stays in place
  const TimeRecord rebuilt = BuiltFrom(changed, kThree[1]);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    SelectRow(editor, 1);
    PressButton(editor, IDC_RECORDS_EDIT);
    return true;
  });
  user_.OnDialog(kFormCaption, [](HWND form) {
    const FormEntry shown = ShownEntry(form);
    const char* expected[13] = {"Beta", "Proj", "Cls", "3", "17", "1999", "10", "5",
                                "3",    "17",   "1999", "11", "0"};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(shown.field[i], expected[i]) << i;
    PressButton(form, IDCANCEL);
    return true;
  });
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf(kThree)) << "a cancelled form writes nothing";
    PressButton(editor, IDC_RECORDS_EDIT);  // the selection stays after a cancel
    return true;
  });
  user_.OnDialog(kFormCaption, FillForm(changed));
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf({kThree[0], rebuilt, kThree[2]}));
    EXPECT_EQ(ListCell(editor, 1, 2), "Fixed");
    PressButton(editor, IDC_RECORDS_EDIT);  // the refresh forgot the selection
    return true;
  });
  user_.AnswerBox("Hourwright", kSelectionNotice, IDOK);
  ThenDone();
  Run();
}

TEST_F(UiRecordsEditor, AddGoesBeforeTheFirstRecordStartingAtOrAfterIt) {
  WriteSheet(kThree);
  // 17 March 10:05 equals Beta's start: the new record goes before it.
  FormEntry entry = With(With(GoodEntry(), kStartMinute, "5"), kTask, "New");
  const TimeRecord added = BuiltFrom(entry);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    PressButton(editor, IDC_RECORDS_ADD);
    return true;
  });
  user_.OnDialog(kFormCaption, FillForm(entry));
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf({kThree[0], added, kThree[1], kThree[2]}));
    EXPECT_EQ(ListRows(editor), 4);
    PressButton(editor, IDC_RECORDS_ADD);
    return true;
  });
  const FormEntry late = With(With(With(GoodEntry(), kStartYear, "2001"), kStopYear, "2001"), kTask, "Late");
  user_.OnDialog(kFormCaption, FillForm(late));
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf({kThree[0], added, kThree[1], kThree[2], BuiltFrom(late)}));
    PressButton(editor, IDOK);
    return true;
  });
  Run();
}

TEST_F(UiRecordsEditor, DeleteAsksFirst) {
  WriteSheet(kThree);
  const char kQuestion[] = "You are about to delete the selected record.\nPress Yes to delete this record";
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    SelectRow(editor, 0);
    PressButton(editor, IDC_RECORDS_DELETE);
    return true;
  });
  user_.AnswerBox("Delete Selected Record", kQuestion, IDNO, BoxIcon::kNone);
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf(kThree));
    PressButton(editor, IDC_RECORDS_DELETE);
    return true;
  });
  user_.AnswerBox("Delete Selected Record", kQuestion, IDYES);
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf({kThree[1], kThree[2]}));
    EXPECT_EQ(ListRows(editor), 2);
    EXPECT_EQ(ListCell(editor, 0, 2), "Beta");
    PressButton(editor, IDOK);
    return true;
  });
  Run();
}

TEST_F(UiRecordsEditor, PurgeMessagesThenDeletesBeforeTheDayWithoutAsking) {
  const TimeRecord lastMinute = Logged("Eve", 16, 23, 0, 23, 59);
  std::vector<TimeRecord> records = {kThree[2], lastMinute, Logged("Midnight", 17, 0, 0, 0, 30), kThree[0]};
  WriteSheet(records);
  const std::string day = "Bad Day of the Month Entered", month = "Bad Month Entered",
                    time = "Bad Time Entered";
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    TypePurgeDate(editor, "3", "0", "99");
    PressButton(editor, IDC_RECORDS_PURGE);
    return true;
  });
  user_.AnswerBox("Hourwright", day, IDOK, BoxIcon::kError).AnswerBox("Hourwright", time, IDOK, BoxIcon::kError);
  user_.OnDialogAgain(kEditorCaption, [](HWND editor) {
    TypePurgeDate(editor, "13", "0", "99");
    PressButton(editor, IDC_RECORDS_PURGE);
    return true;
  });
  user_.AnswerBox("Hourwright", day, IDOK).AnswerBox("Hourwright", month, IDOK).AnswerBox("Hourwright", time, IDOK);
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf(records));
    EXPECT_EQ(ItemText(editor, IDC_RECORDS_PURGE_MONTH), "13") << "the entries stay as typed";
    TypePurgeDate(editor, "3", "17", "99");
    PressButton(editor, IDC_RECORDS_PURGE);
    return true;
  });
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), SheetBytesOf({kThree[2], records[2]}));
    EXPECT_EQ(ListRows(editor), 2);
    TypePurgeDate(editor, "3", "17", "79");  // 2079: everything goes
    PressButton(editor, IDC_RECORDS_PURGE);
    return true;
  });
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), "");
    EXPECT_EQ(ListRows(editor), 0);
    PressButton(editor, IDOK);
    return true;
  });
  Run();
}

TEST_F(UiRecordsEditor, PurgeWithAnEmptyYearMeansTwoThousand) {
  std::vector<TimeRecord> records = {kThree[0], Logged("Y2K", 16, 9, 0, 10, 0, 3, 2000),
                                     Logged("Later", 17, 9, 0, 10, 0, 3, 2000)};
  WriteSheet(records);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    TypePurgeDate(editor, "3", "17", "");
    PressButton(editor, IDC_RECORDS_PURGE);
    return true;
  });
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(Sheet(), RecordBytes(records[2]));
    PressButton(editor, IDOK);
    return true;
  });
  Run();
}

// Every hostile text that the form refuses brings its own message, the form
// stays open, and nothing reaches the file.
TEST_F(UiRecordsEditor, HostileNumbersInTheFormAreRefusedWithTheirMessage) {
  WriteSheet(kThree);
  struct Attempt { FormEntry entry; std::string message; };
  auto attempts = std::make_shared<std::vector<Attempt>>();
  for (const FieldOutcomes& outcomes : NumberFieldOutcomes())
    for (const FormHostileText& hostile : FormHostileTexts()) {
      RecordFormStep step = OutcomeFor(outcomes, hostile.value);
      if (step != kFormGood)
        attempts->push_back({With(GoodEntry(), outcomes.field, hostile.text), RecordFormMessage(step)});
    }
  ASSERT_GT(attempts->size(), 40u);
  auto form = std::make_shared<HWND>();
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    PressButton(editor, IDC_RECORDS_ADD);
    return true;
  });
  user_.OnDialog(kFormCaption, [form, attempts](HWND dialog) {
    *form = dialog;
    return FillForm((*attempts)[0].entry)(dialog);
  });
  for (size_t i = 0; i < attempts->size(); ++i) {
    user_.OnDialog("Hourwright", [form, attempts, i](HWND box) {
      EXPECT_EQ(MessageBoxText(box), (*attempts)[i].message) << "attempt " << i;
      PressButton(box, IDOK);
      if (i + 1 < attempts->size()) {
        FillForm((*attempts)[i + 1].entry)(*form);
      } else {
        EXPECT_EQ(ItemText(*form, IDC_FORM_STOP_MINUTE), (*attempts)[i].entry.field[kStopMinute]);
        PressButton(*form, IDCANCEL);
      }
      return true;
    });
  }
  ThenDone();
  Run();
  EXPECT_EQ(Sheet(), SheetBytesOf(kThree));
}

TEST_F(UiRecordsEditor, HostileNumbersInThePurgeBoxDeleteNothing) {
  WriteSheet(kThree);
  const std::string day = "Bad Day of the Month Entered", month = "Bad Month Entered",
                    time = "Bad Time Entered";
  struct Attempt { const char *m, *d, *y; std::vector<std::string> messages; };
  auto texts = std::make_shared<std::vector<FormHostileText>>(FormHostileTexts());
  auto attempts = std::make_shared<std::vector<Attempt>>();
  for (const FormHostileText& h : *texts) {
    if (h.value != 0 && h.value != 65535) continue;  // the others name a real day
    attempts->push_back({"3", h.text.c_str(), "99", {day, time}});
    attempts->push_back({h.text.c_str(), "17", "99", {month, time}});
    if (h.value == 65535) attempts->push_back({"3", "17", h.text.c_str(), {time}});
  }
  user_.OnDialog(kEditorCaption, [](HWND) { return true; });
  for (size_t i = 0; i < attempts->size(); ++i) {
    user_.OnDialogAgain(kEditorCaption, [attempts, i](HWND editor) {
      const Attempt& a = (*attempts)[i];
      TypePurgeDate(editor, a.m, a.d, a.y);
      PressButton(editor, IDC_RECORDS_PURGE);
      return true;
    });
    for (const std::string& message : (*attempts)[i].messages)
      user_.AnswerBox("Hourwright", message, IDOK, BoxIcon::kError);
  }
  ThenDone();
  Run();
  EXPECT_EQ(Sheet(), SheetBytesOf(kThree));
}

TEST_F(UiRecordsEditor, FormRefusesAnIndexBeyondTheSheetWithoutShowingItself) {
  WriteSheet(kThree);
  user_.AnswerBox("Hourwright", "Bad Data File Entry, Cannot Edit", IDOK, BoxIcon::kNone)
      .AnswerBox("Hourwright", "Bad Data File Entry, Cannot Edit", IDOK, BoxIcon::kNone);
  EXPECT_EQ(ShowTimeRecordForm(NULL, FormRequest{kFormEditRecord, 0}), 0);  // nothing loaded
  ASSERT_EQ(LoadTimeSheet(), 1);
  EXPECT_EQ(ShowTimeRecordForm(NULL, FormRequest{kFormEditRecord, 3}), 0);
  user_.RunUntilDone();
  EXPECT_EQ(user_.Seen().size(), 2u);
}

// Past 65,536 records every closed record has its row, and an edit there
// changes that record and no other.
TEST_F(UiRecordsEditor, LargeSheetListsAndEditsRecordsPastSixteenBits) {
  const int kRecords = 70000;
  std::vector<TimeRecord> records;
  records.reserve(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    TimeRecord r = kThree[i % 3];
    snprintf(r.task, sizeof r.task, "task %d", i);
    records.push_back(r);
  }
  WriteSheet(records);
  const int kRow = 69999;
  FormEntry changed = With(GoodEntry(), kTask, "Corrected");
  records[kRow] = BuiltFrom(changed, records[kRow]);
  user_.OnDialog(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(ListRows(editor), kRecords);
    EXPECT_EQ(ListCell(editor, kRow, 2), "task 69999");
    SelectRow(editor, kRow);
    PressButton(editor, IDC_RECORDS_EDIT);
    return true;
  });
  user_.OnDialog(kFormCaption, [&](HWND form) {
    EXPECT_EQ(ItemText(form, IDC_FORM_TASK), "task 69999");
    return FillForm(changed)(form);
  });
  user_.OnDialogAgain(kEditorCaption, [&](HWND editor) {
    EXPECT_EQ(ListCell(editor, kRow, 2), "Corrected");
    EXPECT_EQ(ListCell(editor, kRow - 65536, 2), "task 4463");
    PressButton(editor, IDOK);
    return true;
  });
  Run();
  EXPECT_TRUE(Sheet() == SheetBytesOf(records)) << "only record 69999 changed";
}
