// The Rates dialog (155): rates per hour for the projects of the shown
// period, the default rate and the currency code, kept in the options file.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Runs the dialog over `owner`; true when OK wrote new rates.
bool ShowRatesDialog(HWND owner, const std::vector<std::string>& projects);
