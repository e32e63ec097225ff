#include "store/undo_files_win.h"

#include <windows.h>
#include <stdio.h>

#include <memory>

#include "store/compare_no_case.h"
#include "store/mapped_file_win.h"
#include "store/safe_file_win.h"
#include "store/undo_hash.h"

static bool Fits(int written, size_t size) { return written > 0 && static_cast<size_t>(written) < size; }

static bool UndoFolder(char (&folder)[kPathSize], bool make) {
  char local[kPathSize], hourwright[kPathSize];
  DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local);
  if (length == 0 || length >= sizeof local) return false;
  if (!Fits(snprintf(hourwright, sizeof hourwright, "%s\\Hourwright", local), sizeof hourwright) ||
      !Fits(snprintf(folder, sizeof folder, "%s\\undo", hourwright), sizeof folder))
    return false;
  if (make) {
    // Folders already there are fine; one that cannot be made fails the write.
    CreateDirectoryA(hourwright, NULL);
    CreateDirectoryA(folder, NULL);
  }
  return true;
}

// A sheet is known by its path as Windows compares paths, letter case aside.
static unsigned long long SheetKey(const char* sheetPath) {
  std::string upper(sheetPath);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return UndoHashOf(upper.data(), upper.size());
}

bool UndoHistoryPath(const char* sheetPath, char (&path)[kPathSize]) {
  char folder[kPathSize];
  return UndoFolder(folder, false) &&
         Fits(snprintf(path, sizeof path, "%s\\%016llx.undo", folder, SheetKey(sheetPath)), sizeof path);
}

static bool LoadHistoryFile(const char* path, UndoHistory& history) {
  MappedFile file(path);
  return file.Read() && ReadUndoHistory(file.Bytes(), history);
}

void LoadUndoHistory(const char* sheetPath, UndoHistory& history) {
  char path[kPathSize];
  if (!UndoHistoryPath(sheetPath, path) || !LoadHistoryFile(path, history) ||
      CompareNoCase(history.sheetPath.c_str(), sheetPath) != 0)
    history = UndoHistory();
  history.sheetPath = sheetPath;
}

static bool WriteHistoryFile(const char* path, const UndoHistory& history) {
  if (history.steps.empty()) return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
  std::string bytes;
  WriteUndoHistory(history, bytes);
  if (bytes.size() > 0x7FFFFFFF) return false;
  FilePiece piece = {bytes.data(), static_cast<DWORD>(bytes.size())};
  return ReplaceFileContents(path, &piece, 1);
}

struct OtherHistory {
  std::string path;
  UndoHistory history;
  size_t steps;
};

// Every other history file in the folder, with what it takes on disk.
static uint64_t OtherHistories(const char* folder, const char* own,
                               std::vector<std::unique_ptr<OtherHistory>>* loaded) {
  char pattern[kPathSize];
  if (!Fits(snprintf(pattern, sizeof pattern, "%s\\*.undo", folder), sizeof pattern)) return 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  uint64_t total = 0;
  do {
    std::string path = std::string(folder) + "\\" + found.cFileName;
    size_t length = path.size();
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || length < 5 ||
        path.compare(length - 5, 5, ".undo") != 0 || CompareNoCase(path.c_str(), own) == 0)
      continue;
    total += (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    if (loaded == nullptr) continue;
    std::unique_ptr<OtherHistory> other(new OtherHistory());
    other->path = path;
    // A damaged file holds nothing that can be undone: it goes first.
    if (!LoadHistoryFile(path.c_str(), other->history)) other->history = UndoHistory();
    other->steps = other->history.steps.empty() ? 1 : other->history.steps.size();
    loaded->push_back(std::move(other));
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return total;
}

bool SaveUndoHistory(const UndoHistory& history) {
  char folder[kPathSize], path[kPathSize];
  if (!UndoFolder(folder, true) || !UndoHistoryPath(history.sheetPath.c_str(), path)) return false;
  if (UndoHistoryFileSize(history) + OtherHistories(folder, path, nullptr) <= kUndoBytesKept)
    return WriteHistoryFile(path, history);

  std::vector<std::unique_ptr<OtherHistory>> others;
  OtherHistories(folder, path, &others);
  UndoHistory own = history;
  std::vector<UndoHistory*> all = {&own};
  for (auto& other : others) all.push_back(&other->history);
  KeepUndoWithin(all, kUndoBytesKept);
  for (auto& other : others)
    if (other->history.steps.size() != other->steps) WriteHistoryFile(other->path.c_str(), other->history);
  return WriteHistoryFile(path, own);
}
