// Block allocation of the shared library's own arrays (hvArray, hvObjArray):
// the default allocator and a per-thread hook through which tests make an
// allocation fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

// Asked before every block an hvArray or hvObjArray allocates on this thread;
// answering false makes that allocation fail as if memory were out.
using hvAllocationHook = bool (*)(std::size_t bytes);
inline thread_local hvAllocationHook hvArrayAllocationHook = nullptr;

inline bool hvAllocationAllowed(std::size_t bytes) {
  return hvArrayAllocationHook == nullptr || hvArrayAllocationHook(bytes);
}

// The most elements a block of T may hold: the 32-bit count, and a byte size
// that the allocator can be asked for without overflow.
template <typename T>
constexpr std::int32_t hvMaxArrayElements() {
  constexpr std::size_t byBytes = (std::numeric_limits<std::ptrdiff_t>::max() / 2) / sizeof(T);
  constexpr std::size_t byCount = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(byBytes < byCount ? byBytes : byCount);
}

// Blocks of value-initialised elements made with the array form of new.
template <typename T>
struct hvArrayDefaultAllocator {
  // Null when capacity < 1 or memory is out.
  static T* constructArray(std::int32_t capacity) {
    if (capacity < 1) return nullptr;
    return new (std::nothrow) T[static_cast<std::size_t>(capacity)]();
  }
  static void destructArray(T* block, std::int32_t /*capacity*/) { delete[] block; }
};
