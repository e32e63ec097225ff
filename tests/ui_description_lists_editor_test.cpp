#include <gtest/gtest.h>
#include <string.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/shell.h"
#include "editors/description_entry.h"
#include "editors/description_lists_editor.h"
#include "resources/resource.h"
#include "store/current_task.h"
#include "store/description_lists.h"
#include "store/paths.h"
#include "store/time_sheet.h"
#include "tests/description_bytes.h"
#include "tests/main_window_fixture.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"

using namespace description_bytes;

namespace {

const char kEditor[] = "Modify List Descriptions";
const char kSelectFirst[] = "You Must Select an Item from the list";
using Strings = std::vector<std::string>;

// Acts on the open editor, one action per moment it is free (no entry
// dialog or message box over it), in order. The first step of `user` meets
// the editor; the scripted user answers everything opened over it. An editor
// still open after the time allowed is closed, so a fault fails instead of
// hanging.
class EditorDriver {
 public:
  using Action = std::function<void(HWND)>;
  explicit EditorDriver(ScriptedUser& user, int timeoutMs = 20000)
      : deadline_(GetTickCount() + timeoutMs) {
    user.OnDialog(kEditor, [this](HWND editor) {
      editor_ = editor;
      return true;
    });
    active_ = this;
    timer_ = SetTimer(NULL, 0, 30, OnTimer);
  }
  ~EditorDriver() {
    KillTimer(NULL, timer_);
    active_ = nullptr;
    if (!actions_.empty()) ADD_FAILURE() << actions_.size() << " editor action(s) never ran";
  }
  EditorDriver(const EditorDriver&) = delete;
  EditorDriver& operator=(const EditorDriver&) = delete;
  EditorDriver& Then(Action action) {
    actions_.push_back(std::move(action));
    return *this;
  }
  HWND Editor() const { return editor_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ != nullptr) active_->Tick();
  }
  void Tick() {
    if (busy_ || editor_ == NULL || !IsWindow(editor_)) return;
    if (static_cast<int>(GetTickCount() - deadline_) > 0) {
      if (!timedOut_) ADD_FAILURE() << "the editor was still open when the time ran out";
      timedOut_ = true;
      PostMessageA(editor_, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    if (actions_.empty() || !IsWindowEnabled(editor_) || BoxOpen()) return;
    busy_ = true;
    Action action = actions_.front();
    actions_.erase(actions_.begin());
    action(editor_);
    busy_ = false;
  }

  // A message box owned by the main window leaves the editor enabled: the
  // next action waits until the box is answered and the editor has reloaded.
  struct BoxSearch {
    HWND editor;
    bool found;
  };
  static BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(data);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (window == search.editor || window == MainWindow || !IsWindowVisible(window) ||
        strcmp(name, "#32770") != 0)
      return TRUE;
    search.found = true;
    return FALSE;
  }
  bool BoxOpen() const {
    BoxSearch search = {editor_, false};
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  static EditorDriver* active_;
  UINT_PTR timer_;
  DWORD deadline_;
  HWND editor_ = NULL;
  bool busy_ = false;
  bool timedOut_ = false;
  std::vector<Action> actions_;
};
EditorDriver* EditorDriver::active_ = nullptr;

// The list box as the user sees it, top to bottom.
Strings Entries(HWND editor) {
  Strings entries;
  LRESULT count = SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = "";
    if (SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETTEXTLEN, i, 0) < 256)
      SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

std::string Selected(HWND editor) {
  LRESULT selected = SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return "<none>";
  char text[256] = "";
  SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text));
  return text;
}

// A click on an entry, as the mouse selects it.
void Select(HWND editor, const std::string& text) {
  LRESULT index = SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_NE(index, LB_ERR) << text;
  SendDlgItemMessageA(editor, IDC_LISTS_ENTRIES, LB_SETCURSEL, index, 0);
}

// The user picks a kind in the combo box: the selection and its notification.
void ChooseKind(HWND editor, int kind) {
  HWND combo = GetDlgItem(editor, IDC_LISTS_KIND);
  SendMessageA(combo, CB_SETCURSEL, kind, 0);
  SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_LISTS_KIND, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Types into the entry dialog's edit key by key.
void TypeEntry(HWND entry, const std::string& text) {
  HWND edit = GetDlgItem(entry, IDC_ENTRY_TEXT);
  SetWindowTextA(edit, "");
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// The control styles as the dialog template in the program's resources gives
// them (Wine drops some scroll and border bits from the created windows).
std::vector<DWORD> TemplateStyles(int dialog) {
  std::vector<DWORD> styles;
  HRSRC found = FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(dialog), MAKEINTRESOURCEA(5));
  if (found == NULL) return styles;
  const WORD* at = static_cast<const WORD*>(LockResource(LoadResource(GetModuleHandleA(NULL), found)));
  const DLGTEMPLATE* head = reinterpret_cast<const DLGTEMPLATE*>(at);
  // Menu, class and caption: each an ordinal (0xFFFF, n), or a string.
  auto skip = [](const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p != 0) ++p;
    return p + 1;
  };
  at = skip(skip(skip(at + sizeof(DLGTEMPLATE) / sizeof(WORD))));
  if (head->style & DS_SETFONT) at = skip(at + 1);
  for (WORD i = 0; i < head->cdit; ++i) {
    at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~static_cast<UINT_PTR>(3));
    const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
    styles.push_back(item->style);
    at = skip(skip(at + sizeof(DLGITEMTEMPLATE) / sizeof(WORD)));
    at += 1 + *at / sizeof(WORD);  // creation data
  }
  return styles;
}

const std::string kLists =
    Texts({"Zeta", "design", "Alpha"}) + Texts({"Beta", "Alpha"}) + Texts({"Billable", "admin"});

class UiDescriptionListsEditor : public testing::Test {
 protected:
  void SetUp() override {
    ProgramInstance = GetModuleHandleA(NULL);
    MainWindow = NULL;
    path_ = folder_.File("hours.des");
    snprintf(DescriptionsPath, sizeof DescriptionsPath, "%s", path_.c_str());
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", folder_.File("hours.tim").c_str());
    WriteBytes(path_, kLists);
  }
  void TearDown() override {
    EXPECT_EQ(DescriptionLists[kTaskList].count, -1) << "the lists were left loaded";
    DescriptionsPath[0] = '\0';
    TimeSheetPath[0] = '\0';
  }
  void Run() {
    ShowDescriptionListsEditor(NULL);
    user_.RunUntilDone();
  }

  TempFolder folder_;
  std::string path_;
  ScriptedUser user_;
};

}  // namespace

TEST_F(UiDescriptionListsEditor, ControlsTextsAndPlaces) {
  struct Control { const char* className; const char* text; int id; int x, y, cx, cy; };
  auto expectLayout = [](HWND dialog, SIZE units, const std::vector<Control>& controls) {
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & DS_MODALFRAME);
    EXPECT_FALSE(style & WS_SYSMENU);
    RECT size = {0, 0, units.cx, units.cy}, client;
    MapDialogRect(dialog, &size);
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT), ++index) {
      if (index >= controls.size()) {
        ADD_FAILURE() << "extra control " << GetDlgCtrlID(child);
        break;
      }
      const Control& c = controls[index];
      char className[64] = "";
      GetClassNameA(child, className, sizeof className);
      EXPECT_STREQ(className, c.className) << c.text;
      if (c.id != IDC_LISTS_KIND) {
        EXPECT_EQ(WindowText(child), c.text);
      }
      EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(child))), c.id) << c.text;
      RECT place = {c.x, c.y, c.cx, c.cy}, actual;
      MapDialogRect(dialog, &place);
      GetWindowRect(child, &actual);
      MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&actual), 2);
      EXPECT_EQ(actual.left, place.left) << c.text;
      EXPECT_EQ(actual.top, place.top) << c.text;
      EXPECT_EQ(actual.right - actual.left, place.right) << c.text;
      // A drop-down list is as high as its edit; its template height is the list's.
      if (c.id != IDC_LISTS_KIND) {
        EXPECT_EQ(actual.bottom - actual.top, place.bottom) << c.text;
      }
    }
    EXPECT_EQ(index, controls.size());
  };
  auto styleOf = [](HWND dialog, int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE); };

  EditorDriver driver(user_);
  driver.Then([&](HWND editor) {
    EXPECT_EQ(WindowText(editor), kEditor);
    expectLayout(editor, SIZE{280, 202},
                 {{"Static", "&Show Record Type:", -1, 10, 10, 70, 8},
                  {"ComboBox", "", IDC_LISTS_KIND, 85, 10, 85, 30},
                  {"ListBox", "", IDC_LISTS_ENTRIES, 5, 30, 270, 75},
                  {"Button", "&Add New", IDC_LISTS_ADD, 5, 110, 50, 14},
                  {"Button", "&Edit Selected", IDC_LISTS_EDIT, 105, 110, 50, 14},
                  {"Button", "Remo&ve Selected", IDC_LISTS_REMOVE, 200, 110, 65, 14},
                  {"Button", "&Rebuild all entries from those in time records", IDC_LISTS_REBUILD, 5, 135, 115, 30},
                  {"Button", "Rebuild all entries from those in time records, and &keep current entries",
                   IDC_LISTS_REBUILD_KEEP, 135, 135, 140, 30},
                  {"Button", "Done", IDOK, 105, 175, 50, 14}});
    std::vector<DWORD> styles = TemplateStyles(IDD_DESCRIPTION_LISTS);
    ASSERT_EQ(styles.size(), 9u);
    DWORD combo = styles[1];
    EXPECT_EQ(combo & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_FALSE(combo & CBS_SORT);
    EXPECT_TRUE(combo & CBS_DISABLENOSCROLL);
    EXPECT_TRUE(combo & WS_VSCROLL);
    DWORD list = styles[2];
    for (DWORD bit : {LBS_SORT, LBS_NOTIFY, LBS_NOINTEGRALHEIGHT, WS_VSCROLL, WS_BORDER}) {
      EXPECT_TRUE(list & bit) << bit;
    }
    EXPECT_FALSE(list & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    for (DWORD style : styles) EXPECT_TRUE(style & WS_VISIBLE);
    for (int id : {IDC_LISTS_REBUILD, IDC_LISTS_REBUILD_KEEP}) EXPECT_TRUE(styleOf(editor, id) & BS_MULTILINE);
    EXPECT_EQ(styleOf(editor, IDOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(styleOf(editor, IDC_LISTS_ADD) & BS_TYPEMASK, BS_PUSHBUTTON);
    PressButton(editor, IDC_LISTS_ADD);
  });
  user_.OnDialog("Add an Entry", [&](HWND entry) {
    expectLayout(entry, SIZE{212, 87},
                 {{"Static", "Add a Task", IDC_ENTRY_LABEL, 5, 5, 200, 20},
                  {"Edit", "", IDC_ENTRY_TEXT, 5, 40, 200, 14},
                  {"Button", "OK", IDOK, 15, 65, 50, 14},
                  {"Button", "Cancel", IDCANCEL, 140, 65, 50, 14}});
    std::vector<DWORD> styles = TemplateStyles(IDD_DESCRIPTION_ENTRY);
    EXPECT_EQ(styles.size(), 4u);
    styles.resize(4);
    DWORD edit = styles[1];
    EXPECT_TRUE(edit & ES_AUTOHSCROLL);
    EXPECT_TRUE(edit & WS_BORDER);
    EXPECT_FALSE(edit & ES_MULTILINE);
    EXPECT_GE(SendDlgItemMessageA(entry, IDC_ENTRY_TEXT, EM_GETLIMITTEXT, 0, 0), 30000);
    EXPECT_EQ(styleOf(entry, IDOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    // Escape is Cancel.
    PostMessageA(GetDlgItem(entry, IDC_ENTRY_TEXT), WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  });
  driver.Then([](HWND editor) { PostMessageA(GetDlgItem(editor, IDC_LISTS_ENTRIES), WM_KEYDOWN, VK_ESCAPE, 0); });
  Run();
  EXPECT_EQ(ReadBytes(path_), kLists);
}

TEST_F(UiDescriptionListsEditor, OpensOnTasksSortedAndSwitchesKindsWithoutReading) {
  EditorDriver driver(user_);
  driver.Then([&](HWND editor) {
    Strings kinds;
    for (int i = 0; i < 3; ++i) {
      char text[64] = "";
      SendDlgItemMessageA(editor, IDC_LISTS_KIND, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      kinds.push_back(text);
    }
    EXPECT_EQ(kinds, (Strings{"Tasks", "Projects", "Classifications"}));
    EXPECT_EQ(SendDlgItemMessageA(editor, IDC_LISTS_KIND, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessageA(editor, IDC_LISTS_KIND, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ShownKind, kTaskList);
    EXPECT_EQ(Entries(editor), (Strings{"Alpha", "design", "Zeta"}));
    EXPECT_EQ(Selected(editor), "<none>");
    // Choosing a kind shows the lists loaded at the opening, not the file.
    WriteBytes(path_, Texts({"Other"}) + Texts({"Other"}) + Texts({"Other"}));
    ChooseKind(editor, kClassificationList);
    EXPECT_EQ(ShownKind, kClassificationList);
    EXPECT_EQ(Entries(editor), (Strings{"admin", "Billable"}));
    ChooseKind(editor, kProjectList);
    EXPECT_EQ(Entries(editor), (Strings{"Alpha", "Beta"}));
    PressButton(editor, IDOK);
  });
  Run();
}

TEST_F(UiDescriptionListsEditor, AddShowsTheKindAndTheListShowsTheNewEntry) {
  EditorDriver driver(user_);
  driver.Then([](HWND editor) {
    ChooseKind(editor, kClassificationList);
    PressButton(editor, IDC_LISTS_ADD);
  });
  user_.OnDialog("Add an Entry", [](HWND entry) {
    EXPECT_EQ(ItemText(entry, IDC_ENTRY_LABEL), "Add a Classification");
    EXPECT_EQ(ItemText(entry, IDC_ENTRY_TEXT), "");
    TypeEntry(entry, "Overhead");
    PressButton(entry, IDOK);
    return true;
  });
  driver.Then([](HWND editor) {
    EXPECT_EQ(ShownKind, kClassificationList);
    EXPECT_EQ(Entries(editor), (Strings{"admin", "Billable", "Overhead"}));
    PressButton(editor, IDC_LISTS_ADD);
  });
  // A duplicate in other case: its message, then the list as it was.
  user_.OnDialog("Add an Entry", [](HWND entry) {
    TypeEntry(entry, "ADMIN");
    PressButton(entry, IDOK);
    return true;
  });
  user_.AnswerBox("Hourwright", "ADMIN\n already found in Classification list", IDOK, BoxIcon::kError);
  driver.Then([](HWND editor) {
    EXPECT_EQ(Entries(editor), (Strings{"admin", "Billable", "Overhead"}));
    PressButton(editor, IDOK);
  });
  Run();
  EXPECT_EQ(ReadBytes(path_), Texts({"Zeta", "design", "Alpha"}) + Texts({"Beta", "Alpha"}) +
                                  Texts({"Billable", "admin", "Overhead"}));
}

TEST_F(UiDescriptionListsEditor, EditShowsTheOriginalAndReplacesIt) {
  EditorDriver driver(user_);
  driver.Then([](HWND editor) {
    ChooseKind(editor, kProjectList);
    Select(editor, "Alpha");
    PressButton(editor, IDC_LISTS_EDIT);
  });
  user_.OnDialog("Edit an Entry", [](HWND entry) {
    EXPECT_EQ(ItemText(entry, IDC_ENTRY_LABEL), "Edit a Project\nOriginal Text:Alpha");
    EXPECT_EQ(ItemText(entry, IDC_ENTRY_TEXT), "Alpha");
    EXPECT_STREQ(EntryText, "Alpha");
    TypeEntry(entry, "Gamma");
    PressButton(entry, IDOK);
    return true;
  });
  driver.Then([](HWND editor) {
    EXPECT_EQ(Entries(editor), (Strings{"Beta", "Gamma"}));
    EXPECT_EQ(Selected(editor), "<none>");
    PressButton(editor, IDOK);
  });
  Run();
  EXPECT_EQ(ReadBytes(path_), Texts({"Zeta", "design", "Alpha"}) + Texts({"Beta", "Gamma"}) +
                                  Texts({"Billable", "admin"}));
}

TEST_F(UiDescriptionListsEditor, CancelChangesNothingButReloads) {
  EditorDriver driver(user_);
  driver.Then([](HWND editor) {
    Select(editor, "design");
    PressButton(editor, IDC_LISTS_EDIT);
  });
  user_.OnDialog("Edit an Entry", [this](HWND entry) {
    TypeEntry(entry, "Something else");
    // Changed meanwhile by another hand: the reload after Cancel shows it.
    WriteBytes(path_, Texts({"Zeta", "design", "Alpha", "Omega"}) + Texts({"Beta"}) + Texts({"C"}));
    PressButton(entry, IDCANCEL);
    return true;
  });
  driver.Then([](HWND editor) {
    EXPECT_EQ(Entries(editor), (Strings{"Alpha", "design", "Omega", "Zeta"}));
    EXPECT_EQ(Selected(editor), "<none>");
    PressButton(editor, IDOK);
  });
  Run();
  EXPECT_EQ(ReadBytes(path_), Texts({"Zeta", "design", "Alpha", "Omega"}) + Texts({"Beta"}) + Texts({"C"}));
}

TEST_F(UiDescriptionListsEditor, NothingSelectedShowsOnlyTheMessage) {
  EditorDriver driver(user_);
  driver.Then([](HWND editor) { PressButton(editor, IDC_LISTS_REMOVE); });
  user_.AnswerBox("Hourwright", kSelectFirst, IDOK, BoxIcon::kError);
  driver.Then([](HWND editor) { PressButton(editor, IDC_LISTS_EDIT); });
  user_.AnswerBox("Hourwright", kSelectFirst, IDOK, BoxIcon::kError);
  // A double click on an entry does nothing.
  driver.Then([](HWND editor) {
    Select(editor, "Zeta");
    HWND list = GetDlgItem(editor, IDC_LISTS_ENTRIES);
    SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_LISTS_ENTRIES, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  });
  driver.Then([](HWND editor) {
    EXPECT_EQ(Selected(editor), "Zeta");
    PressButton(editor, IDOK);
  });
  Run();
  EXPECT_EQ(ReadBytes(path_), kLists);
}

TEST_F(UiDescriptionListsEditor, RemoveAsksFirstAndNoKeepsTheSelection) {
  EditorDriver driver(user_);
  driver.Then([](HWND editor) {
    Select(editor, "design");
    PressButton(editor, IDC_LISTS_REMOVE);
  });
  user_.AnswerBox("Delete a Record", "Delete Selected Record?", IDNO, BoxIcon::kNone);
  driver.Then([](HWND editor) {
    EXPECT_EQ(Selected(editor), "design");
    EXPECT_EQ(Entries(editor), (Strings{"Alpha", "design", "Zeta"}));
    PressButton(editor, IDC_LISTS_REMOVE);
  });
  user_.AnswerBox("Delete a Record", "Delete Selected Record?", IDYES, BoxIcon::kNone);
  driver.Then([](HWND editor) {
    EXPECT_EQ(Entries(editor), (Strings{"Alpha", "Zeta"}));
    PressButton(editor, IDOK);
  });
  Run();
  EXPECT_EQ(ReadBytes(path_), Texts({"Zeta", "Alpha"}) + Texts({"Beta", "Alpha"}) + Texts({"Billable", "admin"}));
}

TEST_F(UiDescriptionListsEditor, SeventyTypedCharactersArriveAsSixtyThree) {
  std::string typed;
  for (int i = 0; i < 70; ++i) typed += static_cast<char>('a' + i % 26);
  EditorDriver driver(user_);
  driver.Then([](HWND editor) { PressButton(editor, IDC_LISTS_ADD); });
  user_.OnDialog("Add an Entry", [&typed](HWND entry) {
    TypeEntry(entry, typed);
    EXPECT_EQ(ItemText(entry, IDC_ENTRY_TEXT), typed);  // the edit takes them all
    PressButton(entry, IDOK);
    return true;
  });
  driver.Then([&typed](HWND editor) {
    EXPECT_EQ(Entries(editor), (Strings{typed.substr(0, 63), "Alpha", "design", "Zeta"}));
    PressButton(editor, IDOK);
  });
  Run();
  EXPECT_EQ(ReadBytes(path_), Texts({"Zeta", "design", "Alpha", typed.substr(0, 63)}) +
                                  Texts({"Beta", "Alpha"}) + Texts({"Billable", "admin"}));
}

TEST_F(UiDescriptionListsEditor, RebuildButtonsAskNothing) {
  std::string sheet = RecordBytes(MakeRecord("Write", "Book", "Billable", 100, 160)) +
                      RecordBytes(MakeRecord("Read", "Book", "Unpaid", 200, 0));
  WriteBytes(TimeSheetPath, sheet);
  EditorDriver driver(user_);
  driver.Then([](HWND editor) { PressButton(editor, IDC_LISTS_REBUILD_KEEP); });
  driver.Then([](HWND editor) {
    EXPECT_EQ(Entries(editor), (Strings{"Alpha", "design", "Read", "Write", "Zeta"}));
    ChooseKind(editor, kClassificationList);
    PressButton(editor, IDC_LISTS_REBUILD);
  });
  driver.Then([](HWND editor) {
    EXPECT_EQ(Entries(editor), (Strings{"Billable", "Unpaid"}));
    PressButton(editor, IDOK);
  });
  Run();
  EXPECT_EQ(ReadBytes(path_), Texts({"Write", "Read"}) + Texts({"Book"}) + Texts({"Billable", "Unpaid"}));
  EXPECT_EQ(TimeSheet.count, -1);
}

TEST_F(UiDescriptionListsEditor, FailedChangeIsNamedAndTheListShowsTheFile) {
  std::string message = "Unable To Write Description Lists " + path_ + "\nThe lists are left as they were.";
  HeldFile* held = nullptr;
  EditorDriver driver(user_);
  driver.Then([&](HWND editor) {
    Select(editor, "Zeta");
    held = new HeldFile(path_);
    PressButton(editor, IDC_LISTS_REMOVE);
  });
  user_.AnswerBox("Delete a Record", "Delete Selected Record?", IDYES);
  user_.AnswerBox("Hourwright", message, IDOK, BoxIcon::kError);
  driver.Then([&](HWND editor) {
    // Held by another program, the file cannot even be read: the list stays.
    EXPECT_EQ(Entries(editor), (Strings{"Alpha", "design", "Zeta"}));
    delete held;
    held = nullptr;
    PressButton(editor, IDC_LISTS_EDIT);
  });
  user_.AnswerBox("Hourwright", kSelectFirst, IDOK, BoxIcon::kError);
  driver.Then([](HWND editor) { PressButton(editor, IDOK); });
  Run();
  delete held;
  EXPECT_EQ(ReadBytes(path_), kLists);
}

using UiDescriptionListsFromMainWindow = MainWindowTest;

TEST_F(UiDescriptionListsFromMainWindow, DoneRefillsTheThreeBoxes) {
  TempFolder folder;
  std::string sheet = folder.File("week.tim");
  WriteBytes(sheet, "");
  WriteBytes(folder.File("week.des"), Texts({"Design"}) + Texts({"Web"}) + Texts({"Billable"}));
  {
    ScriptedUser user;
    OpenTimeSheet(user, sheet);
  }
  ASSERT_EQ(SendDlgItemMessageA(window_, IDC_MAIN_PROJECT, CB_GETCOUNT, 0, 0), 1);
  Type(IDC_MAIN_TASK, "typed");
  ScriptedUser user;
  EditorDriver driver(user);
  driver.Then([](HWND editor) {
    EXPECT_EQ(GetParent(editor), MainWindow) << "the editor is owned by the main window";
    EXPECT_FALSE(IsWindowEnabled(MainWindow));
    ChooseKind(editor, kProjectList);
    PressButton(editor, IDC_LISTS_ADD);
  });
  user.OnDialog("Add an Entry", [](HWND entry) {
    TypeEntry(entry, "Mobile");
    PressButton(entry, IDOK);
    return true;
  });
  driver.Then([](HWND editor) { PressButton(editor, IDOK); });
  Press(user, IDM_TASK_LISTS);
  std::vector<std::string> projects;
  for (LRESULT i = 0; i < SendDlgItemMessageA(window_, IDC_MAIN_PROJECT, CB_GETCOUNT, 0, 0); ++i) {
    char text[256] = "";
    SendDlgItemMessageA(window_, IDC_MAIN_PROJECT, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    projects.push_back(text);
  }
  EXPECT_EQ(projects, (Strings{"Mobile", "Web"}));
  EXPECT_EQ(Text(IDC_MAIN_TASK), "");  // refilled, so what was typed is gone
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_EQ(ReadBytes(folder.File("week.des")), Texts({"Design"}) + Texts({"Web", "Mobile"}) + Texts({"Billable"}));
}

// The file held by another program after the editor opened: the change is
// refused, and neither the editor nor the main window then shows empty lists.
TEST_F(UiDescriptionListsFromMainWindow, ListsThatCannotBeReadAfterAFailedChangeStayShown) {
  TempFolder folder;
  std::string lists = folder.File("week.des");
  WriteBytes(folder.File("week.tim"), "");
  WriteBytes(lists, Texts({"Design"}) + Texts({"Web", "App"}) + Texts({"Billable"}));
  std::unique_ptr<HeldFile> held;
  ScriptedUser user;
  OpenTimeSheet(user, folder.File("week.tim"));
  EditorDriver driver(user);
  driver.Then([&](HWND editor) {
    held.reset(new HeldFile(lists));
    Select(editor, "Design");
    PressButton(editor, IDC_LISTS_REMOVE);
  });
  user.AnswerBox("Delete a Record", "Delete Selected Record?", IDYES);
  user.AnswerBox("Hourwright", "Unable To Write Description Lists " + lists + "\nThe lists are left as they were.", IDOK);
  driver.Then([](HWND editor) {
    EXPECT_EQ(Entries(editor), Strings{"Design"});
    ChooseKind(editor, kProjectList);
    EXPECT_EQ(Entries(editor), (Strings{"App", "Web"}));
    PressButton(editor, IDOK);
  });
  Press(user, IDM_TASK_LISTS);
  for (int box : {IDC_MAIN_TASK, IDC_MAIN_PROJECT, IDC_MAIN_CLASSIFICATION})
    EXPECT_EQ(SendDlgItemMessageA(window_, box, CB_GETCOUNT, 0, 0), box == IDC_MAIN_PROJECT ? 2 : 1);
}

TEST_F(UiDescriptionListsFromMainWindow, DamagedListsAreLeftWhileTheTaskIsLogged) {
  TempFolder folder;
  std::string sheet = folder.File("week.tim");
  std::string lists = folder.File("week.des");
  WriteBytes(sheet, "");
  // A first count asking for 65,536 texts, then one task, two projects and
  // one classification that a rewrite from what was read would drop.
  std::string damaged = Count(0x10000) + Texts({"Design"}) + Texts({"Web", "App"}) + Texts({"Billable"});
  ASSERT_EQ(damaged.size(), 272u);
  WriteBytes(lists, damaged);
  ScriptedUser user;
  OpenTimeSheet(user, sheet);
  TypeTask("New task", "New project", "New class");
  Press(user, IDC_MAIN_START_TASK);
  EXPECT_TRUE(LoggingActive);
  std::vector<TimeRecord> records = ReadRecords(sheet);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_STREQ(records[0].task, "New task");
  EXPECT_EQ(records[0].stopSeconds, 0);
  EXPECT_EQ(ReadBytes(lists), damaged);
  EXPECT_EQ(Text(IDC_MAIN_CURRENT_TASK), "New task");
}
