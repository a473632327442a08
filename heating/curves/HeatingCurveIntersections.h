// Intersections of heating curves with each other, chosen by their kinds.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

class XtGeCompositeCurve2d;

// Appends p unless a point equal to it (tol) is there already; true when
// appended.
bool addPointIfNew(XtGePoint2dArray& points, const XtGePoint2d& p, const XtGeTol& tol);

// The first intersection point of two heating curves, by their kinds: lines
// and arcs (kinds 0, 3 and 4) meet as segments and arcs; where one is a
// polyline (kind 1) the other's intersectWithPolylineAt answers.
// Throws CFHUnknownCurveKind for any other kind.
bool intersectCurves(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, XtGePoint2d& hit,
                     const XtGeTol& tol);

// Every intersection point of two heating curves, each added to `points`
// unless already there (workTol); true when a point was added. Dispatches and
// throws as intersectCurves.
bool intersectCurvesToArray(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, XtGePoint2dArray& points,
                            const XtGeTol& tol);

// ---- The same on bare simple pieces (segments and circular arcs) -------------

// The first intersection of two pieces (an arc with a segment: the first of
// the arc's hits along the segment).
bool firstPieceHit(const XtGeCurve2d& a, const XtGeCurve2d& b, XtGePoint2d& hit, const XtGeTol& tol);
// Every intersection of two pieces added with addPointIfNew (workTol); the
// number added.
int appendPieceHits(const XtGeCurve2d& a, const XtGeCurve2d& b, XtGePoint2dArray& points, const XtGeTol& tol);
// Every intersection of a piece with the simple pieces of a composite added
// with addPointIfNew (workTol); the number added.
int appendPieceCompositeHits(const XtGeCurve2d& piece, const XtGeCompositeCurve2d& composite,
                             XtGePoint2dArray& points, const XtGeTol& tol);
// One intersection of a piece with a composite: a segment answers its hit on
// the composite's last piece it meets, an arc the hit nearest to its middle.
bool pieceCompositeHit(const XtGeCurve2d& piece, const XtGeCompositeCurve2d& composite, XtGePoint2d& hit,
                       const XtGeTol& tol);
