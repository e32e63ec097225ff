// Turns the registry's browser command into the browser's bare path.
#pragma once
#include <stddef.h>

// Copies `value` without its double quotes, stopping right after the first
// ".exe" (lower case only). `out` must hold at least as many bytes as `value`.
void ExtractBrowserCommand(const char* value, char* out, size_t outSize);

// The line that starts the browser on `address`: the program (up to and
// including its first ".exe", in any letter case) in double quotes, the rest
// of `browser` as it is, one blank, the address. False, with `out` emptied, when the browser
// is unknown or the whole line would not fit `outSize` bytes with its NUL.
bool BuildBrowserCommandLine(const char* browser, const char* address, char* out,
                             size_t outSize);
