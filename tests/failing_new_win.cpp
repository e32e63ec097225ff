// The test program's operator new: malloc, or std::bad_alloc on demand.
// Named _win so that the sanitizer build keeps its own.
#include <stdlib.h>

#include <new>

#include "tests/failing_new.h"

static long AllowedAllocations = -1;  // -1: never fail

void FailAllocationsAfter(long allowed) { AllowedAllocations = allowed; }

void StopFailingAllocations() { AllowedAllocations = -1; }

void* operator new(size_t size) {
  if (AllowedAllocations == 0) throw std::bad_alloc();
  if (AllowedAllocations > 0) --AllowedAllocations;
  void* block = malloc(size != 0 ? size : 1);
  if (block == NULL) throw std::bad_alloc();
  return block;
}

void operator delete(void* block) noexcept { free(block); }

void operator delete(void* block, size_t) noexcept { free(block); }
