// The records editor on real dialogs: opening it (load and fill the list)
// and one edit through the form with its save and refresh.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "common/shell.h"
#include "editors/records_editor.h"
#include "resources/resource.h"
#include "store/paths.h"
#include "store/time_sheet.h"

namespace {
const int kRuns = 5;
enum {
  kEditorOpen = WM_APP + 1,  // posted before the editor opens: handled once it is up
  kFormOpen,                 // posted behind the Edit press: handled inside the form
  kEditDone,                 // posted behind the form's OK: handled after the refresh
};

struct Probe {
  double started, opened, editStarted, edited;
  int editRow;
  bool formSeen;
};
Probe probe;

void Post(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

LRESULT CALLBACK ProbeProc(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND editor = FindWindowA("#32770", "Edit Time Records");
  switch (message) {
    case kEditorOpen: {
      probe.opened = NowMicroseconds();
      if (editor == NULL) return 0;
      LVITEMA item = {};
      item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendDlgItemMessageA(editor, IDC_RECORDS_LIST, LVM_SETITEMSTATE, probe.editRow,
                          reinterpret_cast<LPARAM>(&item));
      Post(editor, IDC_RECORDS_EDIT);
      PostMessageA(self, kFormOpen, 0, 0);
      return 0;
    }
    case kFormOpen: {
      HWND form = FindWindowA("#32770", "Edit A Time Record");
      if (form != NULL) {
        probe.formSeen = true;
        SetDlgItemTextA(form, IDC_FORM_TASK, "edited in the bench");
        probe.editStarted = NowMicroseconds();
        Post(form, IDOK);
        PostMessageA(self, kEditDone, 0, 0);
      } else if (editor != NULL) {
        Post(editor, IDOK);
      }
      return 0;
    }
    case kEditDone:
      probe.edited = NowMicroseconds();
      if (editor != NULL) Post(editor, IDOK);
      return 0;
  }
  return DefWindowProcA(self, message, wParam, lParam);
}

HWND CreateProbe() {
  WNDCLASSA type = {};
  type.lpfnWndProc = ProbeProc;
  type.hInstance = GetModuleHandleA(NULL);
  type.lpszClassName = "HourwrightEditorProbe";
  RegisterClassA(&type);
  return CreateWindowA(type.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, type.hInstance, NULL);
}

TimeRecord Record(int i) {
  TimeRecord record;
  memset(&record, 0, sizeof record);
  snprintf(record.task, sizeof record.task, "task %d", i);
  snprintf(record.project, sizeof record.project, "project");
  snprintf(record.classification, sizeof record.classification, "class");
  record.startTime = SYSTEMTIME{2026, 1, 4, 1, 9, 0, 0, 0};
  record.stopTime = SYSTEMTIME{2026, 1, 4, 1, 9, 30, 0, 0};
  record.startSeconds = 13409773200LL + 3600LL * i;
  record.stopSeconds = record.startSeconds + 1800;
  record.elapsedMinutes = 30.0f;
  record.elapsedHours = 0.5f;
  return record;
}

bool WriteSheet(const std::string& path, int records) {
  std::vector<TimeRecord> all;
  for (int i = 0; i < records; ++i) all.push_back(Record(i));
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = static_cast<DWORD>(all.size() * sizeof(TimeRecord)), written = 0;
  bool ok = WriteFile(file, all.data(), size, &written, NULL) && written == size;
  CloseHandle(file);
  return ok;
}

void MeasureEditor(HWND probeWindow, const char* folder, int records) {
  std::string path = std::string(folder) + "\\editor-" + std::to_string(records) + ".tim";
  snprintf(TimeSheetPath, sizeof TimeSheetPath, "%s", path.c_str());
  if (!WriteSheet(path, records)) return ReportFailure("writing the time sheet");
  std::vector<double> open, edit;
  for (int run = 0; run < kRuns; ++run) {
    probe = Probe{0, 0, 0, 0, records - 1 - run, false};
    PostMessageA(probeWindow, kEditorOpen, 0, 0);
    probe.started = NowMicroseconds();
    ShowTimeRecordsEditor(NULL);
    if (!probe.formSeen || probe.edited == 0) return ReportFailure("editor edit");
    open.push_back(probe.opened - probe.started);
    edit.push_back(probe.edited - probe.editStarted);
  }
  if (LoadTimeSheet() != 1 || TimeSheet.count != records ||
      strcmp(TimeSheet.records[records - 1].task, "edited in the bench") != 0)
    ReportFailure("the edit did not reach the file");
  ReleaseTimeSheet();
  ReportMeasurement("editor-open", records, open);
  ReportMeasurement("editor-edit", records, edit);
  DeleteFileA(path.c_str());
}

void RunEditor(const char* folder) {
  ProgramInstance = GetModuleHandleA(NULL);
  HWND probeWindow = CreateProbe();
  if (probeWindow == NULL) return ReportFailure("probe window");
  for (int records : {1000, 10000, 65536}) MeasureEditor(probeWindow, folder, records);
  DestroyWindow(probeWindow);
  TimeSheetPath[0] = '\0';
}

BenchGroup editorGroup("records editor", RunEditor);
}  // namespace
