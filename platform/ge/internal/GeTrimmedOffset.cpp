#include "platform/ge/internal/GeTrimmedOffset.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/internal/GeOffsetOfPieces.h"

#include <cmath>
#include <memory>
#include <vector>

namespace GeKernel {

namespace {

// A result of one piece is that piece; longer ones become composites that
// own their pieces.
std::unique_ptr<XtGeCurve2d> curveOf(OffsetResult& r) {
  if (r.pieces.size() == 1) return std::move(r.pieces.front().curve);
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.reserve(r.pieces.size());
  for (OffsetPiece& p : r.pieces) pieces.push_back(std::move(p.curve));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(pieces));
}

// Appends the curves without a chance of failing half way: the array grows
// first.
void appendAll(std::vector<std::unique_ptr<XtGeCurve2d>>& curves, XtGeCurve2dPtrArray& out) {
  const int needed = out.length() + static_cast<int>(curves.size());
  if (needed > out.physicalLength()) out.setPhysicalLength(needed);
  for (auto& c : curves) out.append(c.release());
}

}  // namespace

bool trimmedOffsetOfComposite(const XtGeCompositeCurve2d& curve, double d,
                              XtGeCurve2dPtrArray& out, int extType, const XtGeTol& tol) {
  if (!std::isfinite(d) || curve.numCurves() == 0) return false;
  std::vector<std::unique_ptr<XtGeCurve2d>> curves;
  if (d == 0.0) {
    // The boundary itself; a single simple piece comes back as that piece.
    const XtGeCurve2d* only = curve.numCurves() == 1 ? curve.curveAt(0) : nullptr;
    const bool simple = only && only->type() != XtGe::kCompositeCrv2d;
    curves.emplace_back(simple ? only->copy() : curve.copy());
  } else {
    const XtGeCurve2d* self = &curve;
    std::vector<OffsetResult> results;
    if (offsetOfPieces(&self, 1, d, extType, tol, results) != OffsetStatus::kDone) return false;
    for (OffsetResult& r : results) curves.push_back(curveOf(r));
  }
  appendAll(curves, out);
  return !curves.empty();
}

}  // namespace GeKernel
