// Where a point or a curve lies with respect to a closed curve, and a few
// small tests on vectors, composites and point arrays.
//
// Position codes: 1 outside, 2 inside, 4 on the closed curve (for a curve:
// undecided, in practice a curve lying along the closed curve). 3 is never
// answered. Point membership uses workTol; the library's own intersections
// use XtGeContext::gTol. All functions are pure and may run on worker
// threads while the tolerances stay unchanged.
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGePoint2dArray.h"

#include <span>

inline constexpr int kPositionOutside = 1;
inline constexpr int kPositionInside = 2;
inline constexpr int kPositionOn = 4;

// 4 when the point is on the curve (workTol), 1 when it lies outside the
// curve's bound block, else 2 or 1 by the parity of the crossings of a probe
// towards a point beyond the block's maximum corner. A probe touching the
// curve or grazing a vertex does not change the answer. No heap allocation
// for curves of segments and arcs.
int classifyPointInCurve(const XtGePoint2d& point, const XtGeCurve2d& closedCurve);

// The start point, then the end point decide when one of them is not on the
// closed curve; otherwise interior samples vote (five, then six samples, each
// pass counted afresh; three votes of one kind decide). 4 when nothing
// decides.
int classifyCurveInCurve(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve);

// 2 when the point lies on one of the curves (XtGeContext::gTol) or a ray
// from it along +X crosses them an odd number of times, else 1; an empty set
// gives 1. Each bounded curve counts the times it passes from one side of
// the ray to the other, so that edges along the ray and grazed vertices
// count right: a closed curve (workTol) as a whole, an open one as a loose
// piece of a boundary whose ends count by the side of the end point (on
// the ray, or within workTol of it, counts as above), so that two pieces
// meeting on the ray count a crossing there once. An unbounded curve counts
// its non-tangential intersections with the ray (workTol).
int classifyPointInCurveSet(const XtGePoint2d& point, std::span<const XtGeCurve2d* const> curves);

namespace curveSetDetail {
// True when the point lies on the curve; otherwise flips `odd` once for
// each crossing of the +X ray with the curve.
bool pointOnOrCrossings(const XtGePoint2d& point, const XtGeCurve2d& curve, bool& odd);
}  // namespace curveSetDetail

// The same over records (in order) whose curve `curveOf(record)` gives;
// records without a curve are skipped.
template <typename Records, typename CurveOf>
int classifyPointInCurveSet(const XtGePoint2d& point, const Records& records, CurveOf curveOf) {
  bool odd = false;
  for (const auto& record : records) {
    const XtGeCurve2d* curve = curveOf(record);
    if (curve != nullptr && curveSetDetail::pointOnOrCrossings(point, *curve, odd))
      return kPositionInside;
  }
  return odd ? kPositionInside : kPositionOutside;
}

// Whether a ray from the point along +X crosses the curve an odd number of
// times: overlaps plus non-tangential intersections (XtGeContext::gTol).
// An overlap is a crossing only where the curve passes from one side of the
// ray to the other, so a ray that overlaps the curve is rejected for the
// next of +Y, -X and -Y; only when all four overlap, the last one counts.
bool rayCrossingCount(const XtGePoint2d& point, const XtGeCurve2d& curve);

// True when the 2D vectors b and c lie strictly on the same side of a.
bool vectorsOnSameSide(const XtGeVector2d& a, const XtGeVector2d& b, const XtGeVector2d& c);

// True for a composite of three or four pieces, all line segments (whether
// they meet is not tested).
bool hasThreeOrFourSegments(const XtGeCurve2d& curve);

// True and the index of the first point equal to `point` under tol; false
// (index untouched) for an empty array or no match.
bool findPointIndex(const XtGePoint2dArray& points, const XtGePoint2d& point, const XtGeTol& tol,
                    int& index);
