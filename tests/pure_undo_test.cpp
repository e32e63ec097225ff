#include <gtest/gtest.h>

#include <algorithm>
#include <stdio.h>

#include <string>

#include "store/undo_hash.h"
#include "store/time_record.h"
#include "store/undo_history.h"

namespace {
ByteSpan Span(const std::string& bytes) {
  return ByteSpan{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
}

std::string Letters(size_t size) {
  std::string text;
  for (size_t i = 0; i < size; ++i) text += static_cast<char>('a' + i % 26);
  return text;
}

UndoStep Step(const char* name, int64_t time, size_t stored) {
  UndoStep step;
  step.name = name;
  step.time = time;
  step.stored.assign(stored, 'x');
  step.left.size = 512;
  step.middle = 256;
  return step;
}
}  // namespace

// Values from the reference xxhsum -H64, whole and fed in pieces of 7.
TEST(PureUndo, HashIsXxh64) {
  struct Case { size_t size; uint64_t hash; } cases[] = {
      {0, 0xef46db3751d8e999ull},  {1, 0xd24ec4f1a98c6e5bull},  {4, 0xde0327b0d25d92ccull},
      {31, 0xf7d421c242541ac9ull}, {33, 0x9ac581034b031f72ull}, {1000, 0x94b86db9a16d86a9ull}};
  for (const Case& c : cases) {
    std::string text = Letters(c.size);
    EXPECT_EQ(UndoHashOf(text.data(), text.size()), c.hash) << c.size;
    UndoHash hash;
    StartUndoHash(hash);
    for (size_t at = 0; at < text.size(); at += 7) AddToUndoHash(hash, text.data() + at, std::min<size_t>(7, text.size() - at));
    EXPECT_EQ(UndoHashValue(hash), c.hash) << c.size;
  }
}

// Any byte changed or missing makes the whole file nothing to undo.
TEST(PureUndo, AHistoryFileReadsBackWholeOrNotAtAll) {
  UndoHistory history;
  history.sheetPath = "C:\\Work\\jobs.tim";
  history.steps = {Step("Delete Record", 10, 256), Step("Rebuild Lists", 20, 5)};
  history.steps[1].file = kUndoDescriptions;
  history.steps[1].touchesTask = true;
  history.done = 1;
  std::string bytes;
  WriteUndoHistory(history, bytes);
  EXPECT_EQ(bytes.size(), UndoHistoryFileSize(history));
  UndoHistory read;
  ASSERT_TRUE(ReadUndoHistory(Span(bytes), read));
  std::string again;
  WriteUndoHistory(read, again);
  EXPECT_EQ(again, bytes);
  EXPECT_EQ(read.done, 1u);
  EXPECT_EQ(read.steps[1].name, "Rebuild Lists");
  for (size_t at = 0; at < bytes.size(); ++at) {
    std::string damaged = bytes;
    damaged[at] ^= 1;
    EXPECT_FALSE(ReadUndoHistory(Span(damaged), read)) << at;
    EXPECT_FALSE(ReadUndoHistory(Span(bytes.substr(0, at)), read)) << at;
    EXPECT_TRUE(read.steps.empty());
  }
}

// The oldest step of all goes first; the first redo step takes the others with it.
TEST(PureUndo, TheOldestStepsGoFirstAcrossAllHistories) {
  UndoHistory a, b;
  a.steps = {Step("a1", 5, 1000), Step("a2", 30, 1000)};
  a.done = 2;
  b.steps = {Step("b1", 10, 1000), Step("b2", 20, 1000), Step("b3", 40, 1000)};
  b.done = 0;
  std::vector<UndoHistory*> all = {&a, &b};
  uint64_t total = UndoHistoryFileSize(a) + UndoHistoryFileSize(b);
  EXPECT_FALSE(KeepUndoWithin(all, total));
  EXPECT_TRUE(KeepUndoWithin(all, total - 1));
  ASSERT_EQ(a.steps.size(), 1u);
  EXPECT_EQ(a.steps[0].name, "a2");
  EXPECT_EQ(a.done, 1u);
  EXPECT_TRUE(KeepUndoWithin(all, total - 2000));
  EXPECT_TRUE(b.steps.empty());
  EXPECT_EQ(a.steps.size(), 1u);
}

// Neighbouring records that begin alike ("task 500", "task 501") must not
// widen a delete's step: one record is kept, none of the sheet around it.
TEST(PureUndo, ADeleteKeepsOneRecordOfHistory) {
  std::string sheet;
  for (int i = 0; i < 8; ++i) {
    TimeRecord record = {};
    snprintf(record.task, sizeof record.task, "task 50%d", i);
    record.startSeconds = 1000 + i;
    record.stopSeconds = 2000 + i;
    sheet.append(reinterpret_cast<const char*>(&record), sizeof record);
  }
  ByteSpan after[2] = {{Span(sheet).data, 4 * kRecordSize}, {Span(sheet).data + 5 * kRecordSize, 3 * kRecordSize}};
  UndoStep step;
  ASSERT_TRUE(MakeUndoStep(Span(sheet), after, 2, kUndoTimeSheet, step));
  EXPECT_EQ(step.prefix, 4u * kRecordSize);
  EXPECT_EQ(step.middle, 0u);
  EXPECT_EQ(step.stored, sheet.substr(4 * kRecordSize, kRecordSize));
}
