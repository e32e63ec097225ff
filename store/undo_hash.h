// XXH64 (seed 0) of a file's bytes, fed in pieces: how the undo history
// knows a file again without keeping its bytes.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct UndoHash {
  uint64_t lanes[4];
  uint64_t total;
  unsigned char pending[32];
  size_t pendingSize;
};

void StartUndoHash(UndoHash& hash);
void AddToUndoHash(UndoHash& hash, const void* data, size_t size);
// The hash of everything added so far; more may be added afterwards.
uint64_t UndoHashValue(const UndoHash& hash);
uint64_t UndoHashOf(const void* data, size_t size);
