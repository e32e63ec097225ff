// The bytes of a descriptions file: three lists back to back (tasks, projects,
// classifications), each a signed 32-bit little-endian count followed by that
// many 64-byte texts.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "store/time_record.h"

enum DescriptionKind { kTaskList = 0, kProjectList = 1, kClassificationList = 2 };
enum { kDescriptionKindCount = 3 };

// A file that ends inside a list yields the texts it lacks as empty ones, but
// never more than this many: a larger shortfall is a damaged count.
enum { kMaxMissingTexts = 4096 };

// Where one list lies in the file's bytes.
struct DescriptionSection {
  int32_t count;       // texts to load; -1 when the list is absent
  size_t offset;       // first byte of its texts
  size_t storedBytes;  // bytes of its texts the file holds, at most count x 64
};

// True unless a list was dropped for a count that runs past the end of the
// file; bytes after the third list do not count. A file that is not whole
// must never be rewritten from what was loaded.
bool LocateDescriptionSections(const unsigned char* bytes, size_t size,
                               DescriptionSection (&sections)[kDescriptionKindCount]);

// One loaded list: `count` 64-byte texts at `texts` (none when count <= 0).
struct DescriptionListView {
  int32_t count;
  const char* texts;
};

bool ListHoldsDescription(const DescriptionListView& list, const char* candidate);
// Texts a loaded list holds: none when it is absent (-1).
int32_t LoadedTextCount(const DescriptionListView& list);
// Text `i` of a loaded list, its 64 bytes as stored (not always NUL-terminated).
const char* LoadedText(const DescriptionListView& list, int32_t i);
// A record's description of one kind.
const char* RecordDescription(const TimeRecord& record, int kind);
// Writes a list's count, little-endian, and returns the byte after it.
unsigned char* WriteDescriptionCount(unsigned char* at, int32_t count);

// What merging one record's three descriptions does to the file.
struct DescriptionMerge {
  DescriptionListView lists[kDescriptionKindCount];
  char candidates[kDescriptionKindCount][kDescriptionSize];
  bool isNew[kDescriptionKindCount];
};

void PlanDescriptionMerge(const DescriptionListView (&lists)[kDescriptionKindCount],
                          const TimeRecord& record, DescriptionMerge& merge);
bool MergeAddsAny(const DescriptionMerge& merge);
int32_t MergedCount(const DescriptionMerge& merge, int kind);
uint64_t MergedFileSize(const DescriptionMerge& merge);
// Writes the merged file into `out`, which holds MergedFileSize bytes.
void BuildMergedFile(const DescriptionMerge& merge, unsigned char* out);
