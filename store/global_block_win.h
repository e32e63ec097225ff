// The movable, zero-filled, locked memory blocks the loaded files live in.
#pragma once
#include <windows.h>

// A zero-filled block of `size` bytes, locked; NULL (nothing held) when it
// cannot be had.
void* LockNewBlock(SIZE_T size, HGLOBAL* block);
// Unlocks and frees a block held by LockNewBlock; NULL is harmless. The
// handle is NULL afterwards.
void FreeLockedBlock(HGLOBAL* block);
