// Reads the time-sheet file a few hundred records at a time, for the export.
#pragma once
#include <windows.h>
#include "store/time_record.h"

enum { kStreamRecords = 256 };

enum SheetOpening {
  kSheetOpened,
  kSheetMissing,     // no such file (or one of 4 GiB and more): the header alone
  kSheetUnreadable,  // there, but held without sharing or without the rights
};

class RecordStream {
 public:
  RecordStream() = default;
  ~RecordStream();
  RecordStream(const RecordStream&) = delete;
  RecordStream& operator=(const RecordStream&) = delete;

  // Opens TimeSheetPath shared for reading only.
  SheetOpening Open();
  // Fills `records` with the next whole records, in file order; 0 at the end
  // and after a failed read. A trailing piece shorter than a record is not a
  // record.
  DWORD Next(TimeRecord (&records)[kStreamRecords]);
  // True once a read has failed: what was streamed is not the whole sheet.
  bool Failed() const { return failed_; }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool failed_ = false;
};

// How the stream reads; tests put a failing reader here.
extern BOOL (WINAPI *ReadSheetBytes)(HANDLE file, LPVOID bytes, DWORD wanted, LPDWORD read,
                                     LPOVERLAPPED overlapped);
