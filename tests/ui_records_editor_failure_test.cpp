#include <gtest/gtest.h>

#include <memory>

#include "tests/records_editor_fixture.h"
#include "tests/time_sheet_fixture.h"

namespace {
const std::vector<TimeRecord> kSheet = {Logged("Alpha", 16, 9, 0, 9, 45), Logged("Beta", 17, 10, 5, 11, 0),
                                        Logged("Gamma", 18, 14, 0, 15, 30)};

std::string UnwrittenMessage(const std::string& sheet) {
  return "Unable To Write Time Sheet " + sheet + "\nThe change was not saved; the file is as it was.";
}
}  // namespace

// Each action meets the sheet held open by another program just as it
// writes: the user is told, the file keeps its bytes, and no stray file is left.
class UiRecordsEditorHeldFile : public UiRecordsEditor {
 protected:
  void Hold() { held_.reset(new HeldFile(sheet_)); }
  void Release() { held_.reset(); }
  void ExpectUnchanged() {
    Release();
    EXPECT_EQ(Sheet(), SheetBytesOf(kSheet));
    EXPECT_EQ(SortedListing(folder_.Path()), "work.tim;");
  }
  // After the message: the refresh of an edit, add or delete cannot read the
  // held file and shows no rows; Done closes the editor.
  void ThenMessageAndRows(int rows) {
    user_.AnswerBox("Hourwright", UnwrittenMessage(sheet_), IDOK, BoxIcon::kError);
    user_.OnDialogAgain(kEditorCaption, [this, rows](HWND editor) {
      EXPECT_EQ(ListRows(editor), rows);
      Release();
      PressButton(editor, IDOK);
      return true;
    });
  }
  std::unique_ptr<HeldFile> held_;
};

TEST_F(UiRecordsEditorHeldFile, Edit) {
  WriteSheet(kSheet);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    SelectRow(editor, 0);
    PressButton(editor, IDC_RECORDS_EDIT);
    return true;
  });
  user_.OnDialog(kFormCaption, [this](HWND form) {
    SetDlgItemTextA(form, IDC_FORM_TASK, "Lost?");
    Hold();
    PressButton(form, IDOK);
    return true;
  });
  ThenMessageAndRows(0);
  Run();
  ExpectUnchanged();
}

TEST_F(UiRecordsEditorHeldFile, Add) {
  WriteSheet(kSheet);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    PressButton(editor, IDC_RECORDS_ADD);
    return true;
  });
  user_.OnDialog(kFormCaption, [this](HWND form) {
    TypeEntry(form, GoodEntry());
    Hold();
    PressButton(form, IDOK);
    return true;
  });
  ThenMessageAndRows(0);
  Run();
  ExpectUnchanged();
}

TEST_F(UiRecordsEditorHeldFile, Delete) {
  WriteSheet(kSheet);
  user_.OnDialog(kEditorCaption, [](HWND editor) {
    SelectRow(editor, 1);
    PressButton(editor, IDC_RECORDS_DELETE);
    return true;
  });
  user_.OnDialog("Delete Selected Record", [this](HWND box) {
    Hold();
    PressButton(box, IDYES);
    return true;
  });
  ThenMessageAndRows(0);
  Run();
  ExpectUnchanged();
}

// A purge that could not write does not refresh: the rows stay.
TEST_F(UiRecordsEditorHeldFile, Purge) {
  WriteSheet(kSheet);
  user_.OnDialog(kEditorCaption, [this](HWND editor) {
    TypePurgeDate(editor, "3", "18", "1999");
    Hold();
    PressButton(editor, IDC_RECORDS_PURGE);
    return true;
  });
  ThenMessageAndRows(3);
  Run();
  ExpectUnchanged();
}

// Opened on a sheet it cannot read, the editor lists nothing and refuses to
// write over the file it could not load.
TEST_F(UiRecordsEditorHeldFile, HeldFromTheStart) {
  WriteSheet(kSheet);
  Hold();
  // Not an empty list as if the sheet held no records: the editor, a window
  // nobody expected here, does not open.
  user_.AnswerBox("Hourwright", "Unable To Read Time Sheet " + sheet_, IDOK, BoxIcon::kError);
  Run();
  EXPECT_EQ(TimeSheet.count, -1);
  ExpectUnchanged();
}
