#include "geometry/curveListSplitting.h"

#include "geometry/Tolerances.h"
#include "geometry/curveSplitting.h"
#include "geometry/releasePtrArray.h"
#include "geometry/removeZeroLengthCurves.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// The parts of a bounded curve between its interval's ends and the cut
// parameters (cuts at or next to an end are ignored). Empty when nothing
// cuts the curve.
void partsAt(const XtGeCurve2d& curve, std::vector<double> cuts, curvePtrArray& parts) {
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  if (iv.isBounded()) appendCurvePartsAt(curve, cuts, XtGeContext::gTol.equalPoint(), parts);
}

// Replaces every curve i of the list by its parts at cuts[i].
void replaceByParts(curvePtrArray& curves, const std::vector<std::vector<double>>& cuts) {
  curvePtrArray result;
  for (int i = 0; i < curves.count(); ++i) {
    XtGeCurve2d* curve = curves[i];
    curvePtrArray parts;
    if (curve != nullptr && i < static_cast<int>(cuts.size()) && !cuts[i].empty())
      partsAt(*curve, cuts[i], parts);
    if (!parts.isEmpty() && result.append(parts)) {
      delete curve;
      curves[i] = nullptr;
      continue;
    }
    releasePtrArray(parts);
    if (curve != nullptr && result.append(curve) >= 0) curves[i] = nullptr;
  }
  // Anything that could not be moved (memory out) stays owned by the list.
  for (XtGeCurve2d* curve : curves)
    if (curve != nullptr) result.append(curve);
  curves.removeAll();
  curves.swap(result);
}

// Parameters in [t0, t1] where cos t * a + sin t * b has a zero X (or Y)
// derivative: t = atan2(b, a) + k pi.
void harmonicTurns(double a, double b, double t0, double t1, std::vector<double>& out) {
  if (a == 0.0 && b == 0.0) return;
  const double base = std::atan2(b, a);
  const double k0 = std::ceil((t0 - base) / XtGe::kPi);
  for (double k = k0; base + k * XtGe::kPi <= t1 && k < k0 + 5; k += 1.0) out.push_back(base + k * XtGe::kPi);
}

}  // namespace

void wrapCurvesInComposites(curvePtrArray& curves) {
  for (XtGeCurve2d*& curve : curves) {
    if (curve == nullptr || curve->type() == XtGe::kCompositeCrv2d) continue;
    std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
    pieces.emplace_back(curve);
    curve = new XtGeCompositeCurve2d(std::move(pieces));
  }
}

void splitArcsAtQuadrants(curvePtrArray& curves) {
  std::vector<std::vector<double>> cuts(static_cast<std::size_t>(curves.count()));
  for (int i = 0; i < curves.count(); ++i) {
    const XtGeCurve2d* curve = curves[i];
    if (curve == nullptr) continue;
    XtGeVector2d a;
    XtGeVector2d b;
    double t0 = 0.0;
    double t1 = 0.0;
    if (curve->type() == XtGe::kCircArc2d) {
      const auto* arc = static_cast<const XtGeCircArc2d*>(curve);
      a = arc->refVec().normal(XtGeTol(0.0, 0.0)) * arc->radius();
      b = arc->isClockWise() ? -a.perpVector() : a.perpVector();
      t0 = arc->startAng();
      t1 = arc->endAng();
    } else if (curve->type() == XtGe::kEllipArc2d) {
      const auto* ell = static_cast<const XtGeEllipArc2d*>(curve);
      a = ell->majorAxis() * ell->majorRadius();
      b = ell->minorAxis() * ell->minorRadius();
      t0 = ell->startAng();
      t1 = ell->endAng();
    } else {
      continue;
    }
    std::vector<double> turns;
    harmonicTurns(a.x, b.x, t0, t1, turns);
    harmonicTurns(a.y, b.y, t0, t1, turns);
    XtGePoint2d s;
    XtGePoint2d e;
    curve->hasStartPoint(s);
    curve->hasEndPoint(e);
    for (const double t : turns) {
      const XtGePoint2d p = curve->xtEvalPoint(t);
      if (!p.isEqualTo(s, workTol) && !p.isEqualTo(e, workTol)) cuts[i].push_back(t);
    }
  }
  replaceByParts(curves, cuts);
}

void splitCurvesIntoStrips(curvePtrArray& curves) {
  std::vector<double> xs;
  for (const XtGeCurve2d* curve : curves) {
    XtGePoint2d p;
    if (curve == nullptr) continue;
    if (curve->hasStartPoint(p)) xs.push_back(p.x);
    if (curve->hasEndPoint(p)) xs.push_back(p.x);
  }
  std::sort(xs.begin(), xs.end());
  std::vector<double> lines;
  for (const double x : xs)
    if (lines.empty() || x - lines.back() > workTol.equalPoint()) lines.push_back(x);
  std::vector<std::vector<double>> cuts(static_cast<std::size_t>(curves.count()));
  for (int i = 0; i < curves.count(); ++i) {
    const XtGeCurve2d* curve = curves[i];
    if (curve == nullptr) continue;
    const XtGeBoundBlock2d box = curve->xtOrthoBoundBlock();
    for (const double x : lines) {
      if (box.isEmpty() || x <= box.minPoint().x || x >= box.maxPoint().x) continue;
      const XtGeCurveCurveInt2d hits(*curve, XtGeLine2d(XtGePoint2d(x, 0.0), XtGeVector2d::kYAxis),
                                     XtGeContext::gTol);
      for (int k = 0; k < hits.numIntPoints(); ++k) {
        double t = 0.0;
        double onLine = 0.0;
        if (hits.getIntParams(k, t, onLine)) cuts[i].push_back(t);
      }
    }
  }
  replaceByParts(curves, cuts);
}

void splitCurvesAtMutualIntersections(curvePtrArray& curves, bool atEndPoints,
                                      const XtGePoint2dArray* exclusions) {
  removeZeroLengthCurves(curves);
  const int n = curves.count();
  std::vector<std::vector<double>> cuts(static_cast<std::size_t>(n));
  auto excluded = [&](const XtGePoint2d& p) {
    return exclusions != nullptr && exclusions->find(p, workTol) >= 0;
  };
  auto addEndPointsOn = [&](int target, int source) {
    XtGePoint2d p;
    const XtGeCurve2d& on = *curves[target];
    const XtGeCurve2d& from = *curves[source];
    for (const bool atEnd : {false, true}) {
      if (!(atEnd ? from.hasEndPoint(p) : from.hasStartPoint(p)) || excluded(p)) continue;
      double t = 0.0;
      if (on.isOn(p, t, workTol)) cuts[target].push_back(t);
    }
  };
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      if (curves[i] == nullptr || curves[j] == nullptr) continue;
      const XtGeCurveCurveInt2d hits(*curves[i], *curves[j], XtGeContext::gTol);
      for (int k = 0; k < hits.numIntPoints(); ++k) {
        double ti = 0.0;
        double tj = 0.0;
        if (excluded(hits.intPoint(k)) || !hits.getIntParams(k, ti, tj)) continue;
        cuts[i].push_back(ti);
        cuts[j].push_back(tj);
      }
      if (atEndPoints) {
        addEndPointsOn(i, j);
        addEndPointsOn(j, i);
      }
    }
  }
  replaceByParts(curves, cuts);
}
