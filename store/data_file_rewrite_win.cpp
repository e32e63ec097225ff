#include "store/data_file_rewrite.h"

#include "store/undo_hook_win.h"

// Every change the user can take back is recorded on its way to the disk.
static const PlaceHook kUndoHistory = {BeforeFileReplaced, AfterFileReplaced};

RewriteResult RewriteDataFile(const char* path, const DataFileRead& plannedFrom,
                              const FilePiece* pieces, size_t count) {
  if (plannedFrom.state == kDataFileUnreadable)
    return RewriteResult{false, plannedFrom.error != 0 ? plannedFrom.error : ERROR_READ_FAULT};
  bool replace = plannedFrom.state == kDataFileRead;
  if (PlaceFileContents(path, pieces, count, replace, &kUndoHistory)) return RewriteResult{true, 0};
  return RewriteResult{false, GetLastError()};
}
