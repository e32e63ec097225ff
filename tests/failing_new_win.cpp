// Named _win so that the sanitizer build keeps its own operator new.
#include <stdlib.h>

#include <new>

#include "tests/failing_new.h"

static long AllowedAllocations = -1;  // never fail
void FailAllocationsAfter(long allowed) { AllowedAllocations = allowed; }
void StopFailingAllocations() { AllowedAllocations = -1; }

void* operator new(size_t size) {
  void* block = AllowedAllocations != 0 ? malloc(size != 0 ? size : 1) : NULL;
  if (block == NULL) throw std::bad_alloc();
  if (AllowedAllocations > 0) --AllowedAllocations;
  return block;
}
void operator delete(void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
