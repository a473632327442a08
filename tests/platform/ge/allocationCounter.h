// Counts the heap allocations of the calling thread through the global
// operator new, so that tests can check that hot geometry allocates nothing.
#pragma once

#include <cstddef>

namespace allocationCounter {
// Allocations made through operator new on this thread so far.
std::size_t count();
}  // namespace allocationCounter
