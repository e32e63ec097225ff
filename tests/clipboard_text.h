// The clipboard's text as the export tests read and seed it.
#pragma once
#include <stddef.h>

#include <string>

// The clipboard's CF_TEXT up to and including its NUL; `blockSize` gets the
// size of the block that holds it.
std::string ClipboardText(size_t* blockSize = nullptr);
void PutClipboardText(const std::string& text);
