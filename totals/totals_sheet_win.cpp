// The Totals window reads its sheet once, whole, when it opens.
#include "store/data_file_read.h"
#include "totals/totals_window_win.h"

// Shared with a running Hourwright: reading must never stand in the way of
// the task being logged.
int ReadSheetForTotals(const char* path, std::vector<unsigned char>* bytes) {
  bytes->clear();
  DataFileReader reader;
  DataFileRead read = reader.Open(path, kShareWithLogging);
  if (read.state == kDataFileMissing) return 1;  // a sheet not yet written holds nothing
  if (read.state == kDataFileUnreadable) return -1;
  bytes->resize(static_cast<size_t>(reader.Size()));
  if (reader.Read(bytes->data(), bytes->size()) == bytes->size()) return 1;
  bytes->clear();
  return -1;
}

std::vector<TotalsSheet> SheetsOf(const TotalsWindow& window) {
  TotalsSheet sheet = {window.sheetName, window.sheetBytes.data(), window.sheetBytes.size()};
  return {sheet};
}
