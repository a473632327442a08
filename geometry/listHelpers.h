// Small helpers over the shared library's arrays that its callers lean on:
// the element count behind a shared holder, an index stored with -1 for
// none, and an array split into one-element arrays.
//
// No locking: the caller owns the arrays (a shared holder is counted by
// whoever holds it, on that holder's thread).
#pragma once

#include "geometry/hvArray.h"
#include "geometry/hvSharedBlock.h"

#include <cstdint>
#include <memory>
#include <new>

struct sharedArray {
  // The element count of the array a shared holder keeps; 0 when there is
  // no holder.
  template <typename Array>
  static std::int32_t count(const hvSharedBlock<Array>* holder) {
    return holder != nullptr ? holder->arrays().count() : 0;
  }
};

// Stores the index into the record's `index` field; every negative index is
// stored as -1, the one value meaning "none".
template <typename Record>
void setIndexOrNone(Record& record, std::int32_t index) {
  record.index = index < 0 ? -1 : index;
}

// Moves every entry of `source`, last first, into `target` as a new
// one-element array that `target` then owns, and empties `source`. All or
// nothing: false, with both arrays unchanged, when memory is out.
template <typename T>
bool moveEntriesToArrays(hvArray<T>& source, hvArray<hvArray<T>*>& target) {
  const std::int32_t n = source.count();
  if (n == 0) return true;
  if (target.capacity() - target.count() < n && !target.setCapacity(target.count() + n)) return false;
  hvArray<hvArray<T>*> made(n);
  if (made.capacity() < n) return false;
  for (std::int32_t i = n - 1; i >= 0; --i) {
    auto single = std::unique_ptr<hvArray<T>>(new (std::nothrow) hvArray<T>(1));
    if (!single || single->append(source[i]) < 0) {
      for (hvArray<T>* done : made) delete done;
      return false;
    }
    made.append(single.release());  // within the capacity made above
  }
  target.append(made);  // within the capacity made above
  source.removeAll();
  return true;
}
