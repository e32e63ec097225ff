// Rebuilding the three pick lists from the records of a time sheet, as bytes.
// The lists come out as if the file were rewritten after every record that
// brings a new description; the plan keeps each of those states, so the file
// can be written once and, should that fail, a failure part-way is the same.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "store/description_file.h"
#include "store/time_record.h"

// One rewrite of the record-by-record rebuild: the record that brought
// something new, and how many texts each list had gained with it.
struct RebuildStep {
  int32_t record;
  int32_t gained[kDescriptionKindCount];
};

struct DescriptionRebuild {
  DescriptionListView lists[kDescriptionKindCount];  // where it starts (all absent without keeping)
  const TimeRecord* records;
  int32_t* joined[kDescriptionKindCount];  // per list, the records whose text joined it, in order
  RebuildStep* steps;                      // step s (1 to stepCount) is steps[s - 1]
  int32_t stepCount;
};

// False when memory ran out (nothing is then held). The lists and records
// must stay in place until the rebuild is freed.
bool PlanDescriptionRebuild(const DescriptionListView (&lists)[kDescriptionKindCount],
                            const TimeRecord* records, int32_t count, DescriptionRebuild& rebuild);
void FreeDescriptionRebuild(DescriptionRebuild& rebuild);

// The file as the rewrite of step s (1 to stepCount) leaves it.
uint64_t RebuiltFileSize(const DescriptionRebuild& rebuild, int32_t step);
void BuildRebuiltFile(const DescriptionRebuild& rebuild, int32_t step, unsigned char* out);
