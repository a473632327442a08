// Small tests on loop points, curves and numbers that the spiral's path
// steps share: whether loop points lie on one common section, whether a
// straight line meets a loop against a walking direction, whether a curve is
// the longest of a loop, whether a number is not finite, and the search of a
// pointer in a list from a given position.
//
// Tolerances: each test names the one it uses; `tol` is the caller's.
// Threads: no state; loops and curves are only read.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include <cmath>
#include <cstddef>
#include <vector>

class CFloorHeatingCurve;
class COffsetLoop;

// True when some link of the first point is a link of every other point;
// true for an empty list and for a single point.
bool indexListsShareItems(const std::vector<COffsetPoint>& points);

// True for NaN, +infinity and -infinity.
inline bool isNotFinite(double x) { return !std::isfinite(x); }

// Whether the straight line meets the loop against the walking direction
// (true: with the section order). The line's meetings with the loop
// (COffsetLoop::intersectionPoints, tol) are listed: false when there are
// none or they all share one section (indexListsShareItems). Otherwise true
// when, for some meeting not at the line's start (tol), the shorter way
// round from the line's start to it (CLoop::isForwardShorter, tol) is not
// the direction asked. A line that starts off the loop counts every way as
// forward (isForwardShorter answers true), so it is then refused only when
// the direction is backward.
bool lineMeetsLoopAgainstDirection(const CFloorHeatingCurve& line, const COffsetLoop& loop, bool forward,
                                   const XtGeTol& tol);

// True when no element's curve of the list is longer than the curve by more
// than workTol's point value (CFloorHeatingCurve::length); true for an
// empty list. Elements without a curve are passed over.
bool isLongestCurve(const CFloorHeatingCurve& curve, const std::vector<CLoopElement*>& elements);

// The first position at or after `start` whose element is the pointer,
// written into `index`; false, nothing written, when there is none (also for
// a negative start).
template <typename T>
bool findPointerFromIndex(const std::vector<T*>& items, const T* pointer, int& index, int start) {
  if (start < 0) return false;
  for (std::size_t i = static_cast<std::size_t>(start); i < items.size(); ++i) {
    if (items[i] == pointer) {
      index = static_cast<int>(i);
      return true;
    }
  }
  return false;
}
