// The one message for a time sheet that is there but cannot be read.
#pragma once

// "Unable To Read Time Sheet <path>": another program holds it without
// sharing, the user lacks the rights, or a read failed part-way.
void ReportUnreadableTimeSheet();
