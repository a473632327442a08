// The steps of building one offset level (COffsetBuilder::buildLoops): the
// boundary made straight, the offset pieces, their joining into one polygon,
// the polygon's tessellation and the contours read back as loops.
//
// Tolerances: workTol (the heating tolerance) for equal points, workTolFine
// for lengths. Threads: no shared state.
#pragma once

#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetPiece.h"

#include "heating/curves/CFloorHeatingCurve.h"

#include <vector>

class CGLHTesselationData;

// The boundary as the levels are built over it: straight curves only, each
// with its band limit.
struct OffsetBoundary {
  CFloorHeatingCurve::PtrVector curves;
  std::vector<double> limits;
};

// Makes the boundary straight: polylines are broken into their pieces, arcs
// into chords whose sagitta is at most 0.001 x u and whose length is at most
// 0.4 x u (u = usableDrawingUnitFactor()); lines of no length (workTol) are
// left out, since they have no offset. Every new curve keeps the band limit
// of the curve it comes from (`limits` null: no limits). Null curves are
// passed over. False when nothing is left.
bool makeStraightBoundary(const std::vector<CFloorHeatingCurve*>& curves, const std::vector<double>* limits,
                          OffsetBoundary& boundary);
// The chords of one arc (see makeStraightBoundary), appended; each is a line
// with the arc's tag and root source, the last ending exactly at the arc's
// end. At most kMaxArcChords; false (nothing appended) for an arc without
// length.
bool appendArcChords(const CFloorHeatingCurve& arc, CFloorHeatingCurve::PtrVector& chords);
inline constexpr int kMaxArcChords = 100000;

// The signed area of the closed chain of straight curves (positive
// counter-clockwise), from their start points.
double straightChainArea(const CFloorHeatingCurve::PtrVector& curves);
// The length of the diagonal of the box round the curves' ends.
double straightChainExtent(const CFloorHeatingCurve::PtrVector& curves);

// Appends {c[i], offsetCopy(distances[i])} for every curve in order. False,
// with the pieces made so far deleted, when a curve has no offset.
bool makeOffsetPieces(const CFloorHeatingCurve::PtrVector& curves, const std::vector<double>& distances,
                      std::vector<COffsetPiece*>& pieces);

// Joins the ring of offset pieces into one polygon by inserting connecting
// lines (tag 2, no source) before each piece, as the turn at each joint
// wants (turnBetweenCurves): where the pieces part (right turn), both are
// prolonged along their tangents (probes of 100000.0) to their meeting point,
// or to the probes' far ends when they do not meet; where they overlap (left
// turn), the polygon runs from the one's end to the boundary vertex and on to
// the other's start; otherwise a line bridges the gap. Lines between equal
// points (workTol) are left out.
void joinOffsetPieces(std::vector<COffsetPiece*>& pieces);

// One input contour of the pieces' start points, in order.
void feedOffsetPolygon(const std::vector<COffsetPiece*>& pieces, CGLHTesselationData& tess);
// The pieces' start points, in order (the polygon feedOffsetPolygon feeds).
void offsetPolygonRing(const std::vector<COffsetPiece*>& pieces, std::vector<XtGePoint2d>& ring);
// One input contour of the points, in order.
void feedPolygonRing(const std::vector<XtGePoint2d>& ring, CGLHTesselationData& tess);

// The tessellation's output contours as new loops of straight sections
// (tag 2, no source) appended to `loops`: from the second vertex on, each
// vertex that differs from the last one taken (workTol) closes a section,
// and a last section runs back to the first vertex unless they are equal.
// Contours of fewer than two vertices, and loops of fewer than three
// sections (which enclose nothing), are passed over.
void readContourLoops(CGLHTesselationData& tess, std::vector<COffsetLoop*>& loops);
