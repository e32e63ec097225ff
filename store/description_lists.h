// The three pick lists as loaded from the descriptions file.
#pragma once
#include <windows.h>

#include <string>

#include "store/data_file_read.h"
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

// The loaded lists as the pure list logic sees them.
inline void LoadedViews(DescriptionListView (&views)[kDescriptionKindCount]) {
  for (int kind = 0; kind < kDescriptionKindCount; ++kind)
    views[kind] = DescriptionListView{DescriptionLists[kind].count, DescriptionLists[kind].texts};
}

// What a load found. Only a missing or whole file may be rewritten from the
// loaded lists; a damaged one shows what could be read and is left alone.
enum DescriptionFileState {
  kDescriptionFileMissing,
  kDescriptionFileWhole,
  kDescriptionFileDamaged,
  kDescriptionFileUnreadable,
};
DescriptionFileState LoadDescriptionFile();
// What the latest load read, for the rewrites planned from it.
DataFileRead LastDescriptionsRead();
inline bool MayRewriteFrom(DescriptionFileState state) {
  return state == kDescriptionFileMissing || state == kDescriptionFileWhole;
}
int LoadDescriptionLists();  // 1 loaded (whole or not), 0 no such file, -1 the file cannot be read
void ReleaseDescriptionLists();
// The loaded lists kept aside, to be shown again when the file can no longer
// be read (another program holds it).
struct DescriptionListsCopy {
  int32_t counts[kDescriptionKindCount] = {-1, -1, -1};
  std::string texts[kDescriptionKindCount];  // count x 64 bytes each
};
void CopyLoadedLists(DescriptionListsCopy& copy);
// Loads the copy in place of the file's lists.
void RestoreLoadedLists(const DescriptionListsCopy& copy);
// Adds to the lists the record's three descriptions that they lack, in one
// rewrite of the file; true when the file was rewritten. A file that could
// not be read whole is left alone.
bool WriteMergedDescriptions(const TimeRecord& record);
