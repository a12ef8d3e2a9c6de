#include "tests/support/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}  // namespace

#if defined(__SANITIZE_ADDRESS__)
const bool mgtest::kCountingAllocations = false;
#else
const bool mgtest::kCountingAllocations = true;

void* operator new(size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#endif

long mgtest::AllocationCount() { return allocations.load(std::memory_order_relaxed); }
