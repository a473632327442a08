// Removing entries from the shared library's plain growable array. The
// array keeps no operation that shortens it, so these build the shorter
// array and swap it in: an array either changes completely or, when memory
// is out, not at all. Removed entries are only dropped, never deleted.
#pragma once

#include "geometry/hvArray.h"

#include <cstdint>

// Keeps the entries for which keep(entry) is true, in their order (keep is
// asked twice per entry and must answer the same). False, with the array
// unchanged, when the new block cannot be made.
template <typename T, typename Allocator, typename Keep>
bool hvArrayKeepIf(hvArray<T, Allocator>& array, Keep&& keep) {
  std::int32_t kept = 0;
  for (const T& entry : array)
    if (keep(entry)) ++kept;
  if (kept == array.count()) return true;
  hvArray<T, Allocator> shorter(kept, array.growBy());
  if (kept > 0 && shorter.capacity() < kept) return false;
  for (const T& entry : array)
    if (keep(entry)) shorter.append(entry);
  array.swap(shorter);
  return true;
}

// Removes the entry at index (0..count-1). False for another index or when
// memory is out (the array is then unchanged).
template <typename T, typename Allocator>
bool hvArrayRemoveAt(hvArray<T, Allocator>& array, std::int32_t index) {
  if (index < 0 || index >= array.count()) return false;
  hvArray<T, Allocator> shorter(array.count() - 1, array.growBy());
  if (array.count() > 1 && shorter.capacity() < array.count() - 1) return false;
  for (std::int32_t i = 0; i < array.count(); ++i)
    if (i != index) shorter.append(array[i]);
  array.swap(shorter);
  return true;
}

// Keeps the first n entries. False, with the array unchanged, when memory
// is out.
template <typename T, typename Allocator>
bool hvArrayTruncate(hvArray<T, Allocator>& array, std::int32_t n) {
  if (n < 0) n = 0;
  if (n >= array.count()) return true;
  hvArray<T, Allocator> shorter(n, array.growBy());
  if (n > 0 && shorter.capacity() < n) return false;
  shorter.append(array.data(), n);
  array.swap(shorter);
  return true;
}
