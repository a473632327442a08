// The kept spans of an interval curve: recompute and the nearest kept point.
#include "heating/curves/CFHIntervalCurve.h"

#include <cmath>
#include <limits>

void CFHIntervalCurve::recompute() {
  intervalsKept.clear();
  if (intervalsA.empty()) return;

  // Merge facing spans that lie within paramStep of each other.
  intervalsKept.push_back(intervalsA.front());
  for (std::size_t i = 1; i < intervalsA.size(); ++i) {
    const XtGeInterval& span = intervalsA[i];
    XtGeInterval& last = intervalsKept.back();
    if (span.lowerBound() > last.upperBound() + paramStep)
      intervalsKept.push_back(span);
    else if (span.upperBound() > last.upperBound())
      last.setUpper(span.upperBound());
  }

  // Take every excluded span out of every kept span.
  std::vector<XtGeInterval> rest;
  for (const XtGeInterval& excluded : intervalsB) {
    rest.clear();
    rest.reserve(intervalsKept.size() + 1);
    for (const XtGeInterval& span : intervalsKept) {
      XtGeInterval left(span.tolerance());
      XtGeInterval right(span.tolerance());
      const int pieces = span.subtract(excluded, left, right);
      if (pieces > 0) rest.push_back(left);
      if (pieces > 1) rest.push_back(right);
    }
    intervalsKept.swap(rest);
  }

  // Shorten both ends by the parameter span that `value` covers from the
  // start of the curve.
  if (value != 0.0 && curve != nullptr && !intervalsKept.empty()) {
    XtGeInterval own(intervalsKept.front().tolerance());
    curve->geCurve().getInterval(own);
    const double lower = own.isBoundedBelow() ? own.lowerBound() : 0.0;
    const double dp = curve->geCurve().paramAtLength(lower, value, true, XtGeContext::gTol) - lower;
    std::vector<XtGeInterval> shortened;
    shortened.reserve(intervalsKept.size());
    for (const XtGeInterval& span : intervalsKept) {
      const double from = span.lowerBound() + dp;
      const double to = span.upperBound() - dp;
      if (from < to) shortened.emplace_back(from, to, span.tolerance());
    }
    intervalsKept.swap(shortened);
  }
  valid = !intervalsKept.empty();
}

bool CFHIntervalCurve::nearestPoint(const XtGePoint2d& point, XtGePoint2d& nearest) const {
  if (!valid) return false;
  double best = std::numeric_limits<double>::infinity();
  bool found = false;
  for (int i = 0; i < static_cast<int>(intervalsKept.size()); ++i) {
    const CFloorHeatingCurve::Ptr piece = keptPieceAt(i);
    if (!piece) continue;
    const XtGePoint2d candidate = piece->closestPointTo(point);
    const double distance = candidate.distanceTo(point);
    if (distance < best) {
      best = distance;
      nearest = candidate;
      found = true;
    }
  }
  return found;
}
