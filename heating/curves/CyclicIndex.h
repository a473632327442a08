// Neighbourhood of indices in a closed run of n items.
#pragma once

// True when j comes right after i in a cyclic run of n items: j = i + 1, or i
// is the last index and j the first.
constexpr bool isCyclicSuccessor(int i, int j, int n) { return j == i + 1 || (i == n - 1 && j == 0); }
