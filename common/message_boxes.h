// The three message boxes every part of the program talks to the user with.
#pragma once

void ShowError(const char* text);
void ShowNotice(const char* caption, const char* text);
bool AskYesNo(const char* caption, const char* text);
// "Unable To Write <what> <path>\n<outcome>": every write the user asked for
// that did not happen is told this one way, with what became of it.
void ReportUnableToWrite(const char* what, const char* path, const char* outcome);
// "Unable To Read <what> <path>": a file that is there but cannot be read
// (held by another program without sharing, no rights, a read that failed
// part-way) is said, never shown as one without records.
void ReportUnableToRead(const char* what, const char* path);
