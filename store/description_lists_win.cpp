#include "store/description_lists.h"

#include <stdlib.h>
#include <string.h>

#include "resources/resource.h"
#include "store/description_text.h"
#include "store/global_block_win.h"
#include "store/paths.h"
#include "store/safe_file_win.h"

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
static unsigned char* ReadWholeFile(HANDLE file, size_t* size) {
  LARGE_INTEGER length;
  if (!GetFileSizeEx(file, &length) || length.QuadPart < 0 || length.QuadPart > 0x7FFFFFFF)
    return NULL;
  DWORD wanted = static_cast<DWORD>(length.QuadPart);
  unsigned char* bytes = static_cast<unsigned char*>(malloc(wanted > 0 ? wanted : 1));
  if (bytes == NULL) return NULL;
  DWORD total = 0;
  DWORD read = 0;
  // A file that shrinks while being read is read as far as it goes.
  while (total < wanted && ReadFile(file, bytes + total, wanted - total, &read, NULL) && read > 0)
    total += read;
  *size = total;
  return bytes;
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

DescriptionFileState LoadDescriptionFile() {
  ReleaseDescriptionLists();
  if (DescriptionsPath[0] == '\0') return kDescriptionFileMissing;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(DescriptionsPath, &found);
  if (search == INVALID_HANDLE_VALUE) return kDescriptionFileMissing;
  FindClose(search);

  HANDLE file = CreateFileA(DescriptionsPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return kDescriptionFileUnreadable;
  size_t size = 0;
  unsigned char* bytes = ReadWholeFile(file, &size);
  CloseHandle(file);
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

void AddDescriptionTexts(HWND control, UINT addMessage, int kind) {
  for (int32_t i = 0; i < DescriptionLists[kind].count; ++i) {
    char text[kDescriptionSize];
    CopyDescription(text, DescriptionAt(kind, i));
    SendMessageA(control, addMessage, 0, reinterpret_cast<LPARAM>(text));
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

int FillMainCombos(HWND window, const DescriptionListsCopy* whenUnreadable) {
  static const int kBoxes[kDescriptionKindCount] = {IDC_MAIN_TASK, IDC_MAIN_PROJECT,
                                                    IDC_MAIN_CLASSIFICATION};
  if (LoadDescriptionLists() == -1 && whenUnreadable != nullptr) RestoreLoadedLists(*whenUnreadable);
  for (int kind = 0; kind < kDescriptionKindCount; ++kind) {
    SendDlgItemMessageA(window, kBoxes[kind], CB_RESETCONTENT, 0, 0);
    AddDescriptionTexts(GetDlgItem(window, kBoxes[kind]), CB_ADDSTRING, kind);
  }
  ReleaseDescriptionLists();
  return 1;
}

// A file that cannot be read, or was read only in part, is never rewritten:
// writing back what was loaded would drop the lists it could not give. The
// rewrite replaces the file in one step, so a failed one (file held open, disk
// full, folder gone) leaves the old lists exactly as they were, and the boxes
// keep what the user typed.
void MergeRecordDescriptions(HWND window, TimeRecord record) {
  if (!MayRewriteFrom(LoadDescriptionFile())) {
    ReleaseDescriptionLists();
    return;
  }
  DescriptionListView views[kDescriptionKindCount];
  LoadedViews(views);
  DescriptionMerge merge;
  PlanDescriptionMerge(views, record, merge);
  bool written = MergeAddsAny(merge) &&
                 ReplaceFileWithBuilt(DescriptionsPath, MergedFileSize(merge),
                                      [&merge](unsigned char* out) { BuildMergedFile(merge, out); });
  ReleaseDescriptionLists();
  if (written) FillMainCombos(window);
}
