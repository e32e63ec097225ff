#include "store/description_changes.h"

#include <stdio.h>
#include <string.h>

#include "store/compare_no_case.h"
#include "store/description_text.h"

static bool KnownKind(int kind) { return kind >= 0 && kind < kDescriptionKindCount; }

static void StartChange(const DescriptionListView (&lists)[kDescriptionKindCount], int kind,
                        DescriptionChange& change) {
  memset(&change, 0, sizeof change);
  for (int k = 0; k < kDescriptionKindCount; ++k) change.lists[k] = lists[k];
  change.kind = kind;
}

// The old text takes part in the duplicate test like any entry, so a text
// replaced by itself (in any letter case) is refused.
DescriptionChangeOutcome PlanAddOrReplace(const DescriptionListView (&lists)[kDescriptionKindCount],
                                          int kind, const char* newText, const char* oldText,
                                          DescriptionChange& change) {
  StartChange(lists, kind, change);
  if (!KnownKind(kind)) return kChangeNothing;
  if (ListHoldsDescription(lists[kind], newText)) return kChangeDuplicate;
  change.adds = true;
  CopyDescription(change.added, newText);
  change.drops = oldText != NULL;
  if (oldText != NULL) CopyDescription(change.dropped, oldText);
  return kChangeWrites;
}

DescriptionChangeOutcome PlanRemove(const DescriptionListView (&lists)[kDescriptionKindCount],
                                    int kind, const char* text, DescriptionChange& change) {
  StartChange(lists, kind, change);
  if (!KnownKind(kind) || !ListHoldsDescription(lists[kind], text)) return kChangeNothing;
  change.drops = true;
  CopyDescription(change.dropped, text);
  return kChangeWrites;
}

static bool Stays(const DescriptionChange& change, const char* field) {
  if (!change.drops) return true;
  char text[kDescriptionSize];
  CopyDescription(text, field);
  return CompareNoCase(text, change.dropped) != 0;
}

// The count written for a list: the chosen one counts what stays and what is
// added; the others keep their count exactly as loaded, -1 and 0 included.
static int32_t WrittenCount(const DescriptionChange& change, int kind) {
  const DescriptionListView& list = change.lists[kind];
  if (kind != change.kind) return list.count;
  int32_t count = change.adds ? 1 : 0;
  for (int32_t i = 0; i < list.count; ++i) count += Stays(change, LoadedText(list, i)) ? 1 : 0;
  return count;
}

uint64_t ChangedFileSize(const DescriptionChange& change) {
  uint64_t size = 0;
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    int32_t count = WrittenCount(change, kind);
    size += 4 + (count > 0 ? static_cast<uint64_t>(count) * kDescriptionSize : 0);
  }
  return size;
}

// Staying texts are written back byte for byte, in their loaded order.
void BuildChangedFile(const DescriptionChange& change, unsigned char* out) {
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    const DescriptionListView& list = change.lists[kind];
    out = WriteDescriptionCount(out, WrittenCount(change, kind));
    for (int32_t i = 0; i < list.count; ++i) {
      if (kind == change.kind && !Stays(change, LoadedText(list, i))) continue;
      memcpy(out, LoadedText(list, i), kDescriptionSize);
      out += kDescriptionSize;
    }
    if (kind == change.kind && change.adds) {
      memcpy(out, change.added, kDescriptionSize);
      out += kDescriptionSize;
    }
  }
}

void DuplicateMessage(int kind, const char* text, char* out, size_t size) {
  static const char* const kListNames[kDescriptionKindCount] = {"Task", "Project",
                                                                "Classification"};
  if (size == 0) return;
  out[0] = '\0';
  if (!KnownKind(kind)) return;
  char shown[kDescriptionSize];
  CopyDescription(shown, text);
  snprintf(out, size, "%s\n already found in %s list", shown, kListNames[kind]);
}
