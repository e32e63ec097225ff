#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "editors/entry_request.h"
#include "store/compare_no_case.h"
#include "store/description_changes.h"
#include "store/description_rebuild.h"
#include "store/description_text.h"
#include "tests/description_bytes.h"

using namespace description_bytes;

namespace {

// Three lists as the loader gives them: texts side by side, or absent.
struct Lists {
  std::string texts[kDescriptionKindCount];
  int32_t counts[kDescriptionKindCount];
  DescriptionListView views[kDescriptionKindCount];

  Lists(const std::string& tasks, int32_t taskCount, const std::string& projects,
        int32_t projectCount, const std::string& classes, int32_t classCount)
      : texts{tasks, projects, classes}, counts{taskCount, projectCount, classCount} {
    for (int kind = 0; kind < kDescriptionKindCount; ++kind)
      views[kind] = DescriptionListView{counts[kind], texts[kind].data()};
  }
};

std::string Build(const DescriptionChange& change) {
  std::string out(static_cast<size_t>(ChangedFileSize(change)), '\x55');
  BuildChangedFile(change, reinterpret_cast<unsigned char*>(&out[0]));
  return out;
}

}  // namespace

TEST(PureDescriptionChanges, StayingTextsKeepTheirBytes) {
  // Junk after a NUL, and a text without one, go back as they were loaded.
  std::string odd = std::string("Beta\0old", 8) + std::string(56, 'j');
  std::string full(64, 'Q');
  Lists lists(Text("Alpha") + odd + full, 3, "", -1, "", 0);
  DescriptionChange change;
  ASSERT_EQ(PlanAddOrReplace(lists.views, kTaskList, "Gamma", "ALPHA", change), kChangeWrites);
  EXPECT_EQ(Build(change), Count(3) + odd + full + Text("Gamma") + Count(-1) + Count(0));
  ASSERT_EQ(PlanRemove(lists.views, kTaskList, std::string(63, 'q').c_str(), change), kChangeWrites);
  EXPECT_EQ(Build(change), Count(2) + Text("Alpha") + odd + Count(-1) + Count(0));
}

TEST(PureDescriptionChanges, DuplicateMessagesNameTheNewTextAndTheList) {
  char message[256];
  const char* expected[] = {"Design\n already found in Task list",
                            "Design\n already found in Project list",
                            "Design\n already found in Classification list"};
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    DuplicateMessage(kind, "Design", message, sizeof message);
    EXPECT_STREQ(message, expected[kind]);
  }
  DuplicateMessage(3, "Design", message, sizeof message);
  EXPECT_STREQ(message, "");
  DuplicateMessage(kTaskList, std::string(80, 'z').c_str(), message, sizeof message);
  EXPECT_EQ(std::string(message), std::string(63, 'z') + "\n already found in Task list");
  DuplicateMessage(kTaskList, "Design", message, 8);
  EXPECT_STREQ(message, "Design\n");
}

TEST(PureEntryRequest, CaptionsAndLabels) {
  struct Case {
    int kind, mode;
    const char* caption;
    const char* label;
  } cases[] = {
      {0, kEntryAdd, "Add an Entry", "Add a Task"},
      {1, kEntryAdd, "Add an Entry", "Add a Project"},
      {2, kEntryAdd, "Add an Entry", "Add a Classification"},
      {0, kEntryEdit, "Edit an Entry", "Edit a Task\nOriginal Text:Alpha"},
      {1, kEntryEdit, "Edit an Entry", "Edit a Project\nOriginal Text:Alpha"},
      {2, kEntryEdit, "Edit an Entry", "Edit a Classification\nOriginal Text:Alpha"},
  };
  for (const Case& c : cases) {
    EntryRequest request = MakeEntryRequest(c.kind, c.mode);
    EXPECT_EQ(request, static_cast<uint32_t>(c.kind) << 16 | static_cast<uint32_t>(c.mode));
    EXPECT_EQ(EntryRequestKind(request), c.kind);
    EXPECT_EQ(EntryRequestMode(request), c.mode);
    EXPECT_STREQ(EntryCaption(request), c.caption);
    char label[128];
    EntryLabel(request, "Alpha", label, sizeof label);
    EXPECT_STREQ(label, c.label);
  }
}

namespace {

// The rebuild exactly as the record-by-record rewrite goes: scan each list,
// rewrite the file after every record that brings something new, and read
// it back before the next record. Returns each file written, in order.
std::vector<std::string> RecordByRecord(const std::string& startBytes, bool startAbsent,
                                        const std::vector<TimeRecord>& records) {
  std::vector<std::string> written;
  std::string file = startBytes;
  bool absent = startAbsent;
  for (const TimeRecord& record : records) {
    DescriptionSection sections[kDescriptionKindCount];
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());
    LocateDescriptionSections(bytes, file.size(), sections);
    const char* fields[kDescriptionKindCount] = {record.task, record.project, record.classification};
    std::string out;
    bool any = false;
    for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
      int32_t count = absent ? -1 : sections[kind].count;
      std::string texts = absent ? "" : file.substr(sections[kind].offset, sections[kind].storedBytes);
      texts.resize(static_cast<size_t>(count > 0 ? count : 0) * kDescriptionSize, '\0');
      char candidate[kDescriptionSize];
      CopyDescription(candidate, fields[kind]);
      bool isNew = true;
      for (int32_t i = 0; i < count && isNew; ++i) {
        char text[kDescriptionSize];
        CopyDescription(text, texts.data() + static_cast<size_t>(i) * kDescriptionSize);
        if (CompareNoCase(text, candidate) == 0) isNew = false;
      }
      any = any || isNew;
      out += Count((count > 0 ? count : 0) + (isNew ? 1 : 0)) + texts +
             (isNew ? std::string(candidate, kDescriptionSize) : "");
    }
    if (!any) continue;
    written.push_back(out);
    file = out;
    absent = false;
  }
  return written;
}

std::vector<std::string> Planned(const std::string& startBytes, bool keep,
                                 const std::vector<TimeRecord>& records) {
  DescriptionSection sections[kDescriptionKindCount];
  LocateDescriptionSections(reinterpret_cast<const unsigned char*>(startBytes.data()),
                            startBytes.size(), sections);
  std::string texts[kDescriptionKindCount];
  DescriptionListView views[kDescriptionKindCount];
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    int32_t count = keep ? sections[kind].count : -1;
    texts[kind] = keep ? startBytes.substr(sections[kind].offset, sections[kind].storedBytes) : "";
    texts[kind].resize(static_cast<size_t>(count > 0 ? count : 0) * kDescriptionSize, '\0');
    views[kind] = DescriptionListView{count, texts[kind].data()};
  }
  DescriptionRebuild rebuild;
  EXPECT_TRUE(PlanDescriptionRebuild(views, records.data(), static_cast<int32_t>(records.size()), rebuild));
  std::vector<std::string> states;
  for (int32_t step = 1; step <= rebuild.stepCount; ++step) {
    std::string out(static_cast<size_t>(RebuiltFileSize(rebuild, step)), '\x55');
    BuildRebuiltFile(rebuild, step, reinterpret_cast<unsigned char*>(&out[0]));
    states.push_back(out);
  }
  FreeDescriptionRebuild(rebuild);
  return states;
}

TimeRecord Described(const std::string& task, const std::string& project, const std::string& classification) {
  TimeRecord record;
  memset(&record, 0, sizeof record);
  memcpy(record.task, task.data(), std::min(task.size(), sizeof record.task));
  memcpy(record.project, project.data(), std::min(project.size(), sizeof record.project));
  memcpy(record.classification, classification.data(),
         std::min(classification.size(), sizeof record.classification));
  return record;
}

// Short texts from a small alphabet, so that many meet again in other case;
// some carry junk after their NUL, some fill the field without one.
std::string RandomText(uint32_t& seed) {
  seed = seed * 1103515245u + 12345u;
  uint32_t r = seed >> 8;
  if (r % 97 == 0) return std::string(64, static_cast<char>('a' + r % 3));
  std::string text;
  for (uint32_t n = r % 3; n > 0; --n) text += "aAbB\xE9"[(r >> (4 * n)) % 5];
  if (r % 11 == 0) text += std::string("\0junk", 5);
  return text;
}

}  // namespace

TEST(PureDescriptionRebuild, EveryStateIsTheRecordByRecordRewrite) {
  struct Start {
    const char* name;
    std::string bytes;
  } starts[] = {
      {"no file", ""},
      {"three lists", Texts({"a", "Q"}) + Texts({"B"}) + Texts({"x"})},
      {"absent and empty lists", Count(-1) + Count(0) + Texts({"b"})},
      {"cut file", Count(3) + Text("a") + Count(0)},
      {"stored junk", Count(1) + std::string("aa\0zz", 5) + std::string(59, 'z') + Count(0) + Count(0)},
  };
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    uint32_t state = seed;
    std::vector<TimeRecord> records;
    for (uint32_t i = 0, n = seed * 3; i < n; ++i)
      records.push_back(Described(RandomText(state), RandomText(state), RandomText(state)));
    for (const Start& start : starts) {
      for (bool keep : {false, true}) {
        SCOPED_TRACE(std::string(start.name) + (keep ? ", keeping" : "") + ", seed " + std::to_string(seed));
        std::vector<std::string> expected = RecordByRecord(start.bytes, !keep, records);
        EXPECT_EQ(Planned(start.bytes, keep, records), expected);
      }
    }
  }
}

TEST(PureDescriptionRebuild, FirstSpellingWinsAndNothingNewWritesNothing) {
  std::vector<TimeRecord> records = {Described("A", "P", "C"), Described("B", "p", "C"),
                                     Described("a", "P", "c")};
  std::vector<std::string> states = Planned("", false, records);
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(states.back(), Texts({"A", "B"}) + Texts({"P"}) + Texts({"C"}));
  // Keeping, with every description known already: no rewrite at all.
  EXPECT_TRUE(Planned(Texts({"b", "a"}) + Texts({"p"}) + Texts({"c"}), true, records).empty());
  EXPECT_TRUE(Planned(Texts({"b"}), true, {}).empty());
  EXPECT_TRUE(Planned("", false, {}).empty());
}

TEST(PureDescriptionFileLayout, OnlyFilesTakenInWholeMayBeRewritten) {
  struct Case {
    const char* name;
    std::string bytes;
    bool whole;
  } cases[] = {
      {"empty file", "", true},
      {"well formed", Texts({"T"}) + Texts({"P1", "P2"}) + Texts({"C"}), true},
      {"texts missing at the end", Count(3) + Text("T"), true},
      {"cut inside a count", Count(0) + std::string("\x01\x00", 2), true},
      {"negative counts", Count(-5) + Count(INT32_MIN) + Count(-1), true},
      {"272 bytes behind a damaged count",
       Count(0x10000) + Texts({"Design"}) + Texts({"P1", "P2"}) + Texts({"C"}), false},
      {"damaged count in the middle", Texts({"T"}) + Count(0x7FFFFFFF) + Texts({"C"}), false},
      {"largest tolerated shortfall", Count(kMaxMissingTexts + 1) + Text("A"), true},
      {"shortfall one too many", Count(kMaxMissingTexts + 2) + Text("A"), false},
      {"bytes after the last list", Texts({"T"}) + Texts({"P"}) + Texts({"C"}) + Text("lost"), true},
      {"one byte after the last list", Count(0) + Count(0) + Count(0) + "x", true},
  };
  EXPECT_EQ(cases[5].bytes.size(), 272u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DescriptionSection sections[kDescriptionKindCount];
    EXPECT_EQ(LocateDescriptionSections(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                        c.bytes.size(), sections),
              c.whole);
  }
}
