// Cutting a heating curve into straight chords of a given length, as the
// working loop of a zone boundary replaces its arcs for the pipe layout.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

// The most chords one curve is cut into; a longer cut is refused.
inline constexpr int kMaxSplitPieces = 100000;

// New lines (no source, the curve's tag) from the curve's start through the
// points at lengths step, 2 × step, ... to its end. A rest shorter than half
// a step (within workTolFine) is not left over: the last chord then runs
// from the last full step to the end, so with a step of 400 a curve of 1000
// gives 400, 400, 200 and one of 900 gives 400, 500. The last chord ends
// exactly at the curve's end point. Lengths use the whole parameter interval
// (workTolFine). `pieces` is emptied first; false, no pieces, for a step that
// is not positive, a curve without length or without a bounded interval,
// and for more than kMaxSplitPieces chords.
bool splitCurveByLength(const CFloorHeatingCurve& curve, CFloorHeatingCurve::PtrVector& pieces, double step);

// The length along an arc of the radius whose chord lies the sagitta from
// it (the arc of 2 acos(1 - sagitta / radius)); the half circle's length
// for a sagitta of the radius or more, 0 for a radius or sagitta not above 0.
double arcStepForSagitta(double radius, double sagitta);
