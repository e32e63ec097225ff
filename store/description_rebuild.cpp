#include "store/description_rebuild.h"

#include <stdlib.h>
#include <string.h>

#include "store/compare_no_case.h"
#include "store/description_text.h"

namespace {

// A growing array that reports running out of memory instead of throwing.
template <typename T>
struct Growing {
  T* items = nullptr;
  int32_t count = 0;
  int32_t capacity = 0;
  bool Push(const T& item) {
    if (count == capacity) {
      if (capacity > INT32_MAX / 2) return false;
      int32_t larger = capacity > 0 ? capacity * 2 : 16;
      T* moved = static_cast<T*>(realloc(items, static_cast<size_t>(larger) * sizeof(T)));
      if (moved == nullptr) return false;
      items = moved;
      capacity = larger;
    }
    items[count++] = item;
    return true;
  }
};

// A field from a file may lack its NUL; it then counts as its first 63
// characters, as everywhere else.
const char* Terminated(const char* field, char (&copy)[kDescriptionSize]) {
  if (memchr(field, '\0', kDescriptionSize) != nullptr) return field;
  CopyDescription(copy, field);
  return copy;
}

bool SameDescription(const char* a, const char* b) {
  char copyA[kDescriptionSize], copyB[kDescriptionSize];
  return CompareNoCase(Terminated(a, copyA), Terminated(b, copyB)) == 0;
}

uint32_t DescriptionHash(const char* field) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0, n = DescriptionLength(field); i < n; ++i)
    hash = (hash ^ static_cast<uint32_t>(FoldedByte(field[i]))) * 16777619u;
  return hash;
}

// The descriptions one list holds, so each record costs one look-up instead
// of a scan of the list. Slots point at the fields themselves.
struct DescriptionSet {
  const char** slots = nullptr;
  size_t capacity = 0;  // a power of two, never more than half full
  size_t used = 0;

  bool Grow() {
    size_t larger = capacity > 0 ? capacity * 2 : 64;
    const char** fresh = static_cast<const char**>(calloc(larger, sizeof(const char*)));
    if (fresh == nullptr) return false;
    for (size_t i = 0; i < capacity; ++i)
      if (slots[i] != nullptr) Place(fresh, larger, slots[i]);
    free(slots);
    slots = fresh;
    capacity = larger;
    return true;
  }
  static void Place(const char** table, size_t size, const char* field) {
    size_t i = DescriptionHash(field) & (size - 1);
    while (table[i] != nullptr) i = (i + 1) & (size - 1);
    table[i] = field;
  }
  bool Holds(const char* field) const {
    if (capacity == 0) return false;
    for (size_t i = DescriptionHash(field) & (capacity - 1); slots[i] != nullptr;
         i = (i + 1) & (capacity - 1))
      if (SameDescription(slots[i], field)) return true;
    return false;
  }
  // False when memory ran out.
  bool Add(const char* field) {
    if ((used + 1) * 2 > capacity && !Grow()) return false;
    Place(slots, capacity, field);
    ++used;
    return true;
  }
};

bool Plan(const TimeRecord* records, int32_t count, DescriptionSet (&sets)[kDescriptionKindCount],
          Growing<int32_t> (&joined)[kDescriptionKindCount], Growing<RebuildStep>& steps) {
  for (int32_t r = 0; r < count; ++r) {
    bool brings = false;
    for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
      const char* candidate = RecordDescription(records[r], kind);
      if (sets[kind].Holds(candidate)) continue;
      if (!sets[kind].Add(candidate) || !joined[kind].Push(r)) return false;
      brings = true;
    }
    if (!brings) continue;
    RebuildStep step;
    step.record = r;
    for (int kind = 0; kind < kDescriptionKindCount; ++kind) step.gained[kind] = joined[kind].count;
    if (!steps.Push(step)) return false;
  }
  return true;
}

}  // namespace

bool PlanDescriptionRebuild(const DescriptionListView (&lists)[kDescriptionKindCount],
                            const TimeRecord* records, int32_t count, DescriptionRebuild& rebuild) {
  memset(&rebuild, 0, sizeof rebuild);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) rebuild.lists[kind] = lists[kind];
  rebuild.records = records;
  DescriptionSet sets[kDescriptionKindCount];
  Growing<int32_t> joined[kDescriptionKindCount];
  Growing<RebuildStep> steps;
  bool ok = true;
  for (int kind = 0; kind < kDescriptionKindCount && ok; ++kind)
    for (int32_t i = 0; i < LoadedTextCount(lists[kind]) && ok; ++i)
      if (!sets[kind].Holds(LoadedText(lists[kind], i))) ok = sets[kind].Add(LoadedText(lists[kind], i));
  ok = ok && Plan(records, count, sets, joined, steps);
  for (DescriptionSet& set : sets) free(set.slots);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) rebuild.joined[kind] = joined[kind].items;
  rebuild.steps = steps.items;
  rebuild.stepCount = steps.count;
  if (!ok) FreeDescriptionRebuild(rebuild);
  return ok;
}

void FreeDescriptionRebuild(DescriptionRebuild& rebuild) {
  for (int32_t*& list : rebuild.joined) {
    free(list);
    list = nullptr;
  }
  free(rebuild.steps);
  rebuild.steps = nullptr;
  rebuild.stepCount = 0;
}

// Every rewrite writes each list whole, an absent one with count 0 before
// what it gains; so from the first step on no list is absent.
static int32_t CountAt(const DescriptionRebuild& rebuild, int32_t step, int kind) {
  return LoadedTextCount(rebuild.lists[kind]) + rebuild.steps[step - 1].gained[kind];
}

uint64_t RebuiltFileSize(const DescriptionRebuild& rebuild, int32_t step) {
  uint64_t size = 0;
  for (int kind = 0; kind < kDescriptionKindCount; ++kind)
    size += 4 + static_cast<uint64_t>(CountAt(rebuild, step, kind)) * kDescriptionSize;
  return size;
}

void BuildRebuiltFile(const DescriptionRebuild& rebuild, int32_t step, unsigned char* out) {
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    out = WriteDescriptionCount(out, CountAt(rebuild, step, kind));
    size_t loaded = static_cast<size_t>(LoadedTextCount(rebuild.lists[kind])) * kDescriptionSize;
    if (loaded > 0) memcpy(out, rebuild.lists[kind].texts, loaded);  // as loaded, byte for byte
    out += loaded;
    for (int32_t i = 0; i < rebuild.steps[step - 1].gained[kind]; ++i) {
      char text[kDescriptionSize];
      CopyDescription(text, RecordDescription(rebuild.records[rebuild.joined[kind][i]], kind));
      memcpy(out, text, kDescriptionSize);
      out += kDescriptionSize;
    }
  }
}
