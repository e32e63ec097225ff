// A folder of its own on the small full disk the test script mounts.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/test_files.h"

// A folder of its own on the small full disk, emptied and removed afterwards.
class FullDiskPlace {
 public:
  FullDiskPlace() {
    std::string disk = FullDiskFolder();
    if (disk.empty()) return;
    static unsigned counter = 0;
    path_ = disk + "\\sheets-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), NULL);
  }
  ~FullDiskPlace() {
    if (path_.empty()) return;
    std::string names = FolderListing(path_);
    for (size_t start = 0, end; (end = names.find(';', start)) != std::string::npos; start = end + 1)
      DeleteFileA(File(names.substr(start, end - start)).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  FullDiskPlace(const FullDiskPlace&) = delete;
  FullDiskPlace& operator=(const FullDiskPlace&) = delete;
  bool Present() const { return !path_.empty(); }
  std::string Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

  // Writes a filler file until the disk takes no more.
  void Fill() const {
    HANDLE file = CreateFileA(File("filler").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<char> chunk(4096, 'f');
    DWORD written = 0;
    while (WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, NULL) &&
           written == chunk.size()) {
    }
    CloseHandle(file);
  }

 private:
  std::string path_;
};
