// The default web browser, looked up once at start-up.
#pragma once
#include "common/path_size.h"

extern char BrowserCommand[kPathSize];

// 1 when BrowserCommand was set, 0 when nothing usable was found.
int FindBrowserCommand();
