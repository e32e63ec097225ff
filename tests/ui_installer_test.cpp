// The downloads of `make dist`, as a user meets them: the installer run
// silently, the installed program started, the uninstaller run. The 32-bit
// test script points HOURWRIGHT_DIST_DIR at the packages; without it there is
// nothing to test.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <functional>
#include <string>

#include "common/product.h"
#include "common/version.h"
#include "resources/resource.h"
#include "tests/test_files.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Hourwright";
const int kSlowMs = 120000;  // the 32-bit Wine runs under emulation

std::string DistFile(const std::string& suffix) {
  return WindowsPathFromEnvironment("HOURWRIGHT_DIST_DIR") + "\\hourwright-" +
         HOURWRIGHT_VERSION_TEXT + suffix;
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(NULL, csidl, NULL, SHGFP_TYPE_CURRENT, path))) return "";
  return path;
}

// Where a 32-bit program installs on either kind of Windows.
std::string InstallFolder() { return ShellFolder(CSIDL_PROGRAM_FILESX86) + "\\Hourwright"; }
std::string Shortcut() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Hourwright.lnk"; }

// Empty when the value or the key is missing.
std::string UninstallValue(const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
    return "";
  char value[1024] = "";
  DWORD size = sizeof value - 1, type = 0;
  LONG result = RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : "";
}

bool UninstallKeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool WaitFor(std::function<bool()> condition, int timeoutMs) {
  DWORD end = GetTickCount() + timeoutMs;
  while (!condition()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    Sleep(100);
  }
  return true;
}

// Runs a command line to its end; the exit code, or STILL_ACTIVE on timeout.
DWORD RunToEnd(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
    return GetLastError();
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(info.hProcess, kSlowMs) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
  else TerminateProcess(info.hProcess, 9);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return code;
}

// The uninstaller copies itself away and returns at once; done is when the
// entry in Add/Remove Programs has gone.
void Uninstall() {
  RunToEnd("\"" + InstallFolder() + "\\uninstall.exe\" /S");
  EXPECT_TRUE(WaitFor([] { return !UninstallKeyExists(); }, kSlowMs)) << "the uninstaller did not finish";
  Sleep(500);
}

struct ProcessWindow {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
  ProcessWindow* search = reinterpret_cast<ProcessWindow*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (process == search->process && IsWindowVisible(window) && strcmp(caption, "Hourwright") == 0 &&
      GetDlgItem(window, IDC_MAIN_STATUS) != NULL) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A time sheet of the user's, in the user's documents.
class UsersTimeSheet {
 public:
  UsersTimeSheet() : path_(ShellFolder(CSIDL_PERSONAL) + "\\Hourwright installer check.tim") {
    bytes_ = RecordBytes(MakeRecord("Install", "Hourwright", "Testing", 13000000000LL, 13000003600LL));
    WriteBytes(path_, bytes_);
  }
  ~UsersTimeSheet() { DeleteFileA(path_.c_str()); }
  bool Intact() const { return ReadBytes(path_) == bytes_; }

 private:
  std::string path_;
  std::string bytes_;
};

// The installed program, started as from its shortcut, until it goes out of scope.
struct InstalledProgram {
  PROCESS_INFORMATION info = {};
  InstalledProgram() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string folder = InstallFolder(), commandLine = "\"" + folder + "\\hourwright.exe\"";
    EXPECT_TRUE(CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &info));
    ProcessWindow search = {info.dwProcessId, NULL};
    EXPECT_TRUE(WaitFor([&] { return (EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search)), search.found != NULL); },
                        kSlowMs)) << "the installed program showed no main window";
  }
  ~InstalledProgram() {
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, kSlowMs);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
};

class UiInstaller : public testing::Test {
 protected:
  void SetUp() override {
    if (WindowsPathFromEnvironment("HOURWRIGHT_DIST_DIR").empty())
      GTEST_SKIP() << "HOURWRIGHT_DIST_DIR not set: `make test32` tests the packages";
    // A copy left by an interrupted run would make every check below pass.
    if (FileExists(InstallFolder() + "\\uninstall.exe")) Uninstall();
    ASSERT_FALSE(FileExists(InstallFolder() + "\\hourwright.exe")) << InstallFolder();
    ASSERT_EQ(RunToEnd("\"" + DistFile("-setup.exe") + "\" /S"), 0u);
  }
};

}  // namespace

TEST_F(UiInstaller, InstallsStartsAndUninstallsLeavingTheUsersTimeSheets) {
  UsersTimeSheet sheet;
  std::string folder = InstallFolder();

  // What the silent install leaves.
  for (const char* name : {"hourwright.exe", "hourwright-report.exe", "hourwright-guide.html", "README.txt",
                           "uninstall.exe"})
    EXPECT_TRUE(FileExists(folder + "\\" + name)) << name;
  EXPECT_TRUE(FileExists(Shortcut())) << Shortcut();
  char self[MAX_PATH];
  GetModuleFileNameA(NULL, self, sizeof self);
  std::string built(self);
  built = built.substr(0, built.find_last_of('\\') + 1) + "hourwright.exe";
  EXPECT_TRUE(ReadBytes(folder + "\\hourwright.exe") == ReadBytes(built)) << "installed exe is not the tested build";

  // The Add/Remove Programs entry.
  EXPECT_EQ(UninstallValue("DisplayName"), "Hourwright");
  EXPECT_EQ(UninstallValue("DisplayVersion"), HOURWRIGHT_VERSION_TEXT);
  EXPECT_EQ(UninstallValue("Publisher"), HOURWRIGHT_MAKER_NAME);
  EXPECT_EQ(UninstallValue("UninstallString"), "\"" + folder + "\\uninstall.exe\"");
  EXPECT_EQ(UninstallValue("InstallLocation"), folder);

  // The installed program starts and shows its window.
  { InstalledProgram program; }

  Uninstall();
  for (const char* name : {"hourwright.exe", "hourwright-report.exe", "hourwright-guide.html", "README.txt",
                           "uninstall.exe"})
    EXPECT_FALSE(FileExists(folder + "\\" + name)) << name;
  EXPECT_TRUE(WaitFor([&] { return !FileExists(folder); }, 10000)) << "install folder left behind";
  EXPECT_FALSE(FileExists(Shortcut()));
  EXPECT_TRUE(sheet.Intact());
}

TEST_F(UiInstaller, UninstallKeepsATimeSheetSavedInTheProgramFolder) {
  std::string kept = InstallFolder() + "\\kept.tim";
  std::string bytes = RecordBytes(MakeRecord("Kept", "Hourwright", "Testing", 13000000000LL, 13000000060LL));
  WriteBytes(kept, bytes);

  Uninstall();
  EXPECT_FALSE(FileExists(InstallFolder() + "\\hourwright.exe"));
  EXPECT_FALSE(FileExists(Shortcut()));
  EXPECT_EQ(ReadBytes(kept), bytes);
  DeleteFileA(kept.c_str());
  RemoveDirectoryA(InstallFolder().c_str());
}

// A running copy holds its exe: setup and uninstall (silent, so the question
// is answered Cancel) change nothing, and go ahead once it has closed.
TEST_F(UiInstaller, InstallAndUninstallWaitForTheRunningProgramToClose) {
  std::string folder = InstallFolder(), exe = ReadBytes(folder + "\\hourwright.exe");
  // In place (_?=), the uninstaller runs to its end and its exit code counts.
  const std::string runs[] = {"\"" + DistFile("-setup.exe") + "\" /S",
                              "\"" + folder + "\\uninstall.exe\" /S _?=" + folder};
  {
    InstalledProgram program;
    for (const std::string& run : runs) {
      EXPECT_EQ(RunToEnd(run), 3u) << run;
      EXPECT_TRUE(ReadBytes(folder + "\\hourwright.exe") == exe && UninstallKeyExists()) << run;
    }
  }
  for (const std::string& run : runs) EXPECT_EQ(RunToEnd(run), 0u) << run;
  EXPECT_FALSE(FileExists(folder + "\\hourwright.exe") || UninstallKeyExists());
  DeleteFileA((folder + "\\uninstall.exe").c_str());  // left by the in-place run
  RemoveDirectoryA(folder.c_str());
}

// The mutex is per session: a copy running in another user's session is not
// seen, yet holds hourwright.exe; a running hourwright-report.exe holds its
// file too (each held here as a running program holds it). Setup and
// uninstall (silent, so the question is answered Cancel) stop before changing
// anything, and go ahead once the file is free.
TEST_F(UiInstaller, InstallAndUninstallStopAtAProgramFileInUse) {
  std::string folder = InstallFolder();
  const std::string runs[] = {"\"" + DistFile("-setup.exe") + "\" /S",
                              "\"" + folder + "\\uninstall.exe\" /S _?=" + folder};
  for (const char* name : {"hourwright.exe", "hourwright-report.exe"}) {
    std::string path = folder + "\\" + name, bytes = ReadBytes(path);
    {
      HeldFile held(path);
      for (const std::string& run : runs) {
        EXPECT_EQ(RunToEnd(run), 3u) << name << ": " << run;
        EXPECT_TRUE(UninstallKeyExists()) << name << ": " << run;
      }
    }
    EXPECT_TRUE(ReadBytes(path) == bytes) << name;
  }
  EXPECT_EQ(RunToEnd(runs[0]), 0u);
  Uninstall();
  EXPECT_FALSE(FileExists(folder + "\\hourwright-report.exe"));
}
