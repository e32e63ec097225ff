// Descriptions-file bytes through load and merge: the sections stay inside
// the file, and the merged file re-parses to the old lists plus exactly the
// new texts a naive case-blind scan finds missing.
#include <vector>

#include "fuzz/fuzz_input.h"
#include "store/description_file.h"

// A list as the loader holds it: count x 64 zero-filled bytes, the stored
// part copied in.
struct LoadedList {
  int32_t count;
  std::vector<char> texts;
};

static std::vector<LoadedList> Load(const std::string& file) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());
  DescriptionSection sections[kDescriptionKindCount];
  LocateDescriptionSections(bytes, file.size(), sections);
  std::vector<LoadedList> lists;
  for (const DescriptionSection& s : sections) {
    FUZZ_CHECK(s.count >= -1);
    FUZZ_CHECK(s.offset <= file.size() && s.storedBytes <= file.size() - s.offset);
    uint64_t wanted = s.count > 0 ? static_cast<uint64_t>(s.count) * kDescriptionSize : 0;
    FUZZ_CHECK(s.storedBytes <= wanted);
    FUZZ_CHECK(wanted <= file.size() + static_cast<uint64_t>(kMaxMissingTexts + 1) * kDescriptionSize);
    LoadedList list = {s.count, std::vector<char>(static_cast<size_t>(wanted))};
    if (s.storedBytes > 0) memcpy(list.texts.data(), bytes + s.offset, s.storedBytes);
    lists.push_back(list);
  }
  return lists;
}

static std::string Folded(const char* field) {
  std::string text(field, strnlen(field, kDescriptionSize - 1));
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return text;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  TimeRecord record = {};
  uint8_t candidateFrom = input.Take<uint8_t>();
  for (char* field : {record.task, record.project, record.classification}) {
    uint8_t length = input.Take<uint8_t>() % 70;  // 64 or more: a field without a NUL
    for (uint8_t i = 0; i < length && i < kDescriptionSize; ++i) field[i] = input.Take<char>();
  }
  std::string file = input.Rest();
  std::vector<LoadedList> lists = Load(file);
  // Often a candidate is a stored text, so that "already there" is exercised.
  if (candidateFrom & 1 && lists[0].count > 0) memcpy(record.task, lists[0].texts.data(), kDescriptionSize);

  DescriptionListView views[kDescriptionKindCount];
  for (int k = 0; k < kDescriptionKindCount; ++k)
    views[k] = DescriptionListView{lists[k].count, lists[k].texts.data()};
  DescriptionMerge merge;
  PlanDescriptionMerge(views, record, merge);
  const char* candidates[] = {record.task, record.project, record.classification};
  for (int k = 0; k < kDescriptionKindCount; ++k) {
    bool held = false;
    for (int32_t i = 0; i < lists[k].count && !held; ++i)
      held = Folded(&lists[k].texts[static_cast<size_t>(i) * kDescriptionSize]) == Folded(candidates[k]);
    FUZZ_CHECK(merge.isNew[k] == !held);
  }
  if (!MergeAddsAny(merge)) return 0;

  std::string merged(static_cast<size_t>(MergedFileSize(merge)), '\0');
  BuildMergedFile(merge, reinterpret_cast<unsigned char*>(&merged[0]));
  std::vector<LoadedList> again = Load(merged);
  size_t total = 0;
  for (int k = 0; k < kDescriptionKindCount; ++k) {
    int32_t before = lists[k].count > 0 ? lists[k].count : 0;
    FUZZ_CHECK(again[k].count == before + (merge.isNew[k] ? 1 : 0));
    size_t old = static_cast<size_t>(before) * kDescriptionSize;
    FUZZ_CHECK(old == 0 || memcmp(again[k].texts.data(), lists[k].texts.data(), old) == 0);
    if (merge.isNew[k]) FUZZ_CHECK(Folded(&again[k].texts[old]) == Folded(candidates[k]));
    total += 4 + again[k].texts.size();
  }
  FUZZ_CHECK(total == merged.size());
  return 0;
}
