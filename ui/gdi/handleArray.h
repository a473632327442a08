// Pen and brush holders of the preview's painter, and the release of their
// arrays. A holder owns its handle and deletes it when it is destroyed.
#pragma once

#include "platform/win/GdiHandles.h"
#include "ui/gdi/ArrayRelease.h"

namespace GDI {

struct penHolder {
  penHolder() = default;
  penHolder(int style, int width, COLORREF colour)
      : pen(CreatePen(style, width, colour)), style(style), width(width), colour(colour) {}
  penHolder(const penHolder&) = delete;
  penHolder& operator=(const penHolder&) = delete;
  ~penHolder() {
    if (pen) DeleteObject(pen);
  }

  HPEN pen = nullptr;
  int style = PS_SOLID;
  int width = 1;
  COLORREF colour = 0;
};

struct brushHolder {
  brushHolder() = default;
  explicit brushHolder(COLORREF colour) : brush(CreateSolidBrush(colour)), colour(colour) {}
  brushHolder(const brushHolder&) = delete;
  brushHolder& operator=(const brushHolder&) = delete;
  ~brushHolder() {
    if (brush) DeleteObject(brush);
  }

  HBRUSH brush = nullptr;
  COLORREF colour = 0;
};

struct handleArray {
  // Frees every pen holder with its pen (null entries skipped), then
  // empties the array.
  template <typename Array>
  static void release(Array& pens) {
    detail::deleteAllAndEmpty(pens);
  }
  // The same for an array of brush holders.
  template <typename Array>
  static void release2(Array& brushes) {
    detail::deleteAllAndEmpty(brushes);
  }
};

}  // namespace GDI
