// "&Copy" puts the totals on the clipboard as tab-separated text, "&Save
// Report..." writes them as a web page: the texts of `hourwright-report
// --format tsv` and `--format html` for the same choices.
#include <string.h>

#include <new>
#include <string>

#include "common/ansi_utf8.h"
#include "common/message_boxes.h"
#include "store/output_guard.h"
#include "store/paths.h"
#include "store/safe_file_win.h"
#include "totals/report_file.h"
#include "totals/totals_window_win.h"
#include "ui/file_dialog_win.h"

static std::string Formatted(const TotalsWindow& window, TotalsFormat format) {
  return FormatTotals(window.result, window.choice, {window.sheetName}, format, AnsiToUtf8);
}

// The clipboard's text is UTF-16 with CR LF line ends, so a spreadsheet
// reads accented names right whatever its code page; Windows offers it as
// ANSI text to programs that ask for that.
static HGLOBAL UnicodeBlock(const std::string& utf8) {
  std::string text;
  for (char c : utf8) {
    if (c == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
    text += c;
  }
  int length = text.empty() ? 0
                            : MultiByteToWideChar(CP_UTF8, 0, text.data(),
                                                  static_cast<int>(text.size()), NULL, 0);
  if (!text.empty() && length <= 0) return NULL;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (static_cast<size_t>(length) + 1) * sizeof(WCHAR));
  WCHAR* wide = block != NULL ? static_cast<WCHAR*>(GlobalLock(block)) : NULL;
  if (wide == NULL) {
    if (block != NULL) GlobalFree(block);
    return NULL;
  }
  if (length > 0)
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide, length);
  wide[length] = L'\0';
  GlobalUnlock(block);
  return block;
}

void CopyTotals(HWND dialog, const TotalsWindow& window) {
  HGLOBAL block = NULL;
  try {
    block = UnicodeBlock(Formatted(window, kFormatTsv));
  } catch (const std::bad_alloc&) {  // told below, as any failure to copy
  }
  bool placed = false;
  if (block != NULL && OpenClipboard(dialog)) {
    placed = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block) != NULL;
    CloseClipboard();
  }
  // As the export says it: quietly failing would let old text pass for the totals.
  if (!placed) {
    if (block != NULL) GlobalFree(block);
    ShowError("Unable To Copy To Clipboard");
  }
}

static const char kPageFilter[] = "Web Pages (*.html)\0*.html;*.htm\0All Files (*.*)\0*.*\0";

void SaveTotalsReport(HWND dialog, const TotalsWindow& window) {
  char path[kPathSize] = "";
  DefaultReportPath(TimeSheetPath, path, sizeof path);
  const FileDialogSettings settings = {true, kPageFilter, "Save Report As",
                                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                                       "html"};
  if (!RunFileDialog(dialog, path, settings)) return;
  const char* sheet = TimeSheetPath;
  if (!MayWriteOutput(path, &sheet, 1)) {
    ShowError("A report cannot take the place of a time sheet or its lists: choose another name");
    return;
  }
  bool written = false;
  try {
    std::string page = Formatted(window, kFormatHtml);
    FilePiece piece = {page.data(), static_cast<DWORD>(page.size())};
    // Through a new file and a rename: an old report is replaced whole or not at all.
    written = ReplaceFileContents(path, &piece, 1);
  } catch (const std::bad_alloc&) {  // no page to write
  }
  if (!written) ShowError("Unable To Write File");
}
