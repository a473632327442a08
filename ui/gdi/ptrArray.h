// Release of arrays of owned objects: objects deleted through their virtual
// destructors (ptrArray) and curve records with their point storage
// (curveArray). Null entries are skipped; the array is left empty.
#pragma once

#include "ui/gdi/ArrayRelease.h"

#include <cstdint>
#include <type_traits>

struct ptrArray {
  template <typename Array>
  static void releaseAll(Array& objects) {
    GDI::detail::deleteAllAndEmpty(objects);
  }

  // Element i of an array of pointers; null when i is negative or past the
  // end.
  template <typename Array>
  static auto get(const Array& objects, std::int64_t i) -> std::remove_cvref_t<decltype(objects[0])> {
    std::int64_t count = 0;
    if constexpr (requires { objects.size(); })
      count = static_cast<std::int64_t>(objects.size());
    else
      count = static_cast<std::int64_t>(objects.count());
    if (i < 0 || i >= count) return nullptr;
    return objects[static_cast<decltype(count)>(i)];
  }
};

struct curveArray {
  template <typename Array>
  static void releaseAll(Array& records) {
    GDI::detail::deleteAllAndEmpty(records);
  }
};
