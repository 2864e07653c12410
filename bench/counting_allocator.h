// A global operator new that counts heap allocations, for benchmarks that
// report allocations per operation. Link counting_allocator.cpp into the
// benchmark binary.

#ifndef VEXAL_BENCH_COUNTING_ALLOCATOR_H_
#define VEXAL_BENCH_COUNTING_ALLOCATOR_H_

#include <string>

namespace vexal::bench {

// Allocations made through operator new since the program started.
long allocationCount();

// The CPU model from /proc/cpuinfo, for the benchmark's printed setup.
std::string cpuModel();

}  // namespace vexal::bench

#endif  // VEXAL_BENCH_COUNTING_ALLOCATOR_H_
