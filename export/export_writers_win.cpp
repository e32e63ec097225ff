#include "export/export_writers.h"

#include <string.h>

#include "common/message_boxes.h"
#include "export/export_text.h"
#include "export/record_stream_win.h"
#include "store/paths.h"
#include "store/safe_file_win.h"

// Lines are gathered and written in pieces of this size: a write per line
// costs a system call each, and one buffer for the whole text costs more in
// fresh pages than the writes it saves.
enum { kWriteChunkSize = 64 * 1024 };
static_assert(kWriteChunkSize >= 2 * kExportLineSize, "a chunk holds the header and a line");

namespace {
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
  // truncating it would lose every record.
  RecordStream stream;
  stream.Open();  // a missing time sheet exports the header alone
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
  // A full disk takes writes with a short count: without this message a
  // truncated export would pass for the whole time sheet.
  if (writer.failed) ShowError("Unable To Write File");
}

namespace {
// The clipboard text as it is gathered: a private block that grows by
// doubling, released on every path.
class GatheredText {
 public:
  GatheredText() = default;
  ~GatheredText() {
    if (data_ != NULL) HeapFree(GetProcessHeap(), 0, data_);
  }
  GatheredText(const GatheredText&) = delete;
  GatheredText& operator=(const GatheredText&) = delete;

  // Room for one more line of any record; null when memory ran out.
  char* LineSpace() {
    if (used_ + kExportLineSize <= capacity_) return data_ + used_;
    if (capacity_ > static_cast<size_t>(-1) / 4) return NULL;
    size_t wanted = capacity_ < kWriteChunkSize ? size_t{kWriteChunkSize} : capacity_ * 2;
    void* grown = data_ == NULL ? HeapAlloc(GetProcessHeap(), 0, wanted)
                                : HeapReAlloc(GetProcessHeap(), 0, data_, wanted);
    if (grown == NULL) return NULL;
    data_ = static_cast<char*>(grown);
    capacity_ = wanted;
    return data_ + used_;
  }
  void Took(size_t length) { used_ += length; }
  const char* Data() const { return data_; }
  size_t Length() const { return used_; }

 private:
  char* data_ = NULL;
  size_t used_ = 0;
  size_t capacity_ = 0;
};
}  // namespace

// Header and selected lines back to back, in one pass over the time sheet.
// False when memory ran out.
static bool GatherClipboardText(GatheredText& text, int64_t startLimit, int64_t stopLimit,
                                int elapsedForm) {
  ScopedBuffers buffers;
  ExportBuffers* work = buffers.Get();
  char* space = work != NULL ? text.LineSpace() : NULL;
  if (space == NULL) return false;
  size_t headerLength = ExportHeaderLength(elapsedForm);
  memcpy(space, ExportHeader(elapsedForm), headerLength);
  text.Took(headerLength);
  RecordStream stream;
  stream.Open();  // a missing time sheet gives the header alone
  for (DWORD count; (count = stream.Next(work->records)) != 0;) {
    for (DWORD i = 0; i < count; ++i) {
      const TimeRecord& record = work->records[i];
      if (!IsRecordExported(record, startLimit, stopLimit)) continue;
      if ((space = text.LineSpace()) == NULL) return false;
      text.Took(BuildExportLine(record, elapsedForm, space, kExportLineSize));
    }
  }
  return true;
}

// A clipboard block of exactly the text and its NUL: whatever a larger block
// held after the NUL would reach every program that reads the clipboard, and
// the clipboard copies the block whole. Unlocked, ready to hand over.
static HGLOBAL ClipboardBlock(const GatheredText& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.Length() + 1);
  char* locked = block != NULL ? static_cast<char*>(GlobalLock(block)) : NULL;
  if (locked == NULL) {
    if (block != NULL) GlobalFree(block);
    return NULL;
  }
  memcpy(locked, text.Data(), text.Length());
  locked[text.Length()] = '\0';
  GlobalUnlock(block);
  return block;
}

// True once the clipboard owns the block.
static bool HandOver(HWND owner, HGLOBAL block) {
  if (!OpenClipboard(owner)) return false;  // another program holds it
  bool placed = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != NULL;
  CloseClipboard();
  return placed;
}

void ExportToClipboard(HWND owner, int64_t startLimit, int64_t stopLimit, int elapsedForm) {
  GatheredText text;
  HGLOBAL block = GatherClipboardText(text, startLimit, stopLimit, elapsedForm)
                      ? ClipboardBlock(text)
                      : NULL;
  // Closing quietly would let the user paste old text as if it were the export.
  if (block == NULL || !HandOver(owner, block)) {
    if (block != NULL) GlobalFree(block);
    ShowError("Unable To Copy To Clipboard");
  }
}
