// The one guard on what an export, a report or a saved report may write
// over: never a time sheet or a descriptions file.
#pragma once
#include <stddef.h>

// True when the file name of `path` is a time sheet's (.tim) or descriptions
// file's (.des) as the system would read it: case ignored, trailing dots and
// blanks dropped (Windows drops them), a stream name after ':' cut.
bool IsSheetOrDescriptionsName(const char* path);

// True when `a` and `b` name the same file as the system resolves them: one
// full path (on Windows regardless of case and with short 8.3 names and
// trailing dots and blanks resolved; `..` resolved everywhere), or, for files
// that exist, one file identity (volume and index, device and inode), so a
// hard link is the same file too. Lives in same_file_win.cpp and
// same_file_posix.cpp.
bool SameFile(const char* a, const char* b);

// True when `target` may receive an export, a report or a saved report: its
// name is no .tim or .des, and it is none of `sheets` nor their descriptions
// files.
bool MayWriteOutput(const char* target, const char* const* sheets, size_t count);
