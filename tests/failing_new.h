// Allocation failure on demand, for the windows that must live through it:
// operator new of the test program, replaced.
#pragma once

// After `allowed` more allocations every one throws std::bad_alloc, until
// StopFailingAllocations.
void FailAllocationsAfter(long allowed);
void StopFailingAllocations();
