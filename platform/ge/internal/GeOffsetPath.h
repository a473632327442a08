// The curve a trimmed offset works on: a run of segments and circular arcs
// joined end to start, open or closed, and the pieces the offset stages
// build from it (offset pieces, joint closures, cutters).
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/internal/GeCurveView.h"

#include <memory>
#include <vector>

namespace GeKernel {

// One segment or circular arc with what the offset stages ask of it again
// and again. The parameter runs along travel over [lo, hi].
struct OffsetPiece {
  std::unique_ptr<XtGeCurve2d> curve;  // an XtGeLineSeg2d or XtGeCircArc2d
  CurveView view;
  XtGePoint2d start;
  XtGePoint2d end;
  double lo = 0.0;
  double hi = 0.0;
  double length = 0.0;
  CoarseBox box;  // tight
  // The joint whose gap the piece closes (a fillet or an extension), -1
  // for a part of a moved path piece.
  int closureOf = -1;

  bool isArc() const { return view.kind == CurveView::Kind::kArc; }
  // Distance travelled per unit of parameter.
  double speed() const { return view.speed(); }
  XtGePoint2d eval(double t) const { return view.eval(t); }
  // The parameter brought into [lo, hi]; an arc's angle is first taken by
  // whole turns to the representative nearest the range.
  double clampParam(double t) const;
  // Unit tangents along travel at the ends.
  XtGeVector2d startTangent() const { return view.unitTangent(lo); }
  XtGeVector2d endTangent() const { return view.unitTangent(hi); }
  // Signed curvature: 1/R for a counter-clockwise arc, -1/R for a clockwise
  // one, 0 for a segment.
  double curvature() const;
  // Smallest distance from p to the box (0 inside).
  double boxDistance(const XtGePoint2d& p) const;
};

// The piece of a segment or circular arc; false for other curves and for
// curves that are not finite.
bool makeOffsetPiece(std::unique_ptr<XtGeCurve2d> curve, OffsetPiece& piece);
OffsetPiece segmentPiece(const XtGePoint2d& from, const XtGePoint2d& to);
// The arc about centre starting in direction from (seen from the centre)
// and turning clockwise or counter-clockwise by sweep (0..2*pi).
OffsetPiece arcPiece(const XtGePoint2d& centre, double radius, const XtGeVector2d& from,
                     double sweep, bool clockWise);

// The part [t0, t1] of a piece running from a to b (points on it at t0 and
// t1): a segment takes a and b themselves, so that neighbouring parts meet
// exactly; an arc takes the parameters.
bool partOfPiece(const OffsetPiece& piece, double t0, double t1, const XtGePoint2d& a,
                 const XtGePoint2d& b, OffsetPiece& out);

// The offset of a piece by d to the left of travel: the translated segment
// or the concentric arc. False when an arc's offset radius is not above
// minRadius (the arc collapses on that side).
bool offsetPieceOf(const OffsetPiece& piece, double d, double minRadius, OffsetPiece& out);

// One curve of an offset's answer: pieces in order of travel.
struct OffsetResult {
  std::vector<OffsetPiece> pieces;
  bool closed = false;
};

struct OffsetPath {
  std::vector<OffsetPiece> pieces;
  bool closed = false;
  // Largest coordinate magnitude of the pieces' data.
  double magnitude = 0.0;
};

enum class PathStatus {
  kOk,
  kEmpty,        // no piece longer than the resolution
  kUnsupported,  // a piece that is not a segment or circular arc, or not finite
};

// Flattens curves (composites are broken through explode, nested to a
// bounded depth) into their segments and arcs; the path is left open.
PathStatus flattenOffsetPath(const XtGeCurve2d* const* curves, int count, OffsetPath& path);

// The distance below which the offset treats lengths as zero and points as
// one: tol.equalPoint, but never below the rounding noise of coordinates
// of the given magnitude.
double offsetResolution(const XtGeTol& tol, double magnitude);

// How far glancing meetings (touches) of offset pieces may lie from where
// they are found: about sqrt(res * |d|), and at least 16 res. Touches this
// near a piece's end count as at the end, and open chains of a closed
// offset are joined across gaps this small.
double snapOf(double res, double d);

// Closes the path when its last end meets its first start within res, drops
// pieces not longer than res and bridges gaps longer than res with
// segments, so that every piece starts where the one before ends.
void tidyOffsetPath(OffsetPath& path, double res);

// Signed area enclosed by a closed run of pieces (positive counter-
// clockwise), with exact arc segments; straight chords close any gaps.
double signedAreaOf(const std::vector<OffsetPiece>& loop);
// Winding number of a closed run of pieces about p (p off the run; on the
// chord of an arc counts), from the angles the pieces span.
int windingNumberOf(const std::vector<OffsetPiece>& loop, const XtGePoint2d& p);

}  // namespace GeKernel
