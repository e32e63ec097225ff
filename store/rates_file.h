// Rates per project in the options file's "[rates]" section.
#pragma once
#include <string>
#include <vector>

#include "store/rates_text.h"

// The file's rates: none when it is missing or cannot be read; the lines
// that hold no rate are skipped and told in `warnings`.
ProjectRates LoadRates(std::vector<std::string>* warnings);

// Writes the changes, keeping every other line of the file. False when the
// file could not be read or written: it is then as it was.
bool SaveRates(const RatesEdit& edit);
