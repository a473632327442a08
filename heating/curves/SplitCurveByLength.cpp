#include "heating/curves/SplitCurveByLength.h"

#include "geometry/Tolerances.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurveEnds.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeInterval.h"

#include <cmath>

bool splitCurveByLength(const CFloorHeatingCurve& curve, CFloorHeatingCurve::PtrVector& pieces, double step) {
  pieces.clear();
  if (!(step > 0.0) || !std::isfinite(step)) return false;
  const XtGeCurve2d& ge = curve.geCurve();
  XtGeInterval interval;
  ge.getInterval(interval);
  if (!interval.isBoundedBelow() || !interval.isBoundedAbove()) return false;
  const double length = ge.length(interval.lowerBound(), interval.upperBound(), workTolFine);
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  if (length / step > kMaxSplitPieces) return false;

  // Rounding must not turn an exact half-step rest into a longer last chord.
  const double slack = workTolFine.equalPoint();
  pieces.reserve(static_cast<std::size_t>(std::ceil(length / step)) + 1);
  XtGePoint2d previous = curve.startPoint();
  double walked = 0.0;
  while (length > walked) {
    walked += step;
    if (length - walked < step * 0.5 - slack) walked = length;
    const XtGePoint2d next = walked >= length ? curve.endPoint() : pointAtLength(ge, walked);
    pieces.push_back(std::make_unique<CFloorHeatingLine>(previous, next, nullptr, curve.tag()));
    previous = next;
  }
  return true;
}

double arcStepForSagitta(double radius, double sagitta) {
  if (!(radius > 0.0) || !(sagitta > 0.0) || !std::isfinite(radius)) return 0.0;
  if (sagitta >= radius) return radius * XtGe::kPi;
  return radius * 2.0 * std::acos(1.0 - sagitta / radius);
}
