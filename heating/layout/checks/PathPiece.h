// One simple piece of a laid pipe, a straight piece or a circular arc, with
// the exact geometry the soundness check of a circuit's path needs: points
// and stretches by arc length, boxes, distances between pieces and the
// places where two pieces meet. Plain values; nothing allocates, nothing
// throws.
//
// Arcs are given by their centre, radius, start angle (a world angle from
// +X) and signed sweep (positive counter-clockwise, at most 2 pi in size);
// start and end are kept at hand. Degenerate cases: a piece of zero length
// (a line whose ends coincide, an arc of zero radius or sweep) behaves as
// the point at its start; non-finite coordinates give non-finite lengths
// and distances, which callers test with isFinite().
//
// Threads: values; any thread.
#pragma once

#include "platform/ge/XtGePoint2d.h"

class XtGeCurve2d;

struct PathPiece {
  // Straight from start to end.
  static PathPiece line(const XtGePoint2d& start, const XtGePoint2d& end);
  // The arc about the centre from the start angle through the signed sweep.
  static PathPiece arc(const XtGePoint2d& centre, double radius, double startAngle, double sweep);
  // The piece of a geometry-library line segment or circular arc, in the
  // curve's own direction. False, piece untouched, for any other curve.
  static bool fromCurve(const XtGeCurve2d& curve, PathPiece& piece);

  double length() const;
  // The point at arc length s from the start (s clamped to the piece).
  XtGePoint2d at(double s) const;
  // The stretch between the arc lengths from <= to (clamped to the piece).
  PathPiece part(double from, double to) const;
  // The axis-parallel box grown by `margin` on every side, as x0, y0, x1, y1.
  void box(double margin, double (&b)[4]) const;
  // The least distance from the point to the piece.
  double distanceTo(const XtGePoint2d& p) const;
  bool isFinite() const;
  // Whether the world angle lies within the arc's sweep (tolerance in
  // radians); always false for a straight piece.
  bool spansAngle(double angle, double tol) const;

  XtGePoint2d start, end;
  // An arc's circle, start angle and sweep (a straight piece leaves them 0).
  bool isArc = false;
  XtGePoint2d centre;
  double radius = 0.0, startAngle = 0.0, sweep = 0.0;
};

// The least distance between two pieces: 0 where they meet.
double distanceBetween(const PathPiece& a, const PathPiece& b);

// Where `a` meets `b` (points of `a` within tol of `b`'s curve found as
// crossings or touches): their arc lengths along `a`, into `at`, unsorted.
// Stretches the two share (straight pieces along one line, arcs of one
// circle) give the ends of the shared stretch. A `b` without length meets
// nothing (in a chain of pieces its neighbours answer for its point).
// Answers how many (at most 4).
int meetingsAlong(const PathPiece& a, const PathPiece& b, double tol, double (&at)[4]);
