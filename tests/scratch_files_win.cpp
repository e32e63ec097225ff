#include "tests/scratch_files.h"

#include <windows.h>
#include <stdio.h>

#include "tests/test_files.h"

const char ScratchFolder::kSeparator = '\\';

ScratchFolder::ScratchFolder() {
  static unsigned counter = 0;
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  char name[MAX_PATH];
  snprintf(name, sizeof name, "%shwscratch-%lu-%u", base, GetCurrentProcessId(), ++counter);
  path_ = name;
  CreateDirectoryA(path_.c_str(), NULL);
}

static void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName, path = folder + "\\" + name;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void PutBytes(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }

std::string TakeBytes(const std::string& path) { return ReadBytes(path); }

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), NULL) != 0; }

bool MakeHardLink(const std::string& existing, const std::string& link) {
  return CreateHardLinkA(link.c_str(), existing.c_str(), NULL) != 0;
}

std::string ShortPathOf(const std::string& path) {
  char shortPath[MAX_PATH];
  DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
  return length != 0 && length < sizeof shortPath ? shortPath : "";
}

HeldWithoutSharing::HeldWithoutSharing(const std::string& path)
    : handle_(reinterpret_cast<long long>(
          CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL))) {}

HeldWithoutSharing::~HeldWithoutSharing() {
  if (Held()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}
