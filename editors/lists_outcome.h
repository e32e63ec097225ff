// What a change to the pick lists tells the user.
#pragma once
#include "store/description_maintenance.h"

// The one message for an outcome that is not kListsDone; nothing for that.
void ShowListsOutcome(const DescriptionListsOutcome& outcome);
