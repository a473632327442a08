// Up to four offset points that the spiral layout carries together (the
// corners of a rung between two loops).
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include <array>

struct COffsetPointQuad {
  // Count 0, four empty points.
  COffsetPointQuad() = default;
  // Count 4; stored in the order p1, p2, p4, p3, so that the four run round
  // the rung.
  COffsetPointQuad(const COffsetPoint& p1, const COffsetPoint& p2, const COffsetPoint& p3, const COffsetPoint& p4)
      : count(4), points{p1, p2, p4, p3} {}
  // Count 2; the other two points empty.
  COffsetPointQuad(const COffsetPoint& p1, const COffsetPoint& p2) : count(2), points{p1, p2, {}, {}} {}

  int count = 0;
  std::array<COffsetPoint, 4> points;
};
