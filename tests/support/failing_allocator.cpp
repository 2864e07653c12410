#include "support/failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations still allowed; -1 while no failure is armed.
std::atomic<long> g_budget{-1};
std::atomic<long> g_live{0};

void* allocate(std::size_t size) {
  long budget = g_budget.load();
  while (budget >= 0) {
    if (budget == 0) throw std::bad_alloc();
    if (g_budget.compare_exchange_weak(budget, budget - 1)) break;
  }
  void* p = std::malloc(size ? size : 1);
  if (p == nullptr) throw std::bad_alloc();
  ++g_live;
  return p;
}

void release(void* p) {
  if (p == nullptr) return;
  --g_live;
  std::free(p);
}

}  // namespace

namespace vexal::test {

void setAllocationBudget(long budget) { g_budget = budget; }
long liveAllocations() { return g_live.load(); }

}  // namespace vexal::test

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
