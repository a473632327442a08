#include "geometry/clipCurveToFrame.h"

#include "geometry/curveClassification.h"
#include "geometry/curveCopying.h"
#include "geometry/forEachSimplePiece.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

void appendOwned(std::unique_ptr<XtGeCurve2d> curve, curvePtrArray& out) {
  if (curve && out.append(curve.get()) >= 0) curve.release();
}

// The part [t0, t1] of a piece: a restricted copy of a bounded piece, the
// segment between the two points of an unbounded one.
std::unique_ptr<XtGeCurve2d> partOf(const XtGeCurve2d& piece, double t0, double t1, bool bounded) {
  if (!bounded) return std::make_unique<XtGeLineSeg2d>(piece.xtEvalPoint(t0), piece.xtEvalPoint(t1));
  std::unique_ptr<XtGeCurve2d> part(copyCurve2d(&piece));
  if (part && !part->setInterval(XtGeInterval(t0, t1))) part.reset();
  return part;
}

void clipPiece(const XtGeCurve2d& piece, const XtGeCurve2d& frame, curvePtrArray& out) {
  const XtGeTol& tol = XtGeContext::gTol;
  XtGeInterval iv(XtGe::kIntervalTol);
  piece.getInterval(iv);
  const bool bounded = iv.isBounded();
  if (bounded && piece.xtLength(iv.lowerBound(), iv.upperBound(), tol) <= tol.equalPoint()) return;

  // The cut parameters: where the piece meets the frame and where it starts
  // or stops running along it.
  std::vector<double> cuts;
  const XtGeCurveCurveInt2d hits(piece, frame, tol);
  for (int i = 0; i < hits.numIntPoints(); ++i) {
    double t = 0.0;
    double onFrame = 0.0;
    if (hits.getIntParams(i, t, onFrame)) cuts.push_back(t);
  }
  for (int i = 0; i < hits.overlapCount(); ++i) {
    XtGeInterval onPiece;
    XtGeInterval onFrame;
    if (!hits.getOverlapRanges(i, onPiece, onFrame)) continue;
    if (onPiece.isBoundedBelow()) cuts.push_back(onPiece.lowerBound());
    if (onPiece.isBoundedAbove()) cuts.push_back(onPiece.upperBound());
  }
  // The piece's own ends (a ray has one).
  if (iv.isBoundedBelow()) cuts.push_back(iv.lowerBound());
  if (iv.isBoundedAbove()) cuts.push_back(iv.upperBound());
  cuts.erase(std::remove_if(cuts.begin(), cuts.end(),
                            [&](double t) { return !std::isfinite(t) || (bounded && !iv.contains(t)); }),
             cuts.end());
  std::sort(cuts.begin(), cuts.end());
  // A frame never holds the infinite end of a line or ray: only the parts
  // between cuts can be inside.
  for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
    const double t0 = cuts[k];
    const double t1 = cuts[k + 1];
    if (!(t1 - t0 > XtGe::kIntervalTol)) continue;
    if (piece.xtLength(t0, t1, tol) <= tol.equalPoint()) continue;
    if (classifyPointInCurve(piece.xtEvalPoint(0.5 * (t0 + t1)), frame) == kPositionOutside) continue;
    appendOwned(partOf(piece, t0, t1, bounded), out);
  }
}

}  // namespace

void clipCurveToFrame(const XtGeCurve2d& curve, const XtGeCurve2d& frame, curvePtrArray& out) {
  forEachSimplePiece(curve, [&](const XtGeCurve2d& piece) {
    clipPiece(piece, frame, out);
    return true;
  });
}
