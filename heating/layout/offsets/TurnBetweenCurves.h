// The sense of the turn where one curve runs into the next: how the inward
// offset pieces of a counter-clockwise boundary meet at a joint, and how the
// offset graph reads a bend of a path.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

struct COffsetPiece;

// The kinds of a turn.
enum CurveTurn : int {
  kTurnRight = 0,  // the way turns right: inward offset pieces part
  kTurnLeft = 1,   // the way turns left: inward offset pieces overlap
  kTurnNone = 2,   // straight on, or undetermined
};

// The turn from a into b: with t1 the direction in which a leaves its end
// and t2 the direction in which b leaves its start (their prolongations of
// length 1.0), z = t1 x t2; kTurnRight when z < -e, kTurnLeft when z > e,
// else kTurnNone, e = fixedTolFine's point value. kTurnNone when either curve
// is missing or has no prolongation there.
int turnBetweenCurves(const CFloorHeatingCurve* a, const CFloorHeatingCurve* b);

// The turn at the joint between two consecutive offset pieces, judged on
// their source curves (kTurnNone when either is a connecting piece without
// source). `point` receives the joint's point on the boundary: the middle of
// the previous source's end and the next source's start (the middle of the
// two pieces' ends when a source is missing).
int turnBetweenCurves(const COffsetPiece& previous, const COffsetPiece& next, XtGePoint2d& point);
