// Where a help request goes: the WinHelp file when it is there, otherwise the
// HTML guide beside the program, opened at the section for the context.
#pragma once
#include <stddef.h>

#include "common/help_context.h"

enum HelpTargetKind {
  kHelpTargetNone,     // nothing to open: no program folder, or the address would not fit
  kHelpTargetWinHelp,  // WinHelp on the .hlp file at the context
  kHelpTargetGuide,    // the guide's file:/// address, in `address`
};

// The guide's file name beside the program.
extern const char kHelpGuideName[];

// The section name the guide carries for `context`; "" for a number it does not know.
const char* HelpAnchor(int context);

// Chooses the target for `context`. `programDirectory` is the program's
// folder in UTF-8, as browsers read escapes in file addresses, ending in a
// backslash (as start-up derives it). For the guide, `address` receives the file:///
// address with every character a URL may not carry percent-escaped; it is
// emptied for the other kinds.
HelpTargetKind ChooseHelpTarget(int context, const char* programDirectory, bool helpFileExists,
                                char* address, size_t addressSize);
