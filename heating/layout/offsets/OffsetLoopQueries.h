// Questions the layouts ask of offset loops: where a curve or a ray meets a
// loop and which meeting point is nearest or farthest (the COffsetLoop
// members, defined in OffsetLoopQueries.cpp), where a loop's corners lie on a
// curve, how far along the loop a point lies, the end points of a section,
// which of two crossing loops is longer, normals and perpendicular feet, and
// the merging of successive codirectional line sections.
//
// Results that are loop points are written as the loop queries write them:
// links cleared first, then point and links assigned; candidates equal under
// the tolerance are one point with several links.
//
// Tolerances: each operation compares points with its `tol` argument; where
// it uses workTol ("heating tolerance") instead this is said. Parameters and
// lengths on curves are taken with workTolFine.
// Threads: no state; loops are only read, except by mergeCollinearSections.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "heating/layout/offsets/COffsetLoop.h"
#include "platform/ge/XtGeInterval.h"
#include "platform/ge/XtGePoint2dArray.h"

// Empties `points`, then appends, section by section, each section's start
// point and each section's end point that lies on the curve (tol); a corner
// met thus comes twice. True when any was appended.
bool loopCornersOnCurve(const COffsetLoop& loop, const CFloorHeatingCurve& curve, XtGePoint2dArray& points,
                        const XtGeTol& tol);

// The length along the loop from the start of its first section to the
// point, taken on the first section (in loop order) whose curve holds it
// (tol; a section's ends count as its points). False, length untouched,
// when no section holds it.
bool loopPositionOfPoint(const COffsetLoop& loop, const XtGePoint2d& point, double& length, const XtGeTol& tol);

// CLoop::classifyPoint against each loop in order: the first answer other
// than kOutside; kOutside for no loops (null loops are passed over).
int classifyPointInLoops(const std::vector<COffsetLoop*>& loops, const XtGePoint2d& point, const XtGeTol& tol);

// The area the loop encloses: that of the polygon through the start of
// every section and, on a section that is not straight, kMeanWidthSamples
// points evenly along it (a half circle so loses under 1 % of its area).
inline constexpr int kMeanWidthSamples = 16;
double loopArea(const CLoop& loop);

// The loop's mean width: its area (loopArea) over half its length (about a
// long strip's width, a disc's radius). 0 for a loop without length.
double loopMeanWidth(const CLoop& loop, const XtGeTol& tol);

// Merges neighbouring sections (the last with the first included) whose
// curves are both lines longer than workTol's point value and run the same
// way (codirectional within equal point 1e-5 u, equal vector 5e-6 u, u the
// usable drawing unit factor): the first line reaches on to the second's
// end and the second section is deleted. Passes repeat while they merge and
// more than one section is left. Loops of fewer than two sections stay.
// Merging the last section with the first moves the loop's start. A line
// shorter than that equal point between two lines that run the same way (a
// sliver the offset of nearly collinear sides leaves) goes first, the line
// before it reaching on to its end; a loop keeps at least three sections.
void mergeCollinearSections(COffsetLoop& loop);

// On the point's outgoing section (walking forward, or backward), the length
// from the point to the section's end (forward) or from its start to the
// point (backward); 0 at that end, without a section and for an unbounded
// curve.
double lengthToSectionEnd(const CLoopPoint& point, bool forward, const XtGeTol& tol);

// The least distance from samples[index] to the samples more than n places
// from it either way round (cyclically), into `distance`. False, distance
// untouched, with fewer than 2n + 2 samples, a negative n or an index out of
// range.
bool nearestFarSample(const std::vector<COffsetPoint>& samples, int index, double& distance, int n);

// At least three sections and the last one ends where the first one starts
// (workTol). Only that joint is checked.
bool isLoopClosed(const COffsetLoop& loop);

// No pointer of the first list occurs in the second.
template <typename T>
bool areDisjoint(const std::vector<T*>& first, const std::vector<T*>& second) {
  return std::none_of(first.begin(), first.end(),
                      [&](const T* p) { return std::find(second.begin(), second.end(), p) != second.end(); });
}

// The point nearest to `point` over the pieces of the curve's geometry
// restricted to each interval (bounded intervals within the curve's own;
// others are passed over), into `result`. False, result untouched, when no
// interval gives a piece.
bool closestPointOnPieces(const CFloorHeatingCurve& curve, const std::vector<XtGeInterval>& intervals,
                          const XtGePoint2d& point, XtGePoint2d& result);

// The end points of a section of the loop in walking order, each linked to
// the section and to the neighbour that meets it there: forward, first is
// the start (also on the previous section) and second the end (also on the
// next); backward the other way round. False, results untouched, when the
// section is not in the loop or has no curve.
bool sectionEndPoints(const COffsetLoop& loop, const COffsetSection* section, bool forward, CLoopPoint& first,
                      CLoopPoint& second);

// When a section of a meets loop b (intersectionPoints, workTol): the longer
// of the two by CLoop::length (a only when strictly longer); none when they
// do not meet, a has no sections or either is null.
COffsetLoop* longerOfCrossingLoops(COffsetLoop* a, COffsetLoop* b);

// The unit normal of the curve at a point on it: the first derivative at the
// point's parameter turned by +pi/2. False, normal untouched, when the curve
// gives no derivative there.
bool curveNormalAt(const CFloorHeatingCurve& curve, const XtGePoint2d& point, XtGeVector2d& normal, const XtGeTol& tol);

// The foot is the closest point of the curve to the point; true when the
// way from the point to the foot is perpendicular to the direction (tol's
// vector value). A foot at the point itself is not perpendicular.
bool isPerpendicularFoot(const CFloorHeatingCurve& curve, const XtGeVector2d& direction, const XtGePoint2d& point,
                         XtGePoint2d& foot, const XtGeTol& tol);

// The curve moved sideways by the distance and met with the loop: the end
// of the curve nearer the loop's length-weighted centre decides the side
// (the side of the curve on which the centre lies as seen from that end;
// `reverse` turns it over), and the nearest intersection of the moved copy
// with the loop, from that end (from the loop's closest point to it when the
// end is off the loop), is the result. False, result untouched, when the
// copy cannot be made or does not meet the loop.
bool shiftedCurveHit(const COffsetLoop& loop, const CFloorHeatingCurve& curve, double distance, bool reverse,
                     CLoopPoint& result, const XtGeTol& tol);
