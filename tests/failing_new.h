// Allocation failure on demand: the test program's operator new throws
// std::bad_alloc after `allowed` more allocations, until told to stop.
#pragma once
void FailAllocationsAfter(long allowed);
void StopFailingAllocations();
