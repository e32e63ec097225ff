#include "store/description_file.h"

#include <string.h>

#include "store/compare_no_case.h"
#include "store/description_text.h"

static int32_t ReadCount(const unsigned char* at) {
  uint32_t value = static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
                   static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
  return static_cast<int32_t>(value);
}

unsigned char* WriteDescriptionCount(unsigned char* at, int32_t count) {
  uint32_t value = static_cast<uint32_t>(count);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
  return at + 4;
}

// The count on disk is untrusted: a list the file ends inside keeps its count
// (the missing texts come out empty, as a cut file always has read) only while
// the shortfall is small, so a damaged count can never ask for more memory than
// the file's own size plus kMaxMissingTexts texts. Sizes are 64-bit so no count
// can overflow them. Negative counts other than -1 mean the same absent list.
bool LocateDescriptionSections(const unsigned char* bytes, size_t size,
                               DescriptionSection (&sections)[kDescriptionKindCount]) {
  size_t at = 0;
  bool whole = true;
  for (DescriptionSection& section : sections) {
    section.count = -1;
    section.offset = at;
    section.storedBytes = 0;
    if (size - at < 4) {
      at = size;  // a count that cannot be read whole leaves this list absent
      continue;
    }
    int32_t stored = ReadCount(bytes + at);
    at += 4;
    section.offset = at;
    if (stored <= 0) {
      section.count = stored == 0 ? 0 : -1;
      continue;
    }
    uint64_t wanted = static_cast<uint64_t>(stored) * kDescriptionSize;
    uint64_t left = size - at;
    if (wanted <= left) {
      section.count = stored;
      section.storedBytes = static_cast<size_t>(wanted);
    } else {
      uint64_t present = (left + kDescriptionSize - 1) / kDescriptionSize;
      if (static_cast<uint64_t>(stored) - present <= kMaxMissingTexts) {
        section.count = stored;
        section.storedBytes = static_cast<size_t>(left);
      } else {
        whole = false;
      }
    }
    // The texts run to the end of the file whenever they do not fit in it.
    at += wanted <= left ? static_cast<size_t>(wanted) : static_cast<size_t>(left);
  }
  // Bytes after the third list are no list: the next rewrite drops them.
  return whole;
}

int32_t LoadedTextCount(const DescriptionListView& list) { return list.count > 0 ? list.count : 0; }

const char* LoadedText(const DescriptionListView& list, int32_t i) {
  return list.texts + static_cast<size_t>(i) * kDescriptionSize;
}

const char* RecordDescription(const TimeRecord& record, int kind) {
  return kind == kTaskList ? record.task : kind == kProjectList ? record.project : record.classification;
}

bool ListHoldsDescription(const DescriptionListView& list, const char* candidate) {
  char wanted[kDescriptionSize];
  CopyDescription(wanted, candidate);
  for (int32_t i = 0; i < list.count; ++i) {
    char text[kDescriptionSize];
    CopyDescription(text, LoadedText(list, i));
    if (CompareNoCase(text, wanted) == 0) return true;
  }
  return false;
}

void PlanDescriptionMerge(const DescriptionListView (&lists)[kDescriptionKindCount],
                          const TimeRecord& record, DescriptionMerge& merge) {
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    merge.lists[kind] = lists[kind];
    CopyDescription(merge.candidates[kind], RecordDescription(record, kind));
    // A list at the largest count cannot take one more.
    merge.isNew[kind] = lists[kind].count < INT32_MAX &&
                        !ListHoldsDescription(lists[kind], merge.candidates[kind]);
  }
}

bool MergeAddsAny(const DescriptionMerge& merge) {
  return merge.isNew[kTaskList] || merge.isNew[kProjectList] || merge.isNew[kClassificationList];
}


int32_t MergedCount(const DescriptionMerge& merge, int kind) {
  return LoadedTextCount(merge.lists[kind]) + (merge.isNew[kind] ? 1 : 0);
}

uint64_t MergedFileSize(const DescriptionMerge& merge) {
  uint64_t size = 0;
  for (int kind = 0; kind < kDescriptionKindCount; ++kind)
    size += 4 + static_cast<uint64_t>(MergedCount(merge, kind)) * kDescriptionSize;
  return size;
}

void BuildMergedFile(const DescriptionMerge& merge, unsigned char* out) {
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    out = WriteDescriptionCount(out, MergedCount(merge, kind));
    size_t loaded = static_cast<size_t>(LoadedTextCount(merge.lists[kind])) * kDescriptionSize;
    if (loaded > 0) memcpy(out, merge.lists[kind].texts, loaded);  // unchanged, bytes and order
    out += loaded;
    if (merge.isNew[kind]) {
      memcpy(out, merge.candidates[kind], kDescriptionSize);
      out += kDescriptionSize;
    }
  }
}
