// The Totals window on real dialogs: from a choice change (the grouping
// picked anew) to the list filled and painted.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "common/shell.h"
#include "resources/resource.h"
#include "store/file_seconds.h"
#include "store/paths.h"
#include "totals/totals_dialog.h"

namespace {
const int kRuns = 9;
enum { kTotalsOpen = WM_APP + 1 };

std::vector<double> samples;
std::string caption;
std::string expected;
bool listFilled;

void Pick(HWND dialog, int id, int index) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Inside the window's modal loop: All records by project then task, then
// the grouping flipped between project and task, each change timed.
LRESULT CALLBACK ProbeProc(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kTotalsOpen) return DefWindowProcA(self, message, wParam, lParam);
  HWND dialog = FindWindowA("#32770", caption.c_str());
  if (dialog == NULL || GetDlgItem(dialog, IDC_TOTALS_LIST) == NULL) return 0;
  HWND list = GetDlgItem(dialog, IDC_TOTALS_LIST);
  Pick(dialog, IDC_TOTALS_PERIOD, 10);  // All records
  Pick(dialog, IDC_TOTALS_THEN_BY, 2);  // Task
  for (int run = 0; run < kRuns; ++run) {
    double started = NowMicroseconds();
    Pick(dialog, IDC_TOTALS_GROUP_BY, run % 2);  // Project, Task
    UpdateWindow(list);
    samples.push_back(NowMicroseconds() - started);
  }
  // Every record counted: the line below the list ends "in <records> records".
  char total[160] = "";
  GetDlgItemTextA(dialog, IDC_TOTALS_TOTAL, total, sizeof total);
  listFilled =
      SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0 && strstr(total, expected.c_str()) != NULL;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return 0;
}

HWND CreateProbe() {
  WNDCLASSA type = {};
  type.lpfnWndProc = ProbeProc;
  type.hInstance = GetModuleHandleA(NULL);
  type.lpszClassName = "HourwrightTotalsProbe";
  RegisterClassA(&type);
  return CreateWindowA(type.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, type.hInstance,
                       NULL);
}

// One record an hour back from now, over 40 projects and 300 tasks.
bool WriteSheet(const std::string& path, int records) {
  SYSTEMTIME today;
  GetLocalTime(&today);
  int64_t now = 0;
  ToFileSeconds(today, &now);
  std::vector<TimeRecord> all(static_cast<size_t>(records));
  for (int i = 0; i < records; ++i) {
    TimeRecord& record = all[static_cast<size_t>(i)];
    memset(&record, 0, sizeof record);
    snprintf(record.task, sizeof record.task, "task %d", i % 300);
    snprintf(record.project, sizeof record.project, "project %d", i % 40);
    snprintf(record.classification, sizeof record.classification, "class %d", i % 5);
    record.startSeconds = now - 3600LL * (records - i);
    record.stopSeconds = record.startSeconds + 1800;
    record.elapsedMinutes = 30.0f;
    record.elapsedHours = 0.5f;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = static_cast<DWORD>(all.size() * sizeof(TimeRecord)), written = 0;
  bool ok = WriteFile(file, all.data(), size, &written, NULL) && written == size;
  CloseHandle(file);
  return ok;
}

void RunTotals(const char* folder) {
  ProgramInstance = GetModuleHandleA(NULL);
  HWND probe = CreateProbe();
  if (probe == NULL) return ReportFailure("probe window");
  for (int records : {1000, 10000, 100000}) {
    std::string path = std::string(folder) + "\\totals-" + std::to_string(records) + ".tim";
    if (!WriteSheet(path, records)) return ReportFailure("writing the time sheet");
    snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", path.c_str());
    samples.clear();
    expected = " in " + std::to_string(records) + " records";
    caption = "Totals - totals-" + std::to_string(records) + ".tim";
    listFilled = false;
    PostMessageA(probe, kTotalsOpen, 0, 0);
    ShowTotalsDialog(NULL);
    if (!listFilled) ReportFailure("the totals list did not show every record");
    ReportMeasurement("totals-window", records, samples);
    DeleteFileA(path.c_str());
  }
  DestroyWindow(probe);
  TimeSheetPath[0] = '\0';
}

BenchGroup totalsGroup("totals window", RunTotals);
}  // namespace
