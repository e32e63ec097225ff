// The pick-list operations (add, replace, remove, rebuild) on arbitrary
// descriptions-file bytes, checked by a naive re-parse of what they write: the
// counts, the untouched lists byte for byte, the changed list against a plain
// list-of-texts model, and the rebuild against a record-by-record reference.
#include <vector>

#include "fuzz/fuzz_input.h"
#include "store/description_changes.h"
#include "store/description_rebuild.h"

namespace {
typedef std::vector<std::string> Fields;  // whole 64-byte fields

// Each list as the loader holds it: its count and its fields zero-filled.
struct Loaded {
  int32_t count;
  std::string texts;
};

std::vector<Loaded> Load(const std::string& file) {
  DescriptionSection sections[kDescriptionKindCount];
  LocateDescriptionSections(reinterpret_cast<const unsigned char*>(file.data()), file.size(), sections);
  std::vector<Loaded> lists;
  for (const DescriptionSection& s : sections) {
    Loaded list = {s.count, std::string(s.count > 0 ? static_cast<size_t>(s.count) * kDescriptionSize : 0, '\0')};
    list.texts.replace(0, s.storedBytes, file, s.offset, s.storedBytes);
    lists.push_back(list);
  }
  return lists;
}

Fields Split(const std::string& texts) {
  Fields fields;
  for (size_t at = 0; at < texts.size(); at += kDescriptionSize) fields.push_back(texts.substr(at, kDescriptionSize));
  return fields;
}

// A written file must be exactly three counts, each followed by its fields.
bool Reparse(const std::string& bytes, int32_t (&counts)[3], Fields (&lists)[3]) {
  size_t at = 0;
  for (int k = 0; k < 3; ++k) {
    if (bytes.size() - at < 4) return false;
    memcpy(&counts[k], bytes.data() + at, 4);
    at += 4;
    size_t texts = counts[k] > 0 ? static_cast<size_t>(counts[k]) * kDescriptionSize : 0;
    if (bytes.size() - at < texts) return false;
    lists[k] = Split(bytes.substr(at, texts));
    at += texts;
  }
  return at == bytes.size();
}

std::string Folded(const std::string& field) {
  std::string text = field.substr(0, strnlen(field.c_str(), kDescriptionSize - 1));
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return text;
}

// A text as a field: its first 63 characters, zero-filled.
std::string AsField(const std::string& text) {
  std::string field = text.substr(0, strnlen(text.c_str(), kDescriptionSize - 1));
  field.resize(kDescriptionSize, '\0');
  return field;
}

bool Holds(const Fields& list, const std::string& text) {
  for (const std::string& field : list)
    if (Folded(field) == Folded(text)) return true;
  return false;
}

// Texts from a small alphabet, so that equal-but-for-case texts are common;
// now and then a full 64-byte field with no NUL.
std::string TakeText(FuzzInput& input, const std::vector<Loaded>& lists) {
  uint8_t shape = input.Take<uint8_t>();
  if (shape % 4 == 0) {  // a stored text, its case perhaps flipped
    const Loaded& list = lists[shape / 4 % 3];
    if (list.count > 0) {
      std::string field = list.texts.substr(shape / 16 % list.count * kDescriptionSize, kDescriptionSize);
      if (shape & 0x80)
        for (char& c : field) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c >= 'A' && c <= 'Z' ? c + 32 : c);
      return field;
    }
  }
  if (shape % 4 == 1) return std::string(kDescriptionSize, static_cast<char>(input.Take<char>() | 1));
  std::string text;
  for (uint8_t i = 0, n = shape / 4 % 5; i < n; ++i) text += "aAbB-"[input.Take<uint8_t>() % 5];
  return text;
}

void CheckChange(const std::vector<Loaded>& lists, int kind, const std::string* added, const std::string* dropped,
                 const DescriptionChange& change) {
  std::string bytes(static_cast<size_t>(ChangedFileSize(change)), '\x55');
  BuildChangedFile(change, reinterpret_cast<unsigned char*>(&bytes[0]));
  int32_t counts[3];
  Fields written[3];
  FUZZ_CHECK(Reparse(bytes, counts, written));
  Fields expected;
  for (const std::string& field : Split(lists[kind].texts))
    if (dropped == NULL || Folded(field) != Folded(*dropped)) expected.push_back(field);
  // What is added was in no staying text, so it brings no duplicate.
  if (added != NULL) FUZZ_CHECK(!Holds(expected, *added));
  if (added != NULL) expected.push_back(AsField(*added));
  for (int k = 0; k < 3; ++k) {
    if (k == kind) continue;
    FUZZ_CHECK(counts[k] == lists[k].count);  // -1 and 0 kept as loaded
    FUZZ_CHECK(written[k] == Split(lists[k].texts));
  }
  FUZZ_CHECK(counts[kind] == static_cast<int32_t>(expected.size()));
  FUZZ_CHECK(written[kind] == expected);
  if (added != NULL) FUZZ_CHECK(written[kind].back().find('\0') != std::string::npos);
}

// Record by record: a record that brings a text some list lacks rewrites the
// file with it; `states` gets each rewritten file's lists.
std::vector<std::vector<Fields>> NaiveRebuild(std::vector<Fields> lists, const std::vector<TimeRecord>& records,
                                              std::vector<int32_t>& stepRecords) {
  std::vector<std::vector<Fields>> states;
  for (size_t r = 0; r < records.size(); ++r) {
    const char* fields[] = {records[r].task, records[r].project, records[r].classification};
    bool brings = false;
    for (int k = 0; k < 3; ++k) {
      std::string text(fields[k], kDescriptionSize);
      if (Holds(lists[k], text)) continue;
      lists[k].push_back(AsField(text));
      brings = true;
    }
    if (!brings) continue;
    states.push_back(lists);
    stepRecords.push_back(static_cast<int32_t>(r));
  }
  return states;
}

void CheckRebuild(FuzzInput& input, const std::vector<Loaded>& lists, bool keep) {
  std::vector<TimeRecord> records(input.Take<uint8_t>() % 24);
  for (TimeRecord& record : records)
    for (char* field : {record.task, record.project, record.classification}) {
      std::string text = TakeText(input, lists);
      memset(field, 0, kDescriptionSize);
      memcpy(field, text.data(), text.size() < kDescriptionSize ? text.size() : kDescriptionSize);
    }
  DescriptionListView views[kDescriptionKindCount];
  std::vector<Fields> start(3);
  for (int k = 0; k < 3; ++k) {
    views[k] = keep ? DescriptionListView{lists[k].count, lists[k].texts.data()} : DescriptionListView{-1, NULL};
    if (keep) start[k] = Split(lists[k].texts);
  }
  std::vector<int32_t> stepRecords;
  std::vector<std::vector<Fields>> states = NaiveRebuild(start, records, stepRecords);
  DescriptionRebuild rebuild;
  FUZZ_CHECK(PlanDescriptionRebuild(views, records.data(), static_cast<int32_t>(records.size()), rebuild));
  FUZZ_CHECK(rebuild.stepCount == static_cast<int32_t>(states.size()));
  // The last step, and one other the input picks, as a part-way failure leaves it.
  int32_t other = rebuild.stepCount > 0 ? 1 + input.Take<uint8_t>() % rebuild.stepCount : 0;
  for (int32_t step : {rebuild.stepCount, other}) {
    if (step == 0) continue;
    FUZZ_CHECK(rebuild.steps[step - 1].record == stepRecords[step - 1]);
    std::string bytes(static_cast<size_t>(RebuiltFileSize(rebuild, step)), '\x55');
    BuildRebuiltFile(rebuild, step, reinterpret_cast<unsigned char*>(&bytes[0]));
    int32_t counts[3];
    Fields written[3];
    FUZZ_CHECK(Reparse(bytes, counts, written));
    for (int k = 0; k < 3; ++k) {
      FUZZ_CHECK(counts[k] == static_cast<int32_t>(states[step - 1][k].size()));
      FUZZ_CHECK(written[k] == states[step - 1][k]);
      for (size_t i = start[k].size(); i < written[k].size(); ++i)
        FUZZ_CHECK(written[k][i].find('\0') != std::string::npos);
    }
  }
  FreeDescriptionRebuild(rebuild);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  uint8_t operation = input.Take<uint8_t>();
  uint16_t fileSize = input.Take<uint16_t>();
  // The file first, so texts can be drawn from it; the rest drives the operation.
  std::string all = input.Rest(), file = all.substr(0, fileSize), tail = all.substr(file.size());
  FuzzInput rest(reinterpret_cast<const uint8_t*>(tail.data()), tail.size());
  std::vector<Loaded> lists = Load(file);
  int kind = operation / 4 % 4;  // 3 is no list
  if (operation % 4 == 3) {
    CheckRebuild(rest, lists, operation & 0x80);
    return 0;
  }
  DescriptionListView views[kDescriptionKindCount];
  for (int k = 0; k < kDescriptionKindCount; ++k) views[k] = DescriptionListView{lists[k].count, lists[k].texts.data()};
  std::string first = TakeText(rest, lists), second = TakeText(rest, lists);
  DescriptionChange change;
  if (operation % 4 == 2) {
    DescriptionChangeOutcome outcome = PlanRemove(views, kind, first.c_str(), change);
    bool removes = kind < 3 && Holds(Split(lists[kind].texts), first);
    FUZZ_CHECK(outcome == (removes ? kChangeWrites : kChangeNothing));
    if (removes) CheckChange(lists, kind, NULL, &first, change);
    return 0;
  }
  const std::string* old = operation % 4 == 1 ? &second : NULL;
  DescriptionChangeOutcome outcome = PlanAddOrReplace(views, kind, first.c_str(), old ? old->c_str() : NULL, change);
  if (kind == 3) {
    FUZZ_CHECK(outcome == kChangeNothing);
    return 0;
  }
  bool duplicate = Holds(Split(lists[kind].texts), first);
  FUZZ_CHECK(outcome == (duplicate ? kChangeDuplicate : kChangeWrites));
  char message[256];
  DuplicateMessage(kind, first.c_str(), message, sizeof message);
  FUZZ_CHECK(strstr(message, " already found in ") != NULL && strlen(message) < sizeof message);
  if (!duplicate) CheckChange(lists, kind, &first, old, change);
  return 0;
}
