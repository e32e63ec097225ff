// The time record form (dialog 112): one record shown and corrected, or a new one typed in.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "store/time_record.h"

enum FormMode { kFormEditRecord = 0, kFormNewRecord = 1 };

// Which record the form shows. The index travels whole: a sheet may hold
// more records than 16 bits can count.
struct FormRequest {
  int mode;
  int32_t index;  // into the loaded TimeSheet; not used for a new record
};

// The record the form built, set only when it closes with 1.
extern TimeRecord EditedRecord;

// 1 when OK passed every check, 0 on Cancel or when the index names no record.
int ShowTimeRecordForm(HWND owner, const FormRequest& request);
