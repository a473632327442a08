// Three offset points that the spiral layout carries together.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include <array>

struct COffsetPointTriple {
  // Three empty points.
  COffsetPointTriple() = default;
  // Copies of the points with their links.
  COffsetPointTriple(const COffsetPoint& p1, const COffsetPoint& p2, const COffsetPoint& p3) : points{p1, p2, p3} {}

  std::array<COffsetPoint, 3> points;
};
