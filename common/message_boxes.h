// The three message boxes every part of the program talks to the user with.
#pragma once

void ShowError(const char* text);
void ShowNotice(const char* caption, const char* text);
bool AskYesNo(const char* caption, const char* text);
