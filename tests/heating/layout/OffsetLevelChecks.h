// Invariants of offset levels, shared by the layout tests: every loop closed,
// simple and counter-clockwise, lying inside a loop of the level before, at
// its level's distance from the boundary and nowhere nearer.
#pragma once

#include "heating/layout/offsets/COffsetBuilder.h"

#include "geometry/Tolerances.h"

#include "ZoneFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <sstream>

namespace level_check {

// Distances within this many millimetres; curves of arcs (cut into chords
// by the builder) may lie this much farther.
inline constexpr double kEpsilon = 0.01;
inline constexpr double kArcEpsilon = 1.0;

inline testing::AssertionResult isClosedSimpleCounterClockwise(const CLoop& loop) {
  const int n = loop.elementCount();
  if (n < 3) return testing::AssertionFailure() << n << " sections";
  double twiceArea = 0.0;
  const XtGePoint2d origin = loop.elements[0]->startPoint();
  for (int i = 0; i < n; ++i) {
    const CLoopElement& e = *loop.elements[i];
    if (!e.endPoint().isEqualTo(loop.elements[loop.nextIndex(i)]->startPoint(), workTol))
      return testing::AssertionFailure() << "open after section " << i;
    twiceArea += (e.startPoint() - origin).crossProduct(e.endPoint() - origin);
  }
  if (!(twiceArea > 0.0)) return testing::AssertionFailure() << "not counter-clockwise: " << 0.5 * twiceArea;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours across the start
      if (loop.elements[i]->curve->geCurve().distanceTo(loop.elements[j]->curve->geCurve()) <= 1e-6)
        return testing::AssertionFailure() << "sections " << i << " and " << j << " meet";
    }
  }
  return testing::AssertionSuccess();
}

inline testing::AssertionResult liesInsideLevel(const CLoop& loop, const std::vector<COffsetLoop*>& level) {
  for (const COffsetLoop* outer : level) {
    bool all = true;
    for (const CLoopElement* e : loop.elements)
      all = all && outer->classifyPoint(e->startPoint(), workTolFine) == CLoop::kInside;
    if (all) return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "no loop of the level before holds it";
}

// No vertex nearer to boundary curve i than distances[i] - eps, and the
// least distance to the boundary (less each curve's distance) within eps of
// 0; eps grows by kArcEpsilon for arcs.
inline testing::AssertionResult keepsDistances(const CLoop& loop, const std::vector<CFloorHeatingCurve*>& boundary,
                                               const std::vector<double>& distances) {
  double least = std::numeric_limits<double>::infinity();
  double leastEps = kEpsilon;
  for (std::size_t i = 0; i < boundary.size(); ++i) {
    const XtGeCurve2d& side = boundary[i]->geCurve();
    const double eps = kEpsilon + (boundary[i]->kind() == CFloorHeatingCurve::kArc ? kArcEpsilon : 0.0);
    for (const CLoopElement* e : loop.elements) {
      const double vertex = side.distanceTo(e->startPoint());
      if (vertex < distances[i] - eps)
        return testing::AssertionFailure() << "vertex (" << e->startPoint().x << ", " << e->startPoint().y
                                           << ") is " << vertex << " from curve " << i << ", not "
                                           << distances[i];
      const double gap = e->curve->geCurve().distanceTo(side) - distances[i];
      if (gap < least) {
        least = gap;
        leastEps = eps;
      }
    }
  }
  if (std::fabs(least) > leastEps)
    return testing::AssertionFailure() << "least distance off its level's by " << least;
  return testing::AssertionSuccess();
}

// Every invariant of every level the builder made for the zone.
inline testing::AssertionResult checkLevels(const zone_fixture::Zone& zone, const COffsetBuilder& builder,
                                            const std::vector<COffsetBuilder::Level*>& levels) {
  const std::vector<CFloorHeatingCurve*> boundary = zone.raw();
  for (std::size_t k = 0; k < levels.size(); ++k) {
    std::vector<double> distances;
    for (std::size_t i = 0; i < boundary.size(); ++i)
      distances.push_back(builder.levelDistance(static_cast<int>(i), static_cast<int>(k)));
    if (levels[k]->empty()) return testing::AssertionFailure() << "level " << k << " is empty";
    for (std::size_t l = 0; l < levels[k]->size(); ++l) {
      const COffsetLoop& loop = *(*levels[k])[l];
      testing::AssertionResult result = isClosedSimpleCounterClockwise(loop);
      if (result && k > 0) result = liesInsideLevel(loop, *levels[k - 1]);
      if (result) result = keepsDistances(loop, boundary, distances);
      if (!result) return result << " (" << zone.name << ", level " << k << ", loop " << l << ")";
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace level_check
