// Real files for tests: a fresh folder per test, byte access, held files.
#pragma once
#include <windows.h>

#include <string>

#include "store/time_record.h"
#include "tests/test_records.h"

// A new empty folder under the temp folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);  // "" when missing
bool FileExists(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Lists the names in a folder (to find stray temporary files).
std::string FolderListing(const std::string& folder);

// Holds a file open sharing nothing, so the program can neither read nor
// replace it (Wine ignores read-only attributes for root).
class HeldFile {
 public:
  explicit HeldFile(const std::string& path);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A Linux path handed over by the test script, as Wine sees it; "" when unset.
std::string WindowsPathFromEnvironment(const char* name);

// The small full disk mounted by the test script, as a Windows path; "" when
// the script could not mount one.
std::string FullDiskFolder();

// APPDATA pointed at a fresh folder for the length of a test.
class AppDataFolder {
 public:
  AppDataFolder() {
    char old[MAX_PATH] = "";
    had_ = GetEnvironmentVariableA("APPDATA", old, sizeof old) > 0;
    old_ = old;
    SetEnvironmentVariableA("APPDATA", folder_.Path().c_str());
  }
  ~AppDataFolder() { SetEnvironmentVariableA("APPDATA", had_ ? old_.c_str() : NULL); }
  std::string Ini() const { return folder_.File("Hourwright\\hourwright.ini"); }

 private:
  TempFolder folder_;
  std::string old_;
  bool had_;
};
