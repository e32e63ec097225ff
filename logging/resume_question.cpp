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

bool OffersResume(const TimeRecord& last) { return RecordIsOpenTask(last); }
