// Release of arrays of owned objects: objects deleted through their virtual
// destructors (ptrArray) and curve records with their point storage
// (curveArray). Null entries are skipped; the array is left empty.
#pragma once

#include "ui/gdi/ArrayRelease.h"

struct ptrArray {
  template <typename Array>
  static void releaseAll(Array& objects) {
    GDI::detail::deleteAllAndEmpty(objects);
  }
};

struct curveArray {
  template <typename Array>
  static void releaseAll(Array& records) {
    GDI::detail::deleteAllAndEmpty(records);
  }
};
