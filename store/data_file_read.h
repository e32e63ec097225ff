// The one reader of a time sheet's or descriptions file's bytes. The rules
// live here; the open and the reads are the system's (data_file_read_win.cpp,
// and data_file_read_posix.cpp for the native report command).
#pragma once
#include <stddef.h>
#include <stdint.h>

enum DataFileState {
  kDataFileMissing,     // no such file (nor folder): a new sheet starts so
  kDataFileUnreadable,  // there, but it cannot be read; `error` says why
  kDataFileRead,
};

// What a read found. `error` is the system's code (GetLastError, errno) when
// the file cannot be read, 0 otherwise.
struct DataFileRead {
  DataFileState state;
  unsigned long error;
};

// A read that succeeded, for a rewrite whose content does not depend on what
// the file held before (a rebuild that starts from nothing).
constexpr DataFileRead kReplacesWhatever = {kDataFileRead, 0};

enum DataFileSharing {
  kShareForReading,   // the program's own reads: nobody may write meanwhile
  kShareWithLogging,  // a reader beside a running Hourwright, which may go on writing
};

// A time sheet stops below 4 GiB: a larger file is not read at all, rather
// than read modulo 4 GiB and cut by the next rewrite.
bool IsSheetSizeReadable(uint64_t size);

class DataFileReader {
 public:
  DataFileReader() = default;
  ~DataFileReader();
  DataFileReader(const DataFileReader&) = delete;
  DataFileReader& operator=(const DataFileReader&) = delete;

  // Opens `path` for one read from its start. A file of 4 GiB or more is
  // unreadable with the system's "too large" code (IsTooLarge).
  DataFileRead Open(const char* path, DataFileSharing sharing);
  uint64_t Size() const { return size_; }  // as the open found it
  // Up to `room` bytes, fewer only at the end; 0 at the end or after a
  // failed read.
  size_t Read(void* bytes, size_t room);
  // The next whole records, in pieces of `room` bytes (a multiple of 256):
  // the bytes given, always whole records. At the end, a last piece shorter
  // than a record follows them in `bytes` and is counted by Trailing().
  size_t NextRecords(void* bytes, size_t room);
  size_t Trailing() const { return trailing_; }
  // True once the end was reached or a read failed.
  bool AtEnd() const { return atEnd_; }
  // What the open found, or kDataFileUnreadable once a read has failed.
  DataFileRead Outcome() const { return outcome_; }
#ifdef _WIN32
  // The whole opened file mapped for reading, without a copy, until Close:
  // how the undo history compares a sheet before and after a change. NULL
  // when it cannot be mapped or is empty.
  const unsigned char* MapWhole();
#endif
  // Lets go of the file, so that it can be replaced.
  void Close();

 private:
  long ReadSome(void* bytes, size_t room);  // one system read: its count, 0 at the end, -1 failed
  bool Restart(const char* path);  // closed and cleared; false for an empty path (missing)
  DataFileRead Opened(intptr_t handle, uint64_t size);
  DataFileRead Failed(DataFileState state, unsigned long error);

  intptr_t handle_ = -1;  // a HANDLE or a file descriptor; -1 when closed
  void* mapping_ = nullptr;    // with MapWhole: the mapping and its view
  const void* view_ = nullptr;
  uint64_t size_ = 0;
  size_t trailing_ = 0;
  bool atEnd_ = true;
  DataFileRead outcome_ = {kDataFileMissing, 0};
};

// True for the outcome of a file of 4 GiB or more.
bool IsTooLarge(const DataFileRead& read);
