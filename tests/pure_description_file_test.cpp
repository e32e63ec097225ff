#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "store/description_file.h"
#include "tests/description_bytes.h"

using namespace description_bytes;

namespace {

struct Located {
  DescriptionSection sections[kDescriptionKindCount];
};

Located Locate(const std::string& bytes) {
  Located located;
  memset(&located, 0xAB, sizeof located);
  LocateDescriptionSections(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                            located.sections);
  return located;
}

// Each located list must lie inside the bytes it came from.
void ExpectInside(const Located& located, size_t size) {
  for (const DescriptionSection& s : located.sections) {
    EXPECT_LE(s.offset, size);
    EXPECT_LE(s.storedBytes, size - s.offset);
    if (s.count > 0) {
      EXPECT_LE(s.storedBytes, static_cast<uint64_t>(s.count) * kDescriptionSize);
    } else {
      EXPECT_EQ(s.storedBytes, 0u);
    }
  }
}

}  // namespace

TEST(PureDescriptionFileLayout, WellFormedFilesLocateEveryList) {
  std::string bytes = Count(2) + Text("Design") + Text("Review") + Count(0) + Count(1) + Text("Billable");
  Located got = Locate(bytes);
  EXPECT_EQ(got.sections[kTaskList].count, 2);
  EXPECT_EQ(got.sections[kTaskList].offset, 4u);
  EXPECT_EQ(got.sections[kTaskList].storedBytes, 128u);
  EXPECT_EQ(got.sections[kProjectList].count, 0);
  EXPECT_EQ(got.sections[kProjectList].offset, 136u);
  EXPECT_EQ(got.sections[kClassificationList].count, 1);
  EXPECT_EQ(got.sections[kClassificationList].offset, 140u);
  EXPECT_EQ(got.sections[kClassificationList].storedBytes, 64u);
  ExpectInside(got, bytes.size());
}

TEST(PureDescriptionFileLayout, CountsAsLoadedForEachShapeOfFile) {
  struct Case {
    const char* name;
    std::string bytes;
    int32_t counts[kDescriptionKindCount];
    size_t stored[kDescriptionKindCount];
  } cases[] = {
      {"empty file", "", {-1, -1, -1}, {0, 0, 0}},
      {"three zero counts", Count(0) + Count(0) + Count(0), {0, 0, 0}, {0, 0, 0}},
      {"first list absent", Count(-1) + Count(1) + Text("P") + Count(0), {-1, 1, 0}, {0, 64, 0}},
      {"other negative counts", Count(-7) + Count(INT32_MIN) + Count(-2), {-1, -1, -1}, {0, 0, 0}},
      {"only the first count", Count(0), {0, -1, -1}, {0, 0, 0}},
      {"count cut in half", Count(0) + std::string("\x01\x00", 2), {0, -1, -1}, {0, 0, 0}},
      {"texts cut at the end", Count(3) + Text("A") + Text("B"), {3, -1, -1}, {128, 0, 0}},
      {"text cut inside", Count(2) + Text("A") + "Bx", {2, -1, -1}, {66, 0, 0}},
      {"count without texts", Count(5), {5, -1, -1}, {0, 0, 0}},
      {"last list cut", Count(0) + Count(0) + Count(2) + Text("C"), {0, 0, 2}, {0, 0, 64}},
      {"largest tolerated shortfall", Count(kMaxMissingTexts + 1) + Text("A"),
       {kMaxMissingTexts + 1, -1, -1}, {64, 0, 0}},
      {"shortfall one too many", Count(kMaxMissingTexts + 2) + Text("A"), {-1, -1, -1}, {0, 0, 0}},
      {"count 0x7FFFFFFF", Count(0x7FFFFFFF) + Count(0) + Count(0), {-1, -1, -1}, {0, 0, 0}},
      {"count 0x40000000", Count(0x40000000) + Text("A") + Count(0) + Count(0), {-1, -1, -1}, {0, 0, 0}},
      {"count 0x04000000 (4 GiB of texts)", Count(0x04000000) + Count(0) + Count(0), {-1, -1, -1},
       {0, 0, 0}},
      {"damaged count in the middle", Count(1) + Text("T") + Count(0x7FFFFFFF) + Count(0),
       {1, -1, -1}, {64, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Located got = Locate(c.bytes);
    for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
      EXPECT_EQ(got.sections[kind].count, c.counts[kind]) << "list " << kind;
      EXPECT_EQ(got.sections[kind].storedBytes, c.stored[kind]) << "list " << kind;
    }
    ExpectInside(got, c.bytes.size());
  }
}

TEST(PureDescriptionFileLayout, NoCountReadsPastTheBytes) {
  // Every count value at every length of a small file stays inside it.
  const int32_t counts[] = {0, 1, 2, 3, -1, -2, 0x7FFFFFFF, 0x40000000, 0x04000001, INT32_MIN};
  for (int32_t first : counts) {
    for (int32_t second : counts) {
      std::string full = Count(first) + Text("a") + Count(second) + Text("b") + Count(1) + Text("c");
      for (size_t length = 0; length <= full.size(); ++length) {
        std::string bytes = full.substr(0, length);
        Located got = Locate(bytes);
        ExpectInside(got, bytes.size());
      }
    }
  }
}

namespace {

DescriptionListView View(const std::string& texts) {
  return DescriptionListView{static_cast<int32_t>(texts.size() / kDescriptionSize), texts.data()};
}

std::string Build(const DescriptionMerge& merge) {
  std::string out(static_cast<size_t>(MergedFileSize(merge)), '\x55');
  BuildMergedFile(merge, reinterpret_cast<unsigned char*>(&out[0]));
  return out;
}

TimeRecord Record(const char* task, const char* project, const char* classification) {
  TimeRecord record;
  memset(&record, 0, sizeof record);
  snprintf(record.task, sizeof record.task, "%s", task);
  snprintf(record.project, sizeof record.project, "%s", project);
  snprintf(record.classification, sizeof record.classification, "%s", classification);
  return record;
}

}  // namespace

TEST(PureDescriptionFileMerge, IntoNothingMakesThreeListsOfOne) {
  DescriptionListView lists[kDescriptionKindCount] = {{-1, nullptr}, {-1, nullptr}, {-1, nullptr}};
  DescriptionMerge merge;
  PlanDescriptionMerge(lists, Record("Design", "Hourwright", "Billable"), merge);
  EXPECT_TRUE(MergeAddsAny(merge));
  ASSERT_EQ(MergedFileSize(merge), 204u);
  EXPECT_EQ(Build(merge), Count(1) + Text("Design") + Count(1) + Text("Hourwright") + Count(1) +
                              Text("Billable"));
}

TEST(PureDescriptionFileMerge, OnlyTheNewTextIsAppendedAndOldBytesStayAsTheyWere) {
  // Junk after a NUL and a text without NUL are written back untouched.
  std::string tasks = Text("Design") + std::string("Review\0junk", 11) + std::string(53, 'z') +
                      std::string(64, 'Q');
  std::string projects = Text("Alpha");
  std::string classes = Text("Billable");
  DescriptionListView lists[kDescriptionKindCount] = {View(tasks), View(projects), View(classes)};
  DescriptionMerge merge;
  PlanDescriptionMerge(lists, Record("REVIEW", "Beta", "billable"), merge);
  EXPECT_FALSE(merge.isNew[kTaskList]);
  EXPECT_TRUE(merge.isNew[kProjectList]);
  EXPECT_FALSE(merge.isNew[kClassificationList]);
  EXPECT_EQ(Build(merge),
            Count(3) + tasks + Count(2) + projects + Text("Beta") + Count(1) + classes);
}

TEST(PureDescriptionFileMerge, CaseOnlyDifferencesAddNothing) {
  std::string tasks = Text("Design");
  std::string projects = Text("Hourwright");
  std::string classes = Text("Billable");
  DescriptionListView lists[kDescriptionKindCount] = {View(tasks), View(projects), View(classes)};
  DescriptionMerge merge;
  PlanDescriptionMerge(lists, Record("DESIGN", "hourWRIGHT", "billable"), merge);
  EXPECT_FALSE(MergeAddsAny(merge));
}

TEST(PureDescriptionFileMerge, AccentedLettersAreNotFoldedTogether) {
  std::string tasks = Text("Caf\xE9");
  DescriptionListView lists[kDescriptionKindCount] = {View(tasks), {0, nullptr}, {0, nullptr}};
  DescriptionMerge merge;
  PlanDescriptionMerge(lists, Record("CAF\xC9", "", ""), merge);
  EXPECT_TRUE(merge.isNew[kTaskList]);
  PlanDescriptionMerge(lists, Record("cAF\xE9", "", ""), merge);
  EXPECT_FALSE(merge.isNew[kTaskList]);
}

TEST(PureDescriptionFileMerge, AbsentOrEmptyListsHoldNothingAndComeOutWithOneText) {
  std::string tasks = Text("Design");
  std::string projects = Text("Alpha");
  for (int32_t emptyCount : {-1, 0}) {
    for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
      SCOPED_TRACE("list " + std::to_string(kind) + " count " + std::to_string(emptyCount));
      DescriptionListView lists[kDescriptionKindCount] = {View(tasks), View(projects), View(tasks)};
      lists[kind] = DescriptionListView{emptyCount, nullptr};
      DescriptionMerge merge;
      // The record's texts are all known to the two stored lists.
      PlanDescriptionMerge(lists, Record("Design", "Alpha", "Design"), merge);
      for (int other = 0; other < kDescriptionKindCount; ++other)
        EXPECT_EQ(merge.isNew[other], other == kind);
      std::string expected[kDescriptionKindCount] = {Count(1) + tasks, Count(1) + projects,
                                                     Count(1) + tasks};
      expected[kind] = Count(1) + Text(kind == kProjectList ? "Alpha" : "Design");
      EXPECT_EQ(Build(merge), expected[0] + expected[1] + expected[2]);
    }
  }
}

TEST(PureDescriptionFileMerge, CandidatesAreCutTo63CharactersWithANul) {
  TimeRecord record = Record("", "P", "C");
  memset(record.task, 'x', sizeof record.task);  // no NUL in the field
  DescriptionListView lists[kDescriptionKindCount] = {{0, nullptr}, {0, nullptr}, {0, nullptr}};
  DescriptionMerge merge;
  PlanDescriptionMerge(lists, record, merge);
  std::string bytes = Build(merge);
  EXPECT_EQ(bytes.substr(4, 64), std::string(63, 'x') + std::string(1, '\0'));
}

TEST(PureDescriptionFileMerge, StoredTextWithoutNulMatchesItsFirst63Characters) {
  std::string tasks(64, 'y');
  DescriptionListView lists[kDescriptionKindCount] = {View(tasks), {0, nullptr}, {0, nullptr}};
  DescriptionMerge merge;
  PlanDescriptionMerge(lists, Record(std::string(63, 'Y').c_str(), "", ""), merge);
  EXPECT_FALSE(merge.isNew[kTaskList]);
  PlanDescriptionMerge(lists, Record(std::string(62, 'Y').c_str(), "", ""), merge);
  EXPECT_TRUE(merge.isNew[kTaskList]);
}
