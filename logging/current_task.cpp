#include "logging/current_task.h"

TimeRecord CurrentRecord;
bool LoggingActive;
