// Small operations at the ends of curves and on chains of curves, shared by
// the zone boundary, the offset levels and the layouts: points by walked
// length, the directions a curve leaves its ends in, straight prolongations
// beyond its ends, and reversing or testing a chain of bare geometry curves.
//
// Each operation takes a bare geometry curve; the heating-curve forms answer
// for the curve's wrapped geometry. "Linear" curves are the straight ones
// (segment, ray, unbounded line): they answer with their unit direction.
// Other curves answer with their first derivative in their own parameter,
// which is not a unit vector (an arc's is as long as its radius; see the
// extension segments). A derivative counts as missing when the curve cannot
// be evaluated there or the derivative is not finite or not longer than the
// host tolerance's point value (a zero-radius arc).
//
// Tolerances: the calling thread's XtGeContext::gTol ("host tolerance")
// unless said otherwise. Threads: no state; chains are changed in place by
// their one user.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/ge/XtGeCurve2dPtrArray.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

// The curve's point at the parameter reached by walking `length` forward
// from the lower bound of its interval (host tolerance), clamped to the
// interval. An interval unbounded below walks from parameter 0.
XtGePoint2d pointAtLength(const XtGeCurve2d& curve, double length);
inline XtGePoint2d pointAtLength(const CFloorHeatingCurve& curve, double length) {
  return pointAtLength(curve.geCurve(), length);
}

// The middle of two points.
inline XtGePoint2d midPoint2d(const XtGePoint2d& a, const XtGePoint2d& b) {
  return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
}

// The unit direction in which the curve leaves its end: a linear curve's
// unit direction, otherwise the normalised first derivative at the upper
// bound. The X axis when the curve has no upper bound or no derivative there
// (a linear curve without direction included).
XtGeVector2d outwardTangentAtEnd(const XtGeCurve2d& curve);
// The unit direction pointing away from the curve at its start: the negated
// unit direction, or the negated normalised first derivative at the lower
// bound. The X axis when that is not available.
XtGeVector2d outwardTangentAtStart(const XtGeCurve2d& curve);
inline XtGeVector2d outwardTangentAtEnd(const CFloorHeatingCurve& curve) {
  return outwardTangentAtEnd(curve.geCurve());
}
inline XtGeVector2d outwardTangentAtStart(const CFloorHeatingCurve& curve) {
  return outwardTangentAtStart(curve.geCurve());
}

// The straight prolongation beyond the curve's end: from the point at the
// upper bound to that point plus length x the first derivative there (the
// unit direction for a linear curve). The derivative is used as the geometry
// library gives it, so an arc's prolongation is length x radius long; the
// callers' lengths (1.0, 100000.0, multiples of the pipe spacing) are probe
// lengths that only need to reach far enough. False, `segment` untouched,
// when the curve has no upper bound or no derivative there.
bool extensionSegmentAtEnd(const XtGeCurve2d& curve, double length, XtGeLineSeg2d& segment);
// The same at the start: from the point at the lower bound to that point
// minus length x the first derivative there; false without a lower bound.
bool extensionSegmentAtStart(const XtGeCurve2d& curve, double length, XtGeLineSeg2d& segment);
inline bool extensionSegmentAtEnd(const CFloorHeatingCurve& curve, double length, XtGeLineSeg2d& segment) {
  return extensionSegmentAtEnd(curve.geCurve(), length, segment);
}
inline bool extensionSegmentAtStart(const CFloorHeatingCurve& curve, double length, XtGeLineSeg2d& segment) {
  return extensionSegmentAtStart(curve.geCurve(), length, segment);
}

// Runs a chain of curves the other way: every curve reversed (reverseGeCurve:
// an arc keeps its point set) and the order of the array reversed. Null
// entries only change place.
void reverseGeCurveChain(XtGeCurve2dPtrArray& curves);

// True when the first curve's start point equals the last curve's end point
// (workTol). False for an empty chain, a null end curve or an end curve that
// is unbounded there.
bool isChainClosed(const XtGeCurve2dPtrArray& curves);

// Three numbers describing a line, kept for the zone code that reads them.
// They are NOT the coefficients of the line's equation a x + b y + c = 0:
// - a line that does not meet the x axis (parallel to it, or lying on it):
//   a = 0, b = -1, c = the y of its crossing with the y axis;
// - else a line that does not meet the y axis: a = 1, b = 0, c = the x of
//   its crossing with the x axis;
// - otherwise b = -1, c = the y of its crossing with the y axis and
//   a = (p.y x b - c) / p.x, p being the line's point at parameter pi.
// Crossings are taken with workTolFine. False, outputs untouched, when a
// crossing the rule needs does not exist (a line of no direction) or p lies
// on the y axis (a would not be finite).
bool lineCoefficients(const XtGeLine2d& line, double& a, double& b, double& c);
