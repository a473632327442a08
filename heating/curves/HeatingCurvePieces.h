// The line and arc rules of the heating curve applied to bare geometry pieces:
// a line segment answers as a CFloorHeatingLine would, a circular arc as a
// CFloorHeatingArc. The polyline answers piece by piece through these, so it
// never has to build heating curves for its pieces.
//
// Pieces of any other type (ellipse arcs, nested composites) are not simple
// pieces: every query answers false for them and setPieceEndPoints leaves them
// unchanged.
#pragma once

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

// A line segment or a circular arc.
inline bool isSimpleHeatingPiece(const XtGeCurve2d& piece) {
  return piece.type() == XtGe::kLineSeg2d || piece.type() == XtGe::kCircArc2d;
}

// On the piece: a segment within workTolFine, an arc within workTol.
bool pieceIsOn(const XtGeCurve2d& piece, const XtGePoint2d& p);

// The piece's intersection with an unbounded line: a segment's (workTolFine),
// an arc's first (workTol).
bool pieceHitsLine(const XtGeCurve2d& piece, const XtGeLine2d& line, XtGePoint2d& hit);

// The piece's intersection with a ray (tol); of an arc's two hits the one
// nearer to the ray's start.
bool pieceHitsRay(const XtGeCurve2d& piece, const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol);

// The normal ray at p: a segment's unit direction turned by side * pi/2; for
// an arc the ray from p through the centre when it turns into the arc (side
// +1 of a counter-clockwise arc, side -1 of a clockwise one), else from p away
// from the centre. False when there is no direction (a segment of zero length,
// p at the centre).
bool pieceNormalRay(const XtGeCurve2d& piece, const XtGePoint2d& p, int side, XtGeRay2d& ray);

// Makes the piece run from s to e (an arc by setArcEndPoints).
void setPieceEndPoints(XtGeCurve2d& piece, const XtGePoint2d& s, const XtGePoint2d& e);

// The unit direction of a segment (normalised with workTolFine); zero for a
// segment not longer than workTolFine's point value.
XtGeVector2d unitSegmentDirection(const XtGePoint2d& start, const XtGePoint2d& end);
