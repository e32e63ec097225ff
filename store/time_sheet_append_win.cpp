#include "store/time_sheet_append.h"

#include <windows.h>

#include "store/safe_file_win.h"
#include "store/time_sheet_rules.h"
#include "store/undo_hook_win.h"

// A time sheet is a plain array of records, so rewriting it whole to add one
// record at its end gives the same bytes as writing that record in place; the
// in-place write costs the same for ten records or a hundred thousand. A torn
// 256-byte write at a record boundary cannot reach the records before it.

static bool SeekTo(HANDLE file, int64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  return SetFilePointerEx(file, to, NULL, FILE_BEGIN) != 0;
}

static bool ReadAt(HANDLE file, int64_t offset, void* data, DWORD size) {
  DWORD read = 0;
  return SeekTo(file, offset) && ReadFile(file, data, size, &read, NULL) && read == size;
}

static bool WriteAt(HANDLE file, int64_t offset, const void* data, DWORD size) {
  return SeekTo(file, offset) && WriteAll(file, data, size);
}

static bool EndAt(HANDLE file, int64_t offset) {
  return SeekTo(file, offset) && SetEndOfFile(file) != 0;
}

bool AppendRecordInPlace(const char* path, const TimeRecord& record) {
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool created = GetLastError() != ERROR_ALREADY_EXISTS;

  LARGE_INTEGER size;
  // The loader takes a 32-bit size; a larger file is not a time sheet it can read.
  bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart <= 0xFFFFFFFFLL;
  int64_t records = ok ? size.QuadPart >> 8 : 0;

  // Everything from the last whole record to the end: the last record tells
  // whether it is open, and all of it is what a failed write must put back.
  TimeRecord tail[2];
  unsigned char* tailBytes = reinterpret_cast<unsigned char*>(tail);
  int64_t tailAt = records > 0 ? (records - 1) * kRecordSize : 0;
  DWORD tailSize = ok ? static_cast<DWORD>(size.QuadPart - tailAt) : 0;
  if (ok) ok = ReadAt(file, tailAt, tailBytes, tailSize);

  if (ok) {
    bool lastIsOpen = records > 0 && RecordIsOpenTask(tail[0]);
    int64_t at = AppendSlot(records, lastIsOpen) * kRecordSize;
    int64_t end = at + kRecordSize;
    BeforeRecordWrittenInPlace(path, at, record);
    // Cut only a trailing partial piece: setting the end where it already is
    // can fail on a full disk.
    ok = WriteAt(file, at, &record, kRecordSize) &&
         (size.QuadPart <= end || EndAt(file, end)) && FlushFileBuffers(file) != 0;
    if (!ok) {
      // A full disk writes short: put the old tail back and the old end.
      const unsigned char* old = tailBytes + (at - tailAt);
      WriteAt(file, at, old, static_cast<DWORD>(size.QuadPart - at));
      if (end > size.QuadPart) EndAt(file, size.QuadPart);
      FlushFileBuffers(file);
    }
  }
  CloseHandle(file);
  if (!ok && created) DeleteFileA(path);
  AfterFileReplaced(ok);
  return ok;
}
