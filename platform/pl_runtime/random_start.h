// Where the counters that name spans of an object's life start.

#ifndef VEXAL_RUNTIME_RANDOM_START_H_
#define VEXAL_RUNTIME_RANDOM_START_H_

#include <cstdint>

namespace pl::internal {

// A random start for such a counter of `owner`, so that an object made
// where an earlier one stood does not repeat the earlier one's names.
std::uint64_t randomStart(const void* owner);

}  // namespace pl::internal

#endif  // VEXAL_RUNTIME_RANDOM_START_H_
