// Offsetting chains of curves and repairing the corners between the offset
// pieces: one curve by the library's trimmed offset, a whole (composite)
// curve at one distance joined into one curve, a chain with one distance per
// curve, and the removal of self-crossing loops from a chain.
//
// Distances are positive to the left of the direction of travel (as
// XtGeCurve2d::getTrimmedOffset). Elliptical arcs have no offset rule and
// drop out of offset chains; so do pieces of no length.
//
// Tolerances: point equality (gaps, joints, chain ends) uses workTol;
// intersections use the calling thread's XtGeContext::gTol unless a
// function says otherwise. Nothing keeps state, so different chains may be
// offset on several threads at once while the tolerances stay unchanged.
//
// Ownership: offsetCurve, offsetCurveJoined and offsetChainVariable never
// change their input; what they append or answer is new and owned by the
// caller. joinAtBestIntersection replaces (and so deletes) the curves it is
// handed; removeChainLoops edits and deletes in the caller's list. Every
// intermediate curve sits in one list at a time and is freed on every way
// out. Nothing throws (but allocation).
#pragma once

#include "geometry/curveList.h"
#include "geometry/hvArray.h"

#include <cstdint>
#include <memory>
#include <span>

// Options of offsetCurveJoined (a bit set).
// Where lengthening two neighbours does not make them meet, build the corner
// where their end tangents meet.
inline constexpr int kOffsetCornerByTangents = 1;
// With kOffsetCornerByTangents: a corner segment running on in the
// direction of its neighbouring line segment is merged into it.
inline constexpr int kOffsetMergeCorners = 2;
// A closed input gives a closed chain: its last piece is joined to its first.
inline constexpr int kOffsetClosed = 4;
// An open chain loses its self-crossing loop and its overlapping pieces and
// is assembled piece by piece.
inline constexpr int kOffsetCleanOpenChain = 8;

// The source of each piece of an offset chain: the index of the input curve
// it was made from, in step with the pieces.
using chainSourceArray = hvArray<std::int32_t>;

// Appends the offset of the curve at the signed distance: a copy for a
// distance of exactly 0, else the pieces of its trimmed offset with the
// extension type and tolerance given. True when something was appended;
// false for a null curve, a distance that is not finite, or a curve with no
// offset (an elliptical arc, a segment of no length, an arc whose radius
// would vanish).
bool offsetCurve(const XtGeCurve2d* curve, double distance, curvePtrArray& out, int extensionType,
                 const XtGeTol& tol);

// The offset of the whole curve at the signed distance as one curve. A
// simple curve gives its single offset piece. A composite is offset piece by
// piece and the gaps between neighbours are closed in two passes: both are
// lengthened by 2|d|, 4|d| ... 18|d| until they meet (a try that finds
// nothing is undone), else (kOffsetCornerByTangents) the corner where their
// end tangents meet is built, else a segment joins one end to where the
// other's tangent ray meets the other piece. A gap that stays open in the
// second pass gives null. The result is a composite (closed when
// kOffsetClosed is set and the input is closed under workTol).
// Null for a null curve, a distance that is not finite, an empty composite,
// or a simple curve whose offset has no piece or several.
std::unique_ptr<XtGeCurve2d> offsetCurveJoined(const XtGeCurve2d* curve, double distance, int options);

// Offsets curve i of the chain by distances[i] (0 past the end of the
// distances) and joins neighbouring pieces: where they cross
// (joinAtBestIntersection), else where their extensions cross (a segment as
// its ray, an arc as its circle; kept only when both extensions were cut, so
// no unbounded curve or full circle enters the chain), else by a segment
// from the one's end to the other's start (taking the later piece's source).
// The chain is closed when the last curve's end meets the first curve's
// start. With reverseJoins, a joint where a curve's end meets its
// predecessor's start counts too: the pieces there are joined the other way
// round (the later piece runs into the earlier one). A two-curve list whose
// one joint counts in opposite senses from either side stays open.
// Appends the pieces to outCurves and their sources (curve indices) to
// outSources and answers 1; answers 0, nothing appended, when a curve is
// null or lacks a start or an end point, or a distance is not finite.
int offsetChainVariable(const curvePtrArray& curves, std::span<const double> distances,
                        curvePtrArray& outCurves, chainSourceArray& outSources, bool reverseJoins);

// Cuts curve A and curve B at one of their common points (XtGeContext::gTol):
// A keeps its part from its start to the point, B its part from the point to
// its end. With one point that point is taken. With several, A must be
// bounded below and B above (else false, nothing changed); a point at an
// arc's start (A) or an arc's end (B) is not taken while another one is
// (workTol); then the point nearest to the reference point wins when one is
// given, else the one that keeps the least of A before it and of B after it
// (first of equals). A part of no length is never made: a cut at a curve's
// end leaves that curve as it is. Lines and rays are cut into segments or
// rays (curvePartBetween). False, nothing changed, when the curves do not
// meet or one is null.
bool joinAtBestIntersection(std::unique_ptr<XtGeCurve2d>& curveA, std::unique_ptr<XtGeCurve2d>& curveB,
                            const XtGePoint2d* referencePoint = nullptr);

// Cuts self-crossing loops out of the chain in place; `sources` is kept in
// step. The chain is closed when its last piece ends where its first starts
// (workTol). Pieces that cross at a point (for neighbours: a point other than
// their joint) split the chain into a loop and the rest. A closed chain
// becomes the loop when it lies inside the loop, or the rest when the rest
// lies outside the loop and the loop inside the rest; an open chain becomes
// the rest when the rest lies outside the loop (touching at the crossing
// counts as outside or inside). A cut is kept only when loop and rest both
// close at the crossing point and the chain gets shorter by more than
// workTol, so a touch at a piece's end cuts nothing. At most 2n² cuts for
// n pieces. Nothing is cut when sources has another count than the curves
// or the chain holds a null entry. Always true.
bool removeChainLoops(curvePtrArray& curves, chainSourceArray& sources);
