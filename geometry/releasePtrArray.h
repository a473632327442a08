// Releasing arrays of owning pointers: every element is deleted through its
// (virtual) destructor, null entries are skipped, and the array is emptied.
// Works with the shared library's arrays (hvArray, hvObjArray), the
// geometry library's arrays and std::vector.
#pragma once

#include "ui/gdi/ptrArray.h"

#include <cstdint>

template <typename Array>
void releasePtrArray(Array& objects) {
  ptrArray::releaseAll(objects);
}

// The same for the array template whose block is reached directly (data,
// capacity, count): hvArray.
template <typename Array>
void releasePtrArray2(Array& objects) {
  ptrArray::releaseAll(objects);
}

// Deletes the elements whose flag is set (a missing flag counts as unset),
// then empties both arrays.
template <typename Array, typename FlagArray>
void releasePtrArrayMasked(Array& objects, FlagArray& flags) {
  std::int32_t i = 0;
  for (auto& element : objects) {
    if (i < static_cast<std::int32_t>(flags.count()) && flags[i] != 0) delete element;
    element = nullptr;
    ++i;
  }
  objects.removeAll();
  flags.removeAll();
}
