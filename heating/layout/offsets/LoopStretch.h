// The part of an offset loop between two loop points, walked one way, and
// the trims that pull its ends back: the polylines on which the spiral's
// four-sided centre join lays its parallel runs.
//
// A stretch lists the loop sections it passes in walking order (its pieces)
// and, per piece, the parameter interval of the section's curve that belongs
// to it. A forward stretch (with the loop's section order) runs over each
// piece from the lower to the upper bound, a backward one from the upper to
// the lower bound; so a piece's "start bound" is its lower bound forward and
// its upper bound backward. A piece whose interval is not longer than 1e-12
// is empty (a NaN length is not); an emptied piece keeps its place, with its
// start bound set 0.0001 beyond its end bound. Where an interval is weighed
// against a length it counts as the length of the curve over it; the small
// margins 0.01, 0.0001 and 1e-12 are in parameter (on a straight section the
// parameter runs from 0 to 1).
//
// Ownership: a stretch only points to its loop and the loop's sections; the
// loop must outlive it. Its two end points are copies, and the trims move
// the start copy, never the caller's point.
//
// Tolerances: points on curves and the links of the ends with workTol,
// parameters at lengths with the calling thread's XtGeContext::gTol,
// comparisons of lengths with the `tol` passed.
// Threads: a stretch is used by one design thread; the loop is only read.
#pragma once

#include "heating/layout/offsets/COffsetLoop.h"

#include "platform/ge/XtGeInterval.h"
#include "platform/ge/XtGeVector2d.h"

#include <vector>

struct CFHLoopStretch {
  // The stretch of `loop` from `from` to `to`. Its first section is the one
  // `from` leaves along in the walking direction (CLoopPoint::outgoingLink,
  // workTol); none of the loop's sections gives an empty stretch. Each
  // section starts with its curve's whole interval; with p1 and p2 the
  // parameters of `from` and `to` on it (each only when the point lies on
  // the curve, workTol):
  //   forward, both:  p2 > p1: [p1, p2], and the walk ends; otherwise, when
  //                   p1 + 0.01 passes the upper bound, the upper bound
  //                   becomes p2; else, when the lower bound passes
  //                   p2 - 0.01, the lower bound becomes p1; else the piece
  //                   is empty (lower = upper);
  //   forward, only from: lower = p1; only to: upper = p2, and it ends;
  //   backward mirrors it (p1 > p2 gives [p2, p1] and ends, the upper bound
  //                   becomes p1 when p2 + 0.01 passes it, the lower bound p2
  //                   when it passes p1 - 0.01; only from: upper = p1; only
  //                   to: lower = p2, and it ends).
  // The walk moves on cyclically and passes at most as many sections as the
  // loop holds. So with both points on one section and `to` behind `from`,
  // that section's piece is empty (or one of its two parts) and the walk
  // goes once round the rest of the loop.
  CFHLoopStretch(const COffsetLoop& loop, const CLoopPoint& from, const CLoopPoint& to, bool forward);

  int pieceCount() const { return static_cast<int>(sections.size()); }
  bool isEmptyPiece(int i) const;
  // The length of the piece's curve over its interval; 0 when it is empty.
  double pieceLength(int i) const;
  // The points at the piece's start and end bound (in walking order).
  XtGePoint2d pieceStartPoint(int i) const;
  XtGePoint2d pieceEndPoint(int i) const;
  // Empties the piece: its start bound goes 0.0001 beyond its end bound.
  void emptyPiece(int i);

  const COffsetLoop* owner;
  std::vector<COffsetSection*> sections;
  std::vector<XtGeInterval> intervals;
  CLoopPoint start;
  CLoopPoint end;
  bool forward;
};

// The position in the stretch's piece list of the loop's section at
// `loopIndex`; -1 for a negative index, one not below the loop's section
// count, or a section the stretch does not pass.
int indexOfPointer(const CFHLoopStretch& stretch, int loopIndex);

// The last piece that is not empty; -1 when all are.
int lastNonEmptyPiece(const CFHLoopStretch& stretch);

// Shortens both ends of the stretch by e = distance - tol's point value: the
// first piece's start bound and the last piece's end bound each move e along
// the curve towards the other (on a one-piece stretch both move on that
// piece). Nothing changes for a stretch without pieces or an e not above 0.
// False, unchanged, for a distance that is not finite; true otherwise.
bool trimPolylineEnds(CFHLoopStretch& stretch, double distance, const XtGeTol& tol);

// Pulls the stretch's start on until it has moved `distance` along the
// direction, from the first non-empty piece whose start point projects onto
// the loop, piece by piece. With theta the angle between the direction and
// the piece's walking direction (its chord):
//   |cos theta| < 1e-12 (across): the piece is emptied, it gains nothing;
//   pi/32 <= theta <= 31 pi/32: the cut on the piece is the distance still
//     to go / |cos theta|, and the piece gains its length x |cos theta|;
//   otherwise (nearly along, or a piece without direction): the cut is the
//     distance still to go, and the piece gains its length.
// A cut shorter than the piece (by more than tol's point value) moves the
// piece's start bound there and ends the trim; a cut that reaches the piece's
// end (within tol's point value) empties it and ends the trim; a longer cut
// empties the piece, takes its gain off the distance still to go and goes
// on with the next piece. The stretch's start point follows the cut (linked
// to the piece's section). True when the start moved the whole distance;
// false for a distance or direction that is not finite and positive, no
// non-empty piece that projects, or the stretch used up first.
bool trimPolylineStartAlong(CFHLoopStretch& stretch, const XtGeVector2d& direction, double distance,
                            const XtGeTol& tol);

// Cuts the corners of a three- or four-piece stretch against a cutting curve
// so that only its middle runs on (false, unchanged, for any other number
// of pieces). First a piece 0 (and, of four, a piece 3) whose interval is
// shorter than 0.01 collapses to its upper bound. The middle is the longest
// inner piece (piece 1 of three, 1 or 2 of four, the first on a tie). Each
// end of the stretch decides its side: through the end point runs a line
// with the cutting curve's direction (its chord); the middle's neighbour on
// that side turns when its chord is not colinear with that line (workTol)
// and its end at the middle lies across the line from the cutting curve's
// midpoint (opposite signs of the cross products). A side that turns has
// every piece between its end of the stretch and the middle emptied, and
// when the middle's curve meets the cutting curve (workTol), the middle's
// bound on that side moves to the meeting. True when the middle's length
// then exceeds limit - 2 x tol's point value.
bool trimPolylineCorner(CFHLoopStretch& stretch, const CFloorHeatingCurve& cuttingCurve, double limit,
                        const XtGeTol& tol);

// The loop position of the piece the centre join runs along: of the two
// longest pieces by curve length (longest first, the earlier of equals
// within workTol first), the first that qualifies. A piece whose curve holds
// the stretch's start (workTol) qualifies when its interval covers more than
// half its curve; any other piece when the way along the loop from the stretch's
// start to the piece's start, against the walking direction, has a finite
// length. -1 when neither qualifies (or the stretch has no pieces).
int polylinePieceForJoin(const CFHLoopStretch& stretch);

// The points at the lower (u) and upper (v) bound of the piece of the loop's
// section at `loopIndex` (indexOfPointer). False, u and v untouched, when the
// stretch does not pass that section or its piece is empty.
bool polylinePieceEndPoints(const CFHLoopStretch& stretch, int loopIndex, XtGePoint2d& u, XtGePoint2d& v);
