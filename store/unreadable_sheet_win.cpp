#include "store/unreadable_sheet.h"

#include <stdio.h>

#include "common/message_boxes.h"
#include "store/paths.h"

// Said rather than shown as a sheet without records, which a rebuild or an
// export would then take for the truth.
void ReportUnreadableTimeSheet() {
  char text[kPathSize + 64];
  snprintf(text, sizeof text, "Unable To Read Time Sheet %s", TimeSheetPath);
  ShowError(text);
}
