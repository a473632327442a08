// Closed curves as the boundaries of regions: how a curve lies towards the
// region of a closed curve, and the union, intersection and differences of
// the regions of two closed curves.
//
// Tolerances: classifyCurveRelation intersects with the calling thread's
// XtGeContext::gTol and places its samples with workTol (classifyPointInCurve).
// combineClosedCurves works in workTol throughout: it sets the calling
// thread's gTol to workTol for its duration and restores it on every way
// out. gTol is per thread, so both may run on several threads at once on
// curves that no thread changes meanwhile.
//
// Ownership: inputs are only read; result curves are new curves owned by
// the result list (entries already there stay). Nothing throws.
#pragma once

#include "geometry/curveClassification.h"
#include "geometry/curveList.h"

// Relation codes of a curve to the region of a closed curve (beside the
// position codes of curveClassification.h: 1, 2 and 4 mean the same).
inline constexpr int kRelationOutside = 1;          // outside, not touching
inline constexpr int kRelationInside = 2;           // inside, not touching
inline constexpr int kRelationOn = 4;               // on the boundary only
inline constexpr int kRelationOutsideTouching = 5;  // outside, touching the boundary
inline constexpr int kRelationInsideTouching = 6;   // inside, touching the boundary
inline constexpr int kRelationCrossing = 8;         // partly inside, partly outside

// The relation of the curve (open or closed, simple or composite) to the
// region of the closed curve. A composite is classified piece by piece and
// the findings merged (the first crossing piece decides 8). A simple piece
// is cut where it meets the closed curve (intersection points and the ends
// of stretches along it, which also count as touching) and each stretch
// between cuts, with the curve's end, is classified at its middle. Inside
// and outside give 8; inside only 6 when touching, else 2; outside only 5
// when touching, else 1; neither 4 when touching, else 1. An empty composite
// gives 1; an unbounded piece counts as reaching outside.
int classifyCurveRelation(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve);

// Appends the closed curves that bound a combination of the regions of the
// closed curves A and B. The selectors keep the pieces of A that lie
// outside B (keepA false) or inside it (true), and drop the pieces of B that
// lie outside A (dropB false) or inside it (true):
//
//   keepA  dropB  result
//   false  true   union of A and B
//   true   false  intersection
//   false  false  A minus B
//   true   true   B minus A
//
// Where the boundaries run together, one of them closes the result. A
// region with holes gives its outer curve and one closed curve per hole.
// Result curves are simple: where the result touches itself at a point
// (two regions corner to corner, a hole touching its outline) the curves
// meet there but none passes through it twice. The orientation of a result
// curve is not fixed, except that the curves split apart at such a point
// run counter-clockwise round regions and clockwise round holes. Two equal curves give
// the curve itself for the union and the intersection and nothing for
// either difference. changedFlag (may be null) becomes true when a piece of
// A's boundary was dropped, that is when A does not survive whole. An open
// A or B (workTol) gives nothing.
void combineClosedCurves(const XtGeCurve2d& curveA, const XtGeCurve2d& curveB, curvePtrArray& result,
                         bool keepA, bool* changedFlag, bool dropB);
