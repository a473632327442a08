// The extents of an entity in world coordinates of the plan, for window
// selection. Lines, arcs, circles, polylines with bulges, ellipses and block
// references are bounded closely, a dimension by its defining points and its
// block; other kinds by their defining points. Construction lines and rays
// reach infinity, and so does anything whose measure is not finite (a
// coordinate or radius past the double range): such extents are unbounded
// and inside no window.
#pragma once

#include <optional>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

struct Extents2d {
  double minX = 0.0;
  double minY = 0.0;
  double maxX = 0.0;
  double maxY = 0.0;
  bool empty = true;
  bool bounded = true;  // false: the entity reaches infinity

  // A point that is not finite makes the extents unbounded.
  void add(double x, double y);
  void add(const Extents2d& other);
  bool inside(const Point3& low, const Point3& high) const {
    return bounded && !empty && minX >= low.x && minY >= low.y && maxX <= high.x && maxY <= high.y;
  }
};

// Nothing for an entity without points (and bounded). Block references nested deeper than
// eight levels count their insertion point only.
std::optional<Extents2d> entityExtents(const Drawing& drawing, RecordId id);

}  // namespace cadhost
