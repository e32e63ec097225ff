#include <gtest/gtest.h>

#include <functional>

#include "tests/time_sheet_fixture.h"

// The records editor's rewrites while a task is being logged: the trailing
// open record (the running task) stays last; without one they are the
// plain rewrites.
TEST_F(StorageTimeSheet, EditorWritesKeepTheRunningTaskLast) {
  const TimeRecord task = Open(300);
  struct Case {
    const char* name;
    std::string before;
    std::function<int()> write;
    std::string after;
  } cases[] = {
      {"edited save", Bytes({Closed(100), Closed(200), task}), [] { return SaveEditedKeepingTask(); },
       Bytes({Closed(100), Closed(200), task})},
      {"insert after the task's start", Bytes({Closed(100), task}),
       [] { return InsertRecordBeforeTask(Closed(400, "new")); },
       Bytes({Closed(100), Closed(400, "new"), task})},
      {"insert before the task's start", Bytes({Closed(100), task}),
       [] { return InsertRecordBeforeTask(Closed(50, "new")); },
       Bytes({Closed(50, "new"), Closed(100), task})},
      {"purge past the task's start", Bytes({Closed(100), Closed(400), task}),
       [] { return KeepRecordsFromKeepingTask(999); }, Bytes({task})},
      {"purge of the middle", Bytes({Closed(100), Closed(400), Closed(200), task}),
       [] { return KeepRecordsFromKeepingTask(300); }, Bytes({Closed(400), task})},
      {"insert without a task", Bytes({Closed(100), Closed(200)}),
       [] { return InsertRecordBeforeTask(Closed(400, "new")); },
       Bytes({Closed(100), Closed(200), Closed(400, "new")})},
      {"purge without a task", Bytes({Closed(100), Closed(200)}),
       [] { return KeepRecordsFromKeepingTask(150); }, Bytes({Closed(200)})},
      {"into an empty sheet", "", [] { return InsertRecordBeforeTask(Closed(400, "new")); },
       Bytes({Closed(400, "new")})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.before);
    EXPECT_EQ(c.write(), 1);
    EXPECT_EQ(TimeSheet.count, -1);
    EXPECT_EQ(ReadBytes(Sheet()), c.after);
    EXPECT_EQ(Listing(), "sheet.tim;");
  }
}
