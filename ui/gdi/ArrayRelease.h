// What the preview's release operations need of an array of owning
// pointers, whichever array keeps them: std::vector (size, clear), the
// geometry library's arrays and the shared library's hvArray (length,
// removeAll). Every element is deleted, null entries skipped, and the array
// is left empty.
#pragma once

#include <utility>

namespace GDI::detail {

template <typename Array>
void emptyArray(Array& array) {
  if constexpr (requires { array.clear(); })
    array.clear();
  else
    array.removeAll();
}

template <typename Array>
void deleteAllAndEmpty(Array& array) {
  for (auto& element : array) delete std::exchange(element, nullptr);
  emptyArray(array);
}

}  // namespace GDI::detail
