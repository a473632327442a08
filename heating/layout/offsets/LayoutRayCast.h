// Facing spans of two sets of curves by ray casting: where a curve of one
// map and a curve of the other face each other with nothing nearer between
// them, both get the stretch marked as a facing span (intervalsA). The
// circuit path uses it to find where two neighbouring zones of a circuit face
// each other across their walls.
//
// The cast samples every curve of both maps along its length every `step`
// and casts the curve's normal ray on side -1 (to the right of the curve's
// direction: outward on a counter-clockwise loop) from each sample against
// every curve of both maps (workTolFine). At a sample of curve C:
// - the nearest hit N among the curves of the map C is not in faces C,
//   unless there is none or a curve of C's own map other than C is hit
//   nearer (a wall between): then the sample marks nothing and breaks the
//   span growing on C;
// - otherwise C marks the stretch from its previous sample to this one, and
//   N the stretch between its previous and this hit when the previous hit
//   came from C's ray as well. Stretches are marked in the parameter order
//   of the marked curve, so a curve facing C the other way round is marked
//   too. Stretches of one curve that continue each other (each starting at
//   the hit the one before ended at) go into intervalsA as one span, when
//   the run breaks or the cast ends: the same set, in far fewer spans.
// Curves are culled by their boxes before the exact intersection.
//
// Step: a step <= 0 (or not a number) becomes 0.01 x the drawing unit factor
// (usableDrawingUnitFactor, never 0); a curve longer than
// kMaxRayCastSamples steps is sampled kMaxRayCastSamples times at an even
// larger step.
//
// Ownership: the maps only point to the interval curves (IntervalCurveMaps.h).
// At its end the cast empties `otherCurves`; the interval curves stay with
// their owner.
//
// Threads: one thread at a time per set of interval curves.
#pragma once

#include "heating/layout/offsets/IntervalCurveMaps.h"

// The most samples taken along one curve.
inline constexpr int kMaxRayCastSamples = 100000;

// What the normal rays found on one interval curve during a cast: the
// interval curve whose ray hit it and where, now (current) and at the sample
// before (previous); null curve for no hit. `distance` is the current hit's
// distance from the ray's start (+infinity for none).
struct RayCastHitRecord {
  CFHIntervalCurve* previousCurve = nullptr;
  CFHIntervalCurve* currentCurve = nullptr;
  XtGePoint2d previousPoint;
  XtGePoint2d currentPoint;
  double distance = 0.0;
};

// Moves the record's current curve and point into the previous ones and
// stores the new curve, point and distance as current.
void loopStepRecordShift(RayCastHitRecord& record, CFHIntervalCurve* curve, const XtGePoint2d& point,
                         double distance);

// Marks the facing spans of the two maps' interval curves (see above), then
// empties `otherCurves`.
void layoutRayCast(const CFHIntervalCurveMap& ownCurves, CFHIntervalCurveMap& otherCurves, double step);
