#include "heating/curves/CFHIntervalCurve.h"

#include "heating/curves/CLoopElement.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kIntervalTolerance = 1e-12;

// See CFHIntervalCurve::paramStep.
double parameterStep(const CFloorHeatingCurve* curve) {
  if (curve == nullptr) return 0.0;
  XtGeInterval interval(kIntervalTolerance);
  curve->geCurve().getInterval(interval);
  const double length = curve->length();
  const double tol = workTol.equalPoint();
  if (!interval.isBounded() || !(length > 0.0) || !(tol > 0.0)) return 0.0;
  const double step = interval.length() / (length / tol);
  return std::isfinite(step) ? step : 0.0;
}

}  // namespace

CFHIntervalCurve::CFHIntervalCurve(const CFloorHeatingCurve* curve, double value)
    : curve(curve), paramStep(parameterStep(curve)), value(value), valid(false), owner(nullptr) {}

bool CFHIntervalCurve::paramOnCurve(const XtGePoint2d& p, double& t) const {
  return curve != nullptr && curve->geCurve().isOn(p, t, XtGeContext::gTol);
}

bool CFHIntervalCurve::addSpan(std::vector<XtGeInterval>& list, const XtGePoint2d& p1, const XtGePoint2d& p2) {
  double t1 = 0.0;
  double t2 = 0.0;
  if (!paramOnCurve(p1, t1) || !paramOnCurve(p2, t2) || !(t1 < t2)) return false;
  valid = false;
  // Before the first span whose lower bound is greater than t1, so that
  // spans with equal lower bounds keep the order they came in.
  const auto at = std::upper_bound(list.begin(), list.end(), t1,
                                   [](double t, const XtGeInterval& span) { return t < span.lowerBound(); });
  list.insert(at, XtGeInterval(t1, t2, kIntervalTolerance));
  return true;
}

bool CFHIntervalCurve::addIntervalA(const XtGePoint2d& p1, const XtGePoint2d& p2) {
  return addSpan(intervalsA, p1, p2);
}

bool CFHIntervalCurve::addIntervalB(const XtGePoint2d& p1, const XtGePoint2d& p2) {
  return addSpan(intervalsB, p1, p2);
}

bool CFHIntervalCurve::markAt(const XtGePoint2d& p, int kind, double width) {
  double t = 0.0;
  if (!paramOnCurve(p, t)) return false;
  const XtGeCurve2d& geCurve = curve->geCurve();
  XtGeInterval interval(kIntervalTolerance);
  geCurve.getInterval(interval);
  const XtGeTol fine = workTolFine;
  // The parameter reached by walking `length` from t, clamped to the
  // curve's interval.
  const auto walk = [&](double length, bool forward) {
    double u = geCurve.paramAtLength(t, length, forward, fine);
    if (interval.isBoundedBelow()) u = std::max(u, interval.lowerBound());
    if (interval.isBoundedAbove()) u = std::min(u, interval.upperBound());
    return u;
  };
  double from = t;
  double to = t;
  switch (kind) {
    case kMarkForward:
      to = walk(width, true);
      break;
    case kMarkBackward:
      from = walk(width, false);
      break;
    case kMarkCentred:
      from = walk(width * 0.5, false);
      to = walk(width * 0.5, true);
      break;
    default:
      return false;
  }
  return addIntervalB(geCurve.evalPoint(from), geCurve.evalPoint(to));
}

CFloorHeatingCurve::Ptr CFHIntervalCurve::keptPieceAt(int i) const {
  if (curve == nullptr || i < 0 || i >= static_cast<int>(intervalsKept.size())) return nullptr;
  const XtGeInterval& span = intervalsKept[static_cast<std::size_t>(i)];
  const XtGeCurve2d& geCurve = curve->geCurve();
  CFloorHeatingCurve::Ptr piece = curve->extendedCopyAt(curve->midPoint(), 0.0);
  if (piece) piece->setEndPoints(geCurve.evalPoint(span.lowerBound()), geCurve.evalPoint(span.upperBound()));
  return piece;
}

void CFHIntervalCurve::collectKeptPieces(CFloorHeatingCurve::PtrVector& pieces) const {
  for (int i = 0; i < static_cast<int>(intervalsKept.size()); ++i)
    if (CFloorHeatingCurve::Ptr piece = keptPieceAt(i)) pieces.push_back(std::move(piece));
}

void buildIntervalCurves(const std::vector<CLoopElement*>& elements, CFHIntervalCurveList& intervalCurves) {
  for (CLoopElement* element : elements) {
    if (element == nullptr || element->curve == nullptr) continue;
    auto intervalCurve = std::make_unique<CFHIntervalCurve>(element->curve, 0.0);
    intervalCurve->owner = element;
    intervalCurves.push_back(std::move(intervalCurve));
  }
}
