#include "platform/ge/internal/GeAngularCurve.h"

#include "platform/ge/XtGeLinearEnt2d.h"
#include "platform/ge/internal/GeSimpleIntersect.h"

namespace GeKernel {

int crossingsAlongLinear(const XtGeLinearEnt2d& line, const XtGeCurve2d& curve,
                         const XtGeTol& tol, XtGePoint2d* out, int maxOut) {
  SimpleIntersection hits;
  if (!intersectSimpleCurves(line, curve, tol, hits)) return 0;
  const int n = std::min(hits.numHits, maxOut);
  for (int i = 0; i < n; ++i) out[i] = curve.xtEvalPoint(hits.hits[i].t2);
  return n;
}

int crossingsAlongFirst(const XtGeCurve2d& first, const XtGeCurve2d& second, const XtGeTol& tol,
                        XtGePoint2d* out, int maxOut) {
  SimpleIntersection hits;
  if (!intersectSimpleCurves(first, second, tol, hits) || hits.numOverlaps > 0) return 0;
  const int n = std::min(hits.numHits, maxOut);
  for (int i = 0; i < n; ++i) out[i] = hits.hits[i].point;
  return n;
}

}  // namespace GeKernel
