// The intersections of two curves: lines, rays, segments, circular and
// elliptical arcs and composites of them (nested too), in any pair.
//
// - Isolated points: where the curves come within tol.equalPoint inside
//   both intervals (touches and end points included). Points closer than
//   that are one point (a crossing through a joint of a composite is
//   reported once). Each point lies on c1; its parameters on both curves are
//   given. Points are ordered by ascending t1, then t2. The seam of a
//   closed curve answers its lower bound.
// - Tangential points: the curves touch there without crossing (a line
//   tangent to an arc, a line touching a polyline at a vertex, two crossings
//   closer than tol.equalPoint). A crossing through a vertex, or at a
//   shallow angle, is not tangential. At the open end of a curve a point is
//   tangential when the unit tangents are parallel within tol.equalVector.
// - Overlaps: coincident stretches (colinear straight pieces, arcs of one
//   circle) longer than tol.equalPoint, as parameter ranges on both curves.
//   Overlaps that continue one another on both curves are one range (not
//   across the seam of a closed curve). No isolated point lies inside an
//   overlap or at its ends, so that along a ray, overlaps plus
//   non-tangential points give the parity of its crossings.
//
// The results are computed when the curves are set; the object keeps no
// reference to the curves.
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/internal/GeCurveIntersect.h"

class XtGeCurveCurveInt2d {
public:
  XtGeCurveCurveInt2d() = default;
  XtGeCurveCurveInt2d(const XtGeCurve2d& curve1, const XtGeCurve2d& curve2,
                      const XtGeTol& tol = XtGeContext::gTol);

  XtGeCurveCurveInt2d& set(const XtGeCurve2d& curve1, const XtGeCurve2d& curve2,
                           const XtGeTol& tol = XtGeContext::gTol);
  XtGeTol tolerance() const { return m_tol; }

  int numIntPoints() const { return static_cast<int>(m_result.points.size()); }
  // The point (on the first curve); a NaN point for a bad index.
  XtGePoint2d intPoint(int i) const;
  // Parameters of point i on both curves; false (unchanged) for a bad index.
  bool getIntParams(int i, double& param1, double& param2) const;
  bool isTangential(int i) const;

  int overlapCount() const { return static_cast<int>(m_result.overlaps.size()); }
  // The stretch on each curve, both ascending (unbounded sides for lines
  // and rays). When the curves run opposite ways along the overlap (see
  // isOverlapReversed), range1's lower bound matches range2's upper bound.
  // False (unchanged) for a bad index.
  bool getOverlapRanges(int i, XtGeInterval& range1, XtGeInterval& range2) const;
  bool isOverlapReversed(int i) const;

private:
  XtGeTol m_tol = XtGeContext::gTol;
  GeKernel::CurveIntersections m_result;
};
