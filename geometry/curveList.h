// The curve list of the shared geometry: a growable array of owning
// XtGeCurve2d pointers (deleted through their virtual destructor), with,
// where pieces may be borrowed from a composite, a parallel array of 32-bit
// ownership flags (1: the list owns the piece, 0: borrowed).
#pragma once

#include "geometry/hvArray.h"
#include "platform/ge/XtGeCurve2d.h"

#include <cstdint>
#include <memory>

using curvePtrArray = hvArray<XtGeCurve2d*>;
using curveFlagArray = hvArray<std::int32_t>;

inline constexpr std::int32_t kCurveBorrowed = 0;
inline constexpr std::int32_t kCurveOwned = 1;

struct curveList {
  // Joins the curves of the list end to end into chains (curveChainJoin)
  // until none is left and replaces the list by the chains, in the order
  // they were made. Curves that cannot be chained (no end points, or not a
  // line segment or circular arc when linesAndArcsOnly is set) follow
  // unchanged. Answers the number of entries of the new list.
  static int joinAll(curvePtrArray& curves, bool linesAndArcsOnly = false, bool close = false);
};

// Appends the curve to the list, which then owns it; when the list cannot
// grow, the curve is deleted. False for a null curve or a deleted one.
inline bool appendOwnedCurve(curvePtrArray& list, std::unique_ptr<XtGeCurve2d> curve) {
  if (!curve || list.append(curve.get()) < 0) return false;
  curve.release();
  return true;
}

// A curve list that owns every curve it holds and deletes what it still
// holds when it goes: the scratch lists of the curve operations, released
// on every way out.
struct ownedCurveList {
  ownedCurveList() = default;
  ownedCurveList(const ownedCurveList&) = delete;
  ownedCurveList& operator=(const ownedCurveList&) = delete;
  ~ownedCurveList() {
    for (XtGeCurve2d* curve : list) delete curve;
  }
  curvePtrArray list;
};
