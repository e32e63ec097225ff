#include "export/export_writers.h"

#include <string.h>

#include "common/message_boxes.h"
#include "export/export_text.h"
#include "store/data_file_read.h"
#include "store/paths.h"
#include "store/safe_file_win.h"

// Lines are gathered and written in pieces of this size: a write per line
// costs a system call each, and one buffer for the whole text costs more in
// fresh pages than the writes it saves.
enum { kWriteChunkSize = 64 * 1024 };
static_assert(kWriteChunkSize >= 2 * kExportLineSize, "a chunk holds the header and a line");

enum { kStreamRecords = 256 };

namespace {
// The time sheet read a few hundred records at a time: loading it whole
// first would cost a fresh page per 16 records before any line is written.
struct RecordStream {
  DataFileReader reader;
  bool opened = false;

  // False when the sheet is there but cannot be read. A missing sheet, and
  // one of 4 GiB or more, give no records: the export is the header alone.
  bool Open() {
    DataFileRead read = reader.Open(TimeSheetPath, kShareForReading);
    opened = read.state == kDataFileRead;
    return read.state != kDataFileUnreadable || IsTooLarge(read);
  }
  // The next whole records; 0 at the end and after a failed read.
  DWORD Next(TimeRecord (&records)[kStreamRecords]) {
    return opened ? static_cast<DWORD>(reader.NextRecords(records, sizeof records) / kRecordSize) : 0;
  }
  // True once a read has failed: what was streamed is not the whole sheet.
  bool Failed() const { return opened && reader.Outcome().state == kDataFileUnreadable; }
};

// Working memory of one export, taken once: the records being read and the
// text waiting to be written.
struct ExportBuffers {
  TimeRecord records[kStreamRecords];
  char chunk[kWriteChunkSize];
};

// A private heap block, released on every path.
class ScopedBuffers {
 public:
  ScopedBuffers()
      : buffers_(static_cast<ExportBuffers*>(HeapAlloc(GetProcessHeap(), 0, sizeof(ExportBuffers)))) {}
  ~ScopedBuffers() {
    if (buffers_ != NULL) HeapFree(GetProcessHeap(), 0, buffers_);
  }
  ScopedBuffers(const ScopedBuffers&) = delete;
  ScopedBuffers& operator=(const ScopedBuffers&) = delete;
  ExportBuffers* Get() const { return buffers_; }

 private:
  ExportBuffers* buffers_;
};

// Collects text for one file and writes it in large pieces; after the first
// failed or short write nothing more is written.
struct ChunkedWriter {
  HANDLE file;
  char* chunk;
  DWORD used;
  bool failed;

  void Flush() {
    if (!failed && used > 0 && !WriteAll(file, chunk, used)) failed = true;
    used = 0;
  }
  // Room for one more line of any record.
  char* LineSpace() {
    if (used + kExportLineSize > kWriteChunkSize) Flush();
    return chunk + used;
  }
};
}  // namespace

void ExportToFile(int64_t startLimit, int64_t stopLimit, int elapsedForm) {
  // The time sheet is opened first and shared for reading only, so an export
  // file that is the time sheet itself (under any name) cannot be created:
  // truncating it would lose every record. A missing one exports the header
  // alone; one that is there but cannot be read exports nothing.
  RecordStream stream;
  if (!stream.Open()) {
    ReportUnableToRead("Time Sheet", TimeSheetPath);
    return;
  }
  HANDLE file = CreateFileA(ExportPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    ShowError("Unable To Open File");
    return;
  }

  ScopedBuffers buffers;
  ExportBuffers* work = buffers.Get();
  ChunkedWriter writer = {file, work != NULL ? work->chunk : NULL, 0, work == NULL};
  if (work != NULL) {
    size_t headerLength = ExportHeaderLength(elapsedForm);
    memcpy(writer.LineSpace(), ExportHeader(elapsedForm), headerLength);
    writer.used += static_cast<DWORD>(headerLength);
    for (DWORD count; !writer.failed && (count = stream.Next(work->records)) != 0;) {
      for (DWORD i = 0; i < count; ++i) {
        const TimeRecord& record = work->records[i];
        if (!IsRecordExported(record, startLimit, stopLimit)) continue;
        writer.used += static_cast<DWORD>(
            BuildExportLine(record, elapsedForm, writer.LineSpace(), kExportLineSize));
      }
    }
    writer.Flush();
  }
  CloseHandle(file);
  // Part of the records would pass for all of them.
  if (stream.Failed()) {
    DeleteFileA(ExportPath);
    ReportUnableToRead("Time Sheet", TimeSheetPath);
    return;
  }
  // A full disk takes writes with a short count: without this message a
  // truncated export would pass for the whole time sheet.
  if (writer.failed) ShowError("Unable To Write File");
}

// Header and lines back to back, NUL-terminated, in a block of `size` bytes
// that has room for `lines` lines. Returns the length of the text, or -1 when
// the working memory could not be had or the sheet could not be read
// (`unreadable`).
static int64_t FillClipboardText(char* text, size_t size, size_t lines, int64_t startLimit,
                                 int64_t stopLimit, int elapsedForm, bool* unreadable) {
  ScopedBuffers buffers;
  ExportBuffers* work = buffers.Get();
  if (work == NULL) return -1;
  size_t used = ExportHeaderLength(elapsedForm);
  memcpy(text, ExportHeader(elapsedForm), used + 1);
  RecordStream stream;
  *unreadable = !stream.Open();
  // The file is read again; should it have grown since it was counted, the
  // block still holds only the lines it was sized for.
  for (DWORD count; lines > 1 && (count = stream.Next(work->records)) != 0;) {
    for (DWORD i = 0; i < count && lines > 1; ++i) {
      const TimeRecord& record = work->records[i];
      if (!IsRecordExported(record, startLimit, stopLimit)) continue;
      used += BuildExportLine(record, elapsedForm, text + used, size - used);
      --lines;
    }
  }
  if (stream.Failed()) *unreadable = true;
  return *unreadable ? -1 : static_cast<int64_t>(used);
}

// Selected records plus one for the header; 0 when the working memory could
// not be had or the sheet could not be read (`unreadable`).
static size_t CountClipboardLines(int64_t startLimit, int64_t stopLimit, bool* unreadable) {
  ScopedBuffers buffers;
  ExportBuffers* work = buffers.Get();
  if (work == NULL) return 0;
  size_t lines = 1;
  RecordStream stream;
  *unreadable = !stream.Open();
  for (DWORD count; (count = stream.Next(work->records)) != 0;)
    for (DWORD i = 0; i < count; ++i)
      if (IsRecordExported(work->records[i], startLimit, stopLimit)) ++lines;
  if (stream.Failed()) *unreadable = true;
  return *unreadable ? 0 : lines;
}

// The clipboard block: a line of room per selected record to write into,
// then cut to the text and its NUL. The clipboard copies a block whole, so a
// block of the full room cost far more than the text, and whatever lay after
// the NUL reached every program that pastes. Unlocked, ready to hand over;
// null when memory could not be had or the sheet could not be read
// (`unreadable`).
static HGLOBAL ClipboardBlock(int64_t startLimit, int64_t stopLimit, int elapsedForm,
                              bool* unreadable) {
  size_t lines = CountClipboardLines(startLimit, stopLimit, unreadable);
  size_t size = lines <= static_cast<size_t>(-1) / kExportLineSize ? lines * kExportLineSize : 0;
  HGLOBAL block = size != 0 ? GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size) : NULL;
  char* text = block != NULL ? static_cast<char*>(GlobalLock(block)) : NULL;
  int64_t length = text != NULL
                       ? FillClipboardText(text, size, lines, startLimit, stopLimit, elapsedForm,
                                           unreadable)
                       : -1;
  if (length >= 0) {
    // A block may come back a little larger than asked; its slack holds
    // zeros, not old heap bytes.
    size_t end = static_cast<size_t>(length) + 1;
    memset(text + end, 0, size - end < 64 ? size - end : 64);
  }
  if (text != NULL) GlobalUnlock(block);
  HGLOBAL fitted = length >= 0 ? GlobalReAlloc(block, static_cast<size_t>(length) + 1, GMEM_MOVEABLE)
                               : NULL;
  if (fitted == NULL && block != NULL) GlobalFree(block);
  return fitted;
}

// True once the clipboard owns the block.
static bool HandOver(HWND owner, HGLOBAL block) {
  if (!OpenClipboard(owner)) return false;  // another program holds it
  bool placed = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != NULL;
  CloseClipboard();
  return placed;
}

void ExportToClipboard(HWND owner, int64_t startLimit, int64_t stopLimit, int elapsedForm) {
  bool unreadable = false;
  HGLOBAL block = ClipboardBlock(startLimit, stopLimit, elapsedForm, &unreadable);
  // The clipboard keeps what it held: part of the records, or none, would
  // pass for all of them.
  if (unreadable) {
    ReportUnableToRead("Time Sheet", TimeSheetPath);
    return;
  }
  // Closing quietly would let the user paste old text as if it were the export.
  if (block == NULL || !HandOver(owner, block)) {
    if (block != NULL) GlobalFree(block);
    ShowError("Unable To Copy To Clipboard");
  }
}
