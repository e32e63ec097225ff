// Turns the registry's browser command into the browser's bare path.
#pragma once
#include <stddef.h>

// Copies `value` without its double quotes, stopping right after the first
// ".exe" (lower case only). `out` must hold at least as many bytes as `value`.
void ExtractBrowserCommand(const char* value, char* out, size_t outSize);
