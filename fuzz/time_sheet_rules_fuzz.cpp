// The time-sheet rules (written back, append slot, insert place, keep-from)
// with arbitrary records and counts, against plain loops.
#include <vector>

#include "fuzz/fuzz_input.h"
#include "store/time_sheet_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  int64_t key = input.Take<int64_t>();
  int64_t fileRecords = input.Take<int64_t>();
  int32_t index = input.Take<int32_t>();
  // Seconds come in small steps or whole, so equal starts are common.
  std::vector<TimeRecord> records;
  while (input.Left() >= 3 && records.size() < 512) {
    TimeRecord r = {};
    uint8_t kind = input.Take<uint8_t>();
    r.startSeconds = kind & 1 ? input.Take<int64_t>() : input.Take<int8_t>();
    r.stopSeconds = kind & 2 ? 0 : (kind & 4 ? input.Take<int64_t>() : 1);
    records.push_back(r);
  }
  int32_t count = static_cast<int32_t>(records.size());
  const TimeRecord* all = records.empty() ? NULL : records.data();

  int32_t back = RecordsWrittenBack(all, count);
  FUZZ_CHECK(back == (count > 0 && records[count - 1].stopSeconds == 0 ? count - 1 : count));
  FUZZ_CHECK(RecordsWrittenBack(all, -1 - (index & 7)) == 0);

  bool lastOpen = index & 1;
  int64_t slot = AppendSlot(fileRecords, lastOpen);
  FUZZ_CHECK(slot == (fileRecords > 0 && lastOpen ? fileRecords - 1 : fileRecords));

  int32_t at = InsertPosition(all, count, key);
  FUZZ_CHECK(at >= 0 && at <= count);
  for (int32_t i = 0; i < at; ++i) FUZZ_CHECK(records[i].startSeconds < key);
  FUZZ_CHECK(at == count || records[at].startSeconds >= key);

  FUZZ_CHECK(IsRecordIndex(count, index) == (index >= 0 && index < count));

  std::vector<RecordRun> runs((records.size() + 1) / 2 + 1);
  int32_t n = KeptRuns(all, count, key, runs.data());
  FUZZ_CHECK(n >= 0 && n <= (count + 1) / 2);
  std::vector<int32_t> kept, expected;
  for (int32_t i = 0; i < n; ++i) {
    FUZZ_CHECK(runs[i].count > 0);
    if (i > 0) FUZZ_CHECK(runs[i].first > runs[i - 1].first + runs[i - 1].count);  // never neighbours
    for (int32_t j = 0; j < runs[i].count; ++j) kept.push_back(runs[i].first + j);
  }
  for (int32_t i = 0; i < count; ++i)
    if (records[i].startSeconds >= key) expected.push_back(i);
  FUZZ_CHECK(kept == expected);
  return 0;
}
