// Intersection of two simple curves (lines, rays, segments, circular and
// elliptical arcs): the leaf of every curve-curve intersection. Results go
// into a small fixed-capacity record, so no heap is used.
//
// Rules:
// - A point is reported where the curves come within tol.equalPoint inside
//   both intervals, touches and end points included; it lies on c1.
// - Points closer than tol.equalPoint to each other are merged.
// - Points are ordered by ascending t1, then t2.
// - Coincident stretches (colinear linear curves, arcs of the same circle)
//   longer than tol.equalPoint are overlaps, reported as matching parameter
//   ranges; no point is reported inside an overlap or at its ends.
//   Overlap ranges on an unbounded curve may be infinite. On an arc that is
//   a full circle the matching range may wrap across its seam. Coincident
//   ellipse stretches are not detected as overlaps.
// - A point is tangential when the unit tangents of both curves there are
//   parallel within tol.equalVector, or the curves only touch.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeTol.h"

class XtGeCurve2d;

namespace GeKernel {

struct CurveHit {
  XtGePoint2d point;
  double t1 = 0.0;
  double t2 = 0.0;
  bool tangential = false;
};

struct CurveOverlap {
  double t1Start = 0.0;  // range on c1, ascending
  double t1End = 0.0;
  double t2Start = 0.0;  // the parameters on c2 of the same two points
  double t2End = 0.0;
};

struct SimpleIntersection {
  static constexpr int kMaxHits = 8;
  static constexpr int kMaxOverlaps = 2;
  int numHits = 0;
  CurveHit hits[kMaxHits];
  int numOverlaps = 0;
  CurveOverlap overlaps[kMaxOverlaps];
};

// False (out empty) when either curve is not a simple curve; true otherwise,
// also when nothing was found. Non-finite curves give nothing.
bool intersectSimpleCurves(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol,
                           SimpleIntersection& out);

}  // namespace GeKernel
