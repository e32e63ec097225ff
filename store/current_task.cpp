#include "store/current_task.h"

TimeRecord CurrentRecord;
bool LoggingActive;
