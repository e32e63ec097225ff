// The question that offers to go on logging a record left open.
#pragma once
#include <stddef.h>
#include "store/time_record.h"

void BuildResumeQuestion(const TimeRecord& record, char* out, size_t outSize);

// Whether the last record of a sheet is a task to offer for resume.
bool OffersResume(const TimeRecord& last);
