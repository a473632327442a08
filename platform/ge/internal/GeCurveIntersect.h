// Intersection of any two curves of the library (lines, rays, segments,
// circular and elliptical arcs, composites of them, nested): the engine of
// XtGeCurveCurveInt2d.
//
// The leaf pairs that may meet (box tree of each side) are intersected with
// the simple-curve kernel; then:
// - coincident stretches are overlaps, given on c1 ascending with the
//   parameters on c2 of the same two points; overlaps that continue one
//   another on both curves are joined (not across the seam of a closed
//   curve);
// - points inside an overlap or within tol.equalPoint of its ends are
//   dropped;
// - points within tol.equalPoint of each other are one point (joints,
//   seams); it takes the smallest (t1, t2) of its members, so a seam
//   answers the lower bound;
// - a point is tangential when the curves touch there without crossing.
//   This is decided by looking a little way along both curves to either
//   side of the point, a quarter of the least of: the length to the next
//   joint or bounded end of either curve (a joint at the point itself is
//   looked across), the radius of an arc there, the gap to the next point.
//   So the look sees the two bounded pieces, never their extensions: a crossing
//   through a vertex is not tangential, a touch at a vertex is, and a
//   shallow crossing is a crossing whatever tol.equalVector is. Where that
//   look cannot tell (at the open end of a curve, or within the rounding
//   noise), the unit tangents decide: parallel within tol.equalVector, or
//   the curves only touch.
// Points are ordered by ascending t1, then t2, and lie on c1. Along a ray,
// overlaps plus non-tangential points give the parity of its crossings with
// a closed curve only where the curve passes from one side of the ray to
// the other across each overlap; see XtGeCurveCurveInt2d.
#pragma once

#include "platform/ge/internal/GeSimpleIntersect.h"

#include <vector>

class XtGeCurve2d;

namespace GeKernel {

// Points and overlaps in the records of the simple-curve kernel; overlap
// ranges on lines and rays may have infinite ends.
struct CurveIntersections {
  std::vector<CurveHit> points;
  std::vector<CurveOverlap> overlaps;
};

// Fills out (emptied first). Curves of unknown kinds and non-finite curves
// give nothing.
void intersectCurves(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol,
                     CurveIntersections& out);

}  // namespace GeKernel
