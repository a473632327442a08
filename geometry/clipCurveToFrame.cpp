#include "geometry/clipCurveToFrame.h"

#include "geometry/curveClassification.h"
#include "geometry/curveSplitting.h"
#include "geometry/forEachSimplePiece.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

void clipPiece(const XtGeCurve2d& piece, const XtGeCurve2d& frame, curvePtrArray& out) {
  const XtGeTol& tol = XtGeContext::gTol;
  XtGeInterval iv(XtGe::kIntervalTol);
  piece.getInterval(iv);
  const bool bounded = iv.isBounded();
  if (bounded && piece.xtLength(iv.lowerBound(), iv.upperBound(), tol) <= tol.equalPoint()) return;

  // The cut parameters: where the piece meets the frame and where it starts
  // or stops running along it.
  std::vector<double> cuts;
  appendIntersectionParams(XtGeCurveCurveInt2d(piece, frame, tol), cuts);
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
    appendOwnedCurve(out, curvePartBetween(piece, t0, t1));
  }
}

}  // namespace

void clipCurveToFrame(const XtGeCurve2d& curve, const XtGeCurve2d& frame, curvePtrArray& out) {
  forEachSimplePiece(curve, [&](const XtGeCurve2d& piece) {
    clipPiece(piece, frame, out);
    return true;
  });
}
