// "&Rates..." in the Totals window, driven as a user would: a rate typed in
// the Rates dialog gives the amount in the list, the total and Copy, and
// Copy is what hourwright-report prints for the same options file; bad
// input and a file that cannot be written are told and change nothing.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/shell.h"
#include "report/totals.h"
#include "resources/resource.h"
#include "store/paths.h"
#include "tests/clipboard_text.h"
#include "tests/scripted_user.h"
#include "tests/test_files.h"
#include "totals/totals_dialog.h"

namespace {
const char kTotals[] = "Totals - jobs.tim";
const char kRefused[] = "Rates are amounts from 0 to 100000 with at most two decimals.";

int64_t At(int day, int hour) { return TotalsDaySeconds(TotalsDate{2026, 3, day}) + hour * 3600; }

void Pick(HWND dialog, int id, const char* text) {
  LRESULT index = SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string Cell(HWND dialog, int id, int row, int column) {
  char text[256] = "";
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendDlgItemMessageA(dialog, id, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::string Header(HWND dialog, int column) {
  char text[64] = "";
  LVCOLUMNA item = {};
  item.mask = LVCF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendDlgItemMessageA(dialog, IDC_TOTALS_LIST, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&item));
  return text;
}

// The user clicks a project in the Rates list.
void SelectProject(HWND dialog, const char* project) {
  LVFINDINFOA find = {};
  find.flags = LVFI_STRING;
  find.psz = project;
  LRESULT row = SendDlgItemMessageA(dialog, IDC_RATES_LIST, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(&find));
  ASSERT_GE(row, 0) << project;
  LVITEMA item = {};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendDlgItemMessageA(dialog, IDC_RATES_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// hourwright-report.exe, built beside the tests, with its standard output.
std::string ReportOutput(const std::string& arguments, const std::string& folder) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(NULL, self, sizeof self);
  std::string exe = self;
  exe = exe.substr(0, exe.rfind('\\') + 1) + "hourwright-report.exe";
  std::string out = folder + "\\report.tsv";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
  HANDLE file = CreateFileA(out.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, NULL);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = file;
  startup.hStdError = file;
  PROCESS_INFORMATION info = {};
  std::string line = "\"" + exe + "\" " + arguments;
  bool started = CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &info) != 0;
  CloseHandle(file);
  if (!started) return "<" + exe + " did not start>";
  DWORD waited = WaitForSingleObject(info.hProcess, 20000), code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  if (waited != WAIT_OBJECT_0 || code != 0) return "<" + line + " gave " + std::to_string(code) + ">";
  CloseHandle(info.hThread);
  return ReadBytes(out);
}

class UiRates : public testing::Test {
 protected:
  void SetUp() override {
    ProgramInstance = GetModuleHandleA(NULL);
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", folder_.File("jobs.tim").c_str());
    std::string sheet = RecordBytes(MakeRecord("Design", "Acme", "c", At(2, 9), At(2, 9) + 5400)) +
                        RecordBytes(MakeRecord("Call", "Beta", "c", At(3, 9), At(3, 9) + 1800));
    WriteBytes(TimeSheetPath, sheet);
    CreateDirectoryA(appData_.Ini().substr(0, appData_.Ini().rfind('\\')).c_str(), NULL);
    WriteBytes(appData_.Ini(), kOptions);
  }
  void TearDown() override { TimeSheetPath[0] = '\0'; }
  // This sheet's projects by total, all records, exact: Acme then Beta.
  static bool ChooseAllByProject(HWND dialog) {
    Pick(dialog, IDC_TOTALS_PERIOD, "All records");
    Pick(dialog, IDC_TOTALS_GROUP_BY, "Project");
    Pick(dialog, IDC_TOTALS_THEN_BY, "(none)");
    SetDlgItemTextA(dialog, IDC_TOTALS_ROUND, "");
    PressButton(dialog, IDC_TOTALS_RATES);
    return true;
  }
  static bool Close(HWND dialog) {
    PressButton(dialog, IDCANCEL);
    return true;
  }

  const std::string kOptions = "[away]\r\nminutes=20\r\n";
  TempFolder folder_;
  AppDataFolder appData_;
  ScriptedUser user_;
};

}  // namespace

TEST_F(UiRates, ARateTypedGivesTheAmountInTheListTheTotalAndCopyAsTheCommandDoes) {
  std::string total, copied, acme, beta, header;
  user_.OnDialog(kTotals, ChooseAllByProject);
  user_.OnDialog("Rates", [](HWND dialog) {
    SelectProject(dialog, "Acme");
    SetDlgItemTextA(dialog, IDC_RATES_RATE, "85.5");
    SetDlgItemTextA(dialog, IDC_RATES_CURRENCY, "EUR");
    PressButton(dialog, IDOK);
    return true;
  });
  user_.OnDialogAgain(kTotals, [&](HWND dialog) {
    header = Header(dialog, 4);
    acme = Cell(dialog, IDC_TOTALS_LIST, 0, 4);
    beta = Cell(dialog, IDC_TOTALS_LIST, 1, 4);
    total = ItemText(dialog, IDC_TOTALS_TOTAL);
    PressButton(dialog, IDC_TOTALS_COPY);
    return true;
  });
  user_.OnDialogAgain(kTotals, Close);
  ShowTotalsDialog(NULL);
  user_.RunUntilDone();
  EXPECT_EQ(header, "Amount");
  EXPECT_EQ(acme, "EUR 128.25");  // 1:30 at 85.50
  EXPECT_EQ(beta, "") << "Beta has no rate";
  EXPECT_EQ(total, "Total: 2:00 (2.00 hours) in 2 records, EUR 128.25 (some projects have no rate)");
  EXPECT_EQ(ReadBytes(appData_.Ini()), kOptions + "[rates]\r\n*currency*=EUR\r\nAcme=85.50\r\n");
  copied = ClipboardText();
  EXPECT_EQ(copied,
            std::string("project\trecords\tseconds\thours\thmm\tamount\tcurrency\r\n"
                        "Acme\t1\t5400\t1.50\t1:30\t128.25\tEUR\r\nBeta\t1\t1800\t0.50\t0:30\t\tEUR\r\n") + '\0');
  // The command reads the program's own options file, or the one it is given.
  std::string sheet = " \"" + std::string(TimeSheetPath) + "\"";
  EXPECT_EQ(ReportOutput("--period all --format tsv" + sheet, folder_.Path()) + '\0', copied);
  EXPECT_EQ(ReportOutput("--period all --format tsv --rates \"" + appData_.Ini() + "\"" + sheet,
                         folder_.Path()) + '\0',
            copied);
}

TEST_F(UiRates, BadRatesAreRefusedOnTheirFieldAndAnUnwrittenFileKeepsTheOldRates) {
  std::string focusedRate, focusedDefault, selected;
  user_.OnDialog(kTotals, ChooseAllByProject);
  user_.OnDialog("Rates", [](HWND dialog) {
    SelectProject(dialog, "Beta");
    SetDlgItemTextA(dialog, IDC_RATES_RATE, "12.345");
    SelectProject(dialog, "Acme");
    PressButton(dialog, IDOK);
    return true;
  });
  user_.AnswerBox("Hourwright", kRefused, IDOK, BoxIcon::kError);
  user_.OnDialogAgain("Rates", [&](HWND dialog) {
    focusedRate = GetFocus() == GetDlgItem(dialog, IDC_RATES_RATE) ? "rate box" : "elsewhere";
    selected = ItemText(dialog, IDC_RATES_RATE);
    SetDlgItemTextA(dialog, IDC_RATES_RATE, "100000.00");
    SetDlgItemTextA(dialog, IDC_RATES_DEFAULT, "100000.01");
    PressButton(dialog, IDOK);
    return true;
  });
  user_.AnswerBox("Hourwright", kRefused, IDOK, BoxIcon::kError);
  std::unique_ptr<HeldFile> held;
  user_.OnDialogAgain("Rates", [&](HWND dialog) {
    focusedDefault = GetFocus() == GetDlgItem(dialog, IDC_RATES_DEFAULT) ? "default box" : "elsewhere";
    SetDlgItemTextA(dialog, IDC_RATES_DEFAULT, "60");
    held = std::make_unique<HeldFile>(appData_.Ini());
    PressButton(dialog, IDOK);
    return true;
  });
  user_.AnswerBox("Hourwright",
                  "Unable To Write Options " + appData_.Ini() + "\nThe rates are as they were.", IDOK,
                  BoxIcon::kError);
  user_.OnDialogAgain("Rates", [&](HWND dialog) {
    held.reset();
    PressButton(dialog, IDCANCEL);
    return true;
  });
  std::string columns;
  user_.OnDialogAgain(kTotals, [&](HWND dialog) {
    columns = Header(dialog, 4);
    PressButton(dialog, IDCANCEL);
    return true;
  });
  ShowTotalsDialog(NULL);
  user_.RunUntilDone();
  EXPECT_EQ(focusedRate, "rate box");
  EXPECT_EQ(selected, "12.345") << "the refused project is selected again";
  EXPECT_EQ(focusedDefault, "default box");
  EXPECT_EQ(columns, "Share") << "no amounts: the old rates, none, are in force";
  EXPECT_EQ(ReadBytes(appData_.Ini()), kOptions);
}
