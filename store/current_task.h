// The task being logged, or the last one logged.
#pragma once
#include "store/time_record.h"

extern TimeRecord CurrentRecord;
extern bool LoggingActive;
