// A global allocator that fails on request, for tests of running out of
// memory. A test program that links failing_allocator.cpp has its
// operator new and delete replaced: the program itself and every library
// it loads (libvexal, libvexalcheck, the runtime) allocate through it.
// Link it into a test binary of its own, since it replaces the allocator
// of the whole program.

#ifndef VEXAL_TESTS_SUPPORT_FAILING_ALLOCATOR_H_
#define VEXAL_TESTS_SUPPORT_FAILING_ALLOCATOR_H_

namespace vexal::test {

// From now on, `budget` more allocations succeed and the next one throws
// std::bad_alloc; -1 lets every allocation succeed again. Thread-safe.
void setAllocationBudget(long budget);

// The allocations made and not yet freed: equal before and after a run
// that leaks nothing.
long liveAllocations();

}  // namespace vexal::test

#endif  // VEXAL_TESTS_SUPPORT_FAILING_ALLOCATOR_H_
