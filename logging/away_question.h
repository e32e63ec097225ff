// The "Away Time" question: what the time nobody used the computer was.
#pragma once
#include <windows.h>

#include "logging/away_time.h"

enum AwayAnswer { kAwayKeep, kAwayDiscard, kAwayEnd };

// Runs dialog 152 modally over the main window about `span` of `task`;
// `span` comes back widened by whatever was folded in while it was open.
AwayAnswer AskAboutAwayTime(HWND owner, AwaySpan& span, const TimeRecord& task);

// Folds `more` into the open question and shows the result; false when no
// question is open.
bool FoldIntoAwayQuestion(const AwaySpan& more);
