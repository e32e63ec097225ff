// The loaded copy of the time-sheet file and the operations that rewrite it.
#pragma once
#include <windows.h>
#include "store/time_record.h"

struct TimeSheetBuffer {
  int32_t count;        // -1 while nothing is loaded
  TimeRecord* records;  // the locked block; null when no block is held
  HGLOBAL memory;
};
extern TimeSheetBuffer TimeSheet;

enum SaveMode { kSaveAppend = 0, kSaveAsEdited = 1 };

int LoadTimeSheet();  // 1 loaded, 0 no such file, -1 cannot be read
void ReleaseTimeSheet();
int SaveTimeSheet(HWND owner, int mode);  // 1 written, 0 nothing written
void InsertRecordByStart(TimeRecord record);
void DeleteRecordAt(int32_t index);
int KeepRecordsFrom(int64_t cutoff);
