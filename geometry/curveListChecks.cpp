#include "geometry/curveListChecks.h"

#include "geometry/forEachSimplePiece.h"

namespace {

bool typeAllowed(int type, const int* types) {
  if (types == nullptr) return false;
  for (int k = 0; types[k] != -1; ++k)
    if (types[k] == type) return true;
  return false;
}

// The curve and, for a composite, its pieces at every depth.
bool curveTypesAllowed(const XtGeCurve2d& curve, const int* types, int depth) {
  if (!typeAllowed(curve.type(), types)) return false;
  if (curve.type() != XtGe::kCompositeCrv2d) return true;
  if (depth >= kMaxCompositeNesting) return false;
  const auto& composite = static_cast<const XtGeCompositeCurve2d&>(curve);
  for (int i = 0; i < composite.numCurves(); ++i) {
    const XtGeCurve2d* piece = composite.curveAt(i);
    if (piece != nullptr && !curveTypesAllowed(*piece, types, depth + 1)) return false;
  }
  return true;
}

}  // namespace

bool isDegenerateLoop(const XtGeCompositeCurve2d& composite) {
  if (composite.numCurves() == 0) return true;
  if (composite.numCurves() != 2 || !composite.xtIsClosed(XtGeContext::gTol)) return false;
  return composite.curveAt(0)->type() == XtGe::kLineSeg2d &&
         composite.curveAt(1)->type() == XtGe::kLineSeg2d;
}

bool areCurveTypesAllowed(const curvePtrArray& curves, const int* types) {
  for (const XtGeCurve2d* curve : curves)
    if (curve != nullptr && !curveTypesAllowed(*curve, types, 0)) return false;
  return true;
}

bool isIndexPairInRange(const double pair[2], int n) {
  if (pair == nullptr) return false;
  for (int k = 0; k < 2; ++k)
    if (!(pair[k] >= 0.0 && pair[k] < static_cast<double>(n))) return false;
  return true;
}
