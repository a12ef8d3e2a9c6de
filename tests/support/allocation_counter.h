// Counts C++ allocations of the whole test program, so a test can show that
// a frame allocates nothing. Counting is off under AddressSanitizer, which
// owns the allocation functions there.
#pragma once

#include <atomic>

namespace mgtest {

extern const bool kCountingAllocations;

// Allocations so far through operator new.
long AllocationCount();

}  // namespace mgtest
