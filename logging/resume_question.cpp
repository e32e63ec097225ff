#include "logging/resume_question.h"

#include <stdio.h>

#include "store/description_text.h"
#include "store/stamp_text.h"

void BuildResumeQuestion(const TimeRecord& record, char* out, size_t outSize) {
  char stamp[kStampTextSize];
  StampText(record.startTime, stamp, sizeof stamp);
  // The fields come from a file: never read past their 64 bytes.
  snprintf(out, outSize,
           "Last Entry in the File was marked as still open.\n"
           " Do you want to continue logging time to the last entry?\n%.*s\n%.*s\n%.*s\nTask Started: %s",
           static_cast<int>(DescriptionLength(record.task)), record.task,
           static_cast<int>(DescriptionLength(record.project)), record.project,
           static_cast<int>(DescriptionLength(record.classification)), record.classification, stamp);
}

// A torn append can leave 256 zero bytes at the end of a sheet: open by its
// stop stamp, but with a start of 0 it is damage, not a task running since
// 1601. It is left in the file as it is.
bool OffersResume(const TimeRecord& last) { return RecordIsOpen(last) && last.startSeconds != 0; }
