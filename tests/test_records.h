// Records and their bytes for tests, without Windows.
#pragma once
#include <string>

#include "store/time_record.h"

std::string RecordBytes(const TimeRecord& record);

// A record with these descriptions and seconds; stamps left zero.
TimeRecord MakeRecord(const char* task, const char* project, const char* classification,
                      int64_t startSeconds, int64_t stopSeconds);
