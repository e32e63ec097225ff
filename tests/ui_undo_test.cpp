#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "store/paths.h"
#include "tests/main_window_fixture.h"
#include "tests/records_editor_driver.h"
#include "tests/test_files.h"
#include "tests/time_sheet_fixture.h"

namespace {
struct Item {
  std::string text;
  bool grey;
};

class UiUndo : public MainWindowTest {
 protected:
  // The item as the user sees it when the "Edit &Lists" menu opens.
  Item MenuItem(int id) {
    HMENU lists = GetSubMenu(GetMenu(window_), 1);
    SendMessageA(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(lists), 1);
    char text[128] = "";
    GetMenuStringA(lists, id, text, sizeof text, MF_BYCOMMAND);
    return {text, (GetMenuState(lists, id, MF_BYCOMMAND) & MF_GRAYED) != 0};
  }
  void ExpectItems(const Item& undo, const Item& redo) {
    Item shownUndo = MenuItem(IDM_UNDO), shownRedo = MenuItem(IDM_REDO);
    EXPECT_EQ(shownUndo.text, undo.text);
    EXPECT_EQ(shownUndo.grey, undo.grey);
    EXPECT_EQ(shownRedo.text, redo.text);
    EXPECT_EQ(shownRedo.grey, redo.grey);
  }

  TempFolder folder_;
};
}  // namespace

// Delete a record in the records editor, Ctrl+Z there, then the menu's Redo
// and Undo: the items name the change, grey when there is none.
TEST_F(UiUndo, TheMenuNamesTheChangeAndCtrlZUndoesADeleteInTheRecordsEditor) {
  const std::string sheet = folder_.File("work.tim");
  const std::string three = Bytes({Closed(100, "a"), Closed(200, "b"), Closed(300, "c")});
  const std::string two = Bytes({Closed(100, "a"), Closed(300, "c")});
  WriteBytes(sheet, three);
  ExpectItems({"&Undo\tCtrl+Z", true}, {"&Redo\tCtrl+Y", true});
  ScriptedUser open;
  OpenTimeSheet(open, sheet);
  ExpectItems({"&Undo\tCtrl+Z", true}, {"&Redo\tCtrl+Y", true});

  ScriptedUser user;
  int rowsAfterDelete = -1;
  user.OnDialog(kEditorCaption, [](HWND editor) {
        SelectRow(editor, 1);
        PressButton(editor, IDC_RECORDS_DELETE);
        return true;
      })
      .AnswerBox("Delete Selected Record",
                 "You are about to delete the selected record.\nPress Yes to delete this record", IDYES)
      .OnDialogAgain(kEditorCaption, [&rowsAfterDelete](HWND editor) {
        rowsAfterDelete = ListRows(editor);
        SetFocus(RecordList(editor));
        PostMessageA(RecordList(editor), WM_CHAR, 0x1A, 1);  // Ctrl+Z
        return true;
      })
      .OnDialogAgain(kEditorCaption, [](HWND editor) {
        if (ListRows(editor) != 3) return false;  // the undo is still on its way
        EXPECT_EQ(ListCell(editor, 1, 2), "b");
        PressButton(editor, IDOK);
        return true;
      });
  Press(user, IDM_TIME_ENTRIES);
  EXPECT_EQ(rowsAfterDelete, 2);
  EXPECT_EQ(ReadBytes(sheet), three);
  ExpectItems({"&Undo\tCtrl+Z", true}, {"&Redo Delete Record\tCtrl+Y", false});

  PostCommand(window_, IDM_REDO);
  PumpFor(50);
  EXPECT_EQ(ReadBytes(sheet), two);
  ExpectItems({"&Undo Delete Record\tCtrl+Z", false}, {"&Redo\tCtrl+Y", true});

  // Changed by another program since: refused, the file left as it is.
  const std::string elsewhere = Bytes({Closed(100, "A"), Closed(300, "c")});
  WriteBytes(sheet, elsewhere);
  ScriptedUser refused;
  refused.AnswerBox("Hourwright", "Unable To Undo Delete Record\nThe time sheet was changed since.", IDOK,
                    BoxIcon::kError);
  Press(refused, IDM_UNDO);
  EXPECT_EQ(ReadBytes(sheet), elsewhere);
  ExpectItems({"&Undo Delete Record\tCtrl+Z", false}, {"&Redo\tCtrl+Y", true});
}
