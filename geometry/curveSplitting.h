// Cutting curves where other curves meet them.
//
// Tolerances: splitCurveAtCurve and intersectAndSplitPair decide every
// same-point, point-on-curve and too-short question with workTol;
// intersectAndSplitPair finds its two crossings with the calling thread's
// XtGeContext::gTol (as does the clipping of splitCurvesAtIntersections).
// Parameter intervals use the interval tolerance 1e-12.
//
// Ownership: inputs are only read. Every piece or chain appended to an
// output list is a new curve owned by that list; entries already in the
// list stay. Nothing throws; nothing keeps state, so different curves may be
// cut on several threads at once.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"

#include <memory>
#include <vector>

// ---- Cutting at parameters -------------------------------------------------

// The part of the curve between the parameters t0 < t1 of its own interval:
// a restricted copy of a bounded curve. For a line or a ray (whose sides may
// be infinite): the segment between two finite parameters, the ray from
// P(t0) onward when t1 is +infinity, and the ray reaching P(t1) from
// infinity (a reversed ray, based at P(t1)) when t0 is -infinity; both
// infinite gives a copy. Null when the part cannot be made (an empty
// range, a non-finite point, a curve of another unbounded kind).
std::unique_ptr<XtGeCurve2d> curvePartBetween(const XtGeCurve2d& curve, double t0, double t1);

// Appends the parts of the curve between its interval's ends and the cut
// parameters (sorted here), in order from the start. A cut is skipped when
// the curve from the previous kept cut (or the start) or to the end is not
// longer than minLength, so no part of no length is made and cuts closer
// than minLength count once; cuts outside the interval or not finite are
// skipped. Unbounded ends never count as short. True when the curve was cut
// and all its parts appended; false, nothing appended, when no cut remains
// or a part cannot be made.
bool appendCurvePartsAt(const XtGeCurve2d& curve, std::vector<double>& cuts, double minLength,
                        curvePtrArray& parts);

// Appends the cut parameters on the first curve of an intersection: the
// parameter of every intersection point and the bounded ends of every
// stretch the curves share (the intersector reports no point there).
void appendIntersectionParams(const XtGeCurveCurveInt2d& hits, std::vector<double>& params);

// ---- Cutting at another curve ----------------------------------------------

// Appends to pieces the simple pieces of curve (composites walked piece by
// piece, nested ones too) cut wherever cutter touches, crosses or runs along
// them: at the intersection points, at both ends of every stretch where the
// cutter runs along the curve, and at every end point of the cutter's simple
// pieces that lies on the curve. Pieces run in order from the curve's start;
// a piece is never cut within workTol of its ends, so hits closer than
// workTol cut once and no piece of no length is made. A piece of length
// exactly 0 comes back as a copy. Lines and rays are cut by hand: a line at
// its first hit gives a reversed ray up to the hit, then segments, then a
// ray onward; a ray gives segments and a ray.
void splitCurveAtCurve(const XtGeCurve2d& curve, const XtGeCurve2d& cutter, curvePtrArray& pieces);

// Cuts the closed curve into two closed chains along the open curve, which
// must cross it at exactly two distinct points P1 and P2 (the first two
// along the open curve, XtGeContext::gTol) and join them by its own pieces.
// Answers 1 and appends the two chains (first the side that does not follow
// the closed curve's run from P1 to P2, then the side that does), or 0 with
// nothing appended: fewer or more than two distinct crossings, a stretch
// along the closed curve, an open curve that is closed or a closed curve
// that is open (workTol), no path of pieces from P1 to P2, or a side that
// does not make one closed chain.
int intersectAndSplitPair(const XtGeCurve2d& openCurve, const XtGeCurve2d& closedCurve,
                          curvePtrArray& out);

// With cutOnlyFirst: appends the parts of curve that lie inside the closed
// frame or along it, unchained (clipCurveToFrame; lines and rays become the
// segments that the frame holds). Without it: appends the closed curves that
// bound the common region of the closed curve and the frame (the
// intersection of combineClosedCurves); an open curve gives nothing.
void splitCurvesAtIntersections(const XtGeCurve2d& curve, const XtGeCurve2d& frame, curvePtrArray& out,
                                bool cutOnlyFirst);
