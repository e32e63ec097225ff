// One running copy per user: a second start hands over to the first.
#pragma once

// True when another copy is running; its main window has then been brought
// forward (out of the notification area if need be) and this copy should end.
bool HandOverToRunningCopy();
