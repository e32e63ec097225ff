#include "editors/lists_outcome.h"

#include <stdio.h>

#include "common/message_boxes.h"
#include "store/description_changes.h"

static void ShowDamaged(const char* path) {
  char text[512];
  snprintf(text, sizeof text,
           "Description Lists %s are damaged\nThe lists are left as they were; rebuilding all "
           "entries from the time records replaces them.",
           path);
  ShowError(text);
}

void ShowListsOutcome(const DescriptionListsOutcome& outcome) {
  char text[256];
  switch (outcome.fault) {
    case kListsDone:
      return;
    case kListsDuplicate:
      DuplicateMessage(outcome.kind, outcome.text.c_str(), text, sizeof text);
      ShowError(text);
      return;
    case kListsDamaged:
      ShowDamaged(outcome.path);
      return;
    case kListsUnwritten:
      ReportUnableToWrite("Description Lists", outcome.path, "The lists are left as they were.");
      return;
    case kListsRebuiltInPart:
      snprintf(text, sizeof text, "The lists hold the descriptions of the first %ld time records only.",
               static_cast<long>(outcome.records));
      ReportUnableToWrite("Description Lists", outcome.path, text);
      return;
    case kListsSheetUnreadable:
      ReportUnableToRead("Time Sheet", outcome.path);
      return;
  }
}
