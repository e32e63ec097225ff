#include "store/description_lists.h"

#include <stdlib.h>
#include <string.h>

#include "store/data_file_rewrite.h"
#include "store/global_block_win.h"
#include "store/paths.h"

DescriptionList DescriptionLists[kDescriptionKindCount] = {
    {0, NULL, NULL}, {0, NULL, NULL}, {0, NULL, NULL}};

void ReleaseDescriptionLists() {
  for (int kind = kDescriptionKindCount - 1; kind >= 0; --kind) {
    DescriptionList& list = DescriptionLists[kind];
    FreeLockedBlock(&list.block);
    list.texts = NULL;
    list.count = -1;
  }
}

// The whole file in one buffer; NULL when it cannot be read. A file too big to
// hold in memory is taken as unreadable rather than half read.
static unsigned char* ReadWholeFile(DataFileReader& reader, size_t* size, DataFileRead* read) {
  if (reader.Size() > 0x7FFFFFFF) {
    *read = DataFileRead{kDataFileUnreadable, ERROR_FILE_TOO_LARGE};
    return NULL;
  }
  size_t wanted = static_cast<size_t>(reader.Size());
  unsigned char* bytes = static_cast<unsigned char*>(malloc(wanted > 0 ? wanted : 1));
  if (bytes == NULL) {
    *read = DataFileRead{kDataFileUnreadable, ERROR_NOT_ENOUGH_MEMORY};
    return NULL;
  }
  // A file that shrinks while being read is read as far as it goes.
  *size = reader.Read(bytes, wanted);
  *read = reader.Outcome();
  if (read->state == kDataFileRead) return bytes;
  free(bytes);
  return NULL;
}

// Fills one list from its place in the file. The block is count x 64 bytes,
// zero-filled, so texts the file lacks read as empty; its size was bounded by
// LocateDescriptionSections. False when the block cannot be had.
static bool LoadList(DescriptionList& list, const DescriptionSection& section,
                     const unsigned char* bytes) {
  list.count = section.count;
  if (section.count <= 0) return true;
  SIZE_T size = static_cast<SIZE_T>(section.count) * kDescriptionSize;
  HGLOBAL block = NULL;
  char* texts = static_cast<char*>(LockNewBlock(size, &block));
  if (texts == NULL) {
    list.count = -1;
    return false;
  }
  memcpy(texts, bytes + section.offset, section.storedBytes);
  list.block = block;
  list.texts = texts;
  return true;
}

// What the latest load found, for the rewrites planned from it.
static DataFileRead LastRead = {kDataFileMissing, 0};

DataFileRead LastDescriptionsRead() { return LastRead; }

DescriptionFileState LoadDescriptionFile() {
  ReleaseDescriptionLists();
  DataFileReader reader;
  LastRead = reader.Open(DescriptionsPath, kShareForReading);
  if (LastRead.state == kDataFileMissing) return kDescriptionFileMissing;
  if (LastRead.state == kDataFileUnreadable) return kDescriptionFileUnreadable;
  size_t size = 0;
  unsigned char* bytes = ReadWholeFile(reader, &size, &LastRead);
  if (bytes == NULL) return kDescriptionFileUnreadable;

  DescriptionSection sections[kDescriptionKindCount];
  bool whole = LocateDescriptionSections(bytes, size, sections);
  bool loaded = true;
  for (int kind = 0; kind < kDescriptionKindCount && loaded; ++kind)
    loaded = LoadList(DescriptionLists[kind], sections[kind], bytes);
  free(bytes);
  // Lists only partly in memory must look unreadable, or a rewrite would drop
  // the rest of the file.
  if (!loaded) {
    ReleaseDescriptionLists();
    LastRead = DataFileRead{kDataFileUnreadable, ERROR_NOT_ENOUGH_MEMORY};
    return kDescriptionFileUnreadable;
  }
  return whole ? kDescriptionFileWhole : kDescriptionFileDamaged;
}

int LoadDescriptionLists() {
  switch (LoadDescriptionFile()) {
    case kDescriptionFileMissing:
      return 0;
    case kDescriptionFileUnreadable:
      return -1;
    default:
      return 1;
  }
}

void CopyLoadedLists(DescriptionListsCopy& copy) {
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    const DescriptionList& list = DescriptionLists[kind];
    copy.counts[kind] = list.count;
    copy.texts[kind].assign(list.texts != NULL ? list.texts : "",
                            list.count > 0 ? static_cast<size_t>(list.count) * kDescriptionSize : 0);
  }
}

// A list whose block cannot be had comes back empty, as a list the file
// lacks does.
void RestoreLoadedLists(const DescriptionListsCopy& copy) {
  ReleaseDescriptionLists();
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    DescriptionList& list = DescriptionLists[kind];
    const std::string& texts = copy.texts[kind];
    list.count = copy.counts[kind] > 0 ? -1 : copy.counts[kind];
    if (texts.empty()) continue;
    list.texts = static_cast<char*>(LockNewBlock(texts.size(), &list.block));
    if (list.texts == NULL) continue;
    memcpy(list.texts, texts.data(), texts.size());
    list.count = copy.counts[kind];
  }
}

// A file that cannot be read, or was read only in part, is never rewritten:
// writing back what was loaded would drop the lists it could not give. The
// rewrite replaces the file in one step, so a failed one (file held open, disk
// full, folder gone) leaves the old lists exactly as they were.
bool WriteMergedDescriptions(const TimeRecord& record) {
  DescriptionFileState state = LoadDescriptionFile();
  bool written = false;
  if (MayRewriteFrom(state)) {
    DescriptionListView views[kDescriptionKindCount];
    LoadedViews(views);
    DescriptionMerge merge;
    PlanDescriptionMerge(views, record, merge);
    written = MergeAddsAny(merge) &&
              RewriteDataFileBuilt(DescriptionsPath, LastRead, MergedFileSize(merge),
                                   [&merge](unsigned char* out) { BuildMergedFile(merge, out); })
                  .written;
  }
  ReleaseDescriptionLists();
  return written;
}
