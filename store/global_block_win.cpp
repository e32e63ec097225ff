#include "store/global_block_win.h"

void* LockNewBlock(SIZE_T size, HGLOBAL* block) {
  *block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  void* data = *block != NULL ? GlobalLock(*block) : NULL;
  if (data == NULL && *block != NULL) {
    GlobalFree(*block);
    *block = NULL;
  }
  return data;
}

void FreeLockedBlock(HGLOBAL* block) {
  if (*block == NULL) return;
  GlobalUnlock(*block);
  GlobalFree(*block);
  *block = NULL;
}
