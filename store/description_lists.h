// The three pick lists as loaded from the descriptions file, and the main
// window's boxes they feed.
#pragma once
#include <windows.h>
#include "store/description_file.h"
#include "store/time_record.h"

struct DescriptionList {
  int32_t count;  // -1 when nothing is loaded or the list is absent; 0 before the first load
  HGLOBAL block;  // count x 64 bytes, locked; held only while count is above 0
  char* texts;    // the locked block: text i at i x 64, read it with DescriptionLength
};
extern DescriptionList DescriptionLists[kDescriptionKindCount];  // indexed by DescriptionKind

inline const char* DescriptionAt(int kind, int32_t index) {
  return DescriptionLists[kind].texts + static_cast<size_t>(index) * kDescriptionSize;
}

int LoadDescriptionLists();  // 1 loaded, 0 no such file, -1 the file cannot be read
void ReleaseDescriptionLists();
int FillMainCombos(HWND window);  // always 1
void MergeRecordDescriptions(HWND window, TimeRecord record);
