// Cutting two curves at their best common point, and the small chain
// helpers the chain offset files share.
#include "geometry/curveChainOffset.h"
#include "geometry/curveChainOffsetDetail.h"

#include "geometry/Tolerances.h"
#include "geometry/curveSplitting.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"

#include <cmath>
#include <limits>

namespace chainOffsetDetail {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool isArc(int type) { return type == XtGe::kCircArc2d || type == XtGe::kEllipArc2d; }

// Whether the part of the curve between t0 and t1 would be a curve of some
// length: a parameter span above the interval tolerance and a length above
// the equal-point value of gTol (a side reaching infinity is always long).
bool partExists(const XtGeCurve2d& curve, double t0, double t1) {
  if (!(t1 - t0 > XtGe::kIntervalTol)) return false;
  if (!std::isfinite(t0) || !std::isfinite(t1)) return true;
  return curve.xtLength(t0, t1, XtGeContext::gTol) > XtGeContext::gTol.equalPoint();
}

// The interval's ends, infinite where it is unbounded.
void boundsOf(const XtGeCurve2d& curve, double& lower, double& upper) {
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  lower = iv.isBoundedBelow() ? iv.lowerBound() : -kInfinity;
  upper = iv.isBoundedAbove() ? iv.upperBound() : kInfinity;
}

// The index of the common point to cut at; -1 when there is none to take.
int bestPoint(const XtGeCurveCurveInt2d& hits, const XtGeCurve2d& a, const XtGeCurve2d& b,
              const XtGePoint2d* referencePoint) {
  const int n = hits.numIntPoints();
  if (n == 1) return 0;
  double lowerA = 0.0;
  double upperA = 0.0;
  double lowerB = 0.0;
  double upperB = 0.0;
  boundsOf(a, lowerA, upperA);
  boundsOf(b, lowerB, upperB);
  if (!std::isfinite(lowerA) || !std::isfinite(upperB)) return -1;
  // An arc's own end is where a neighbour already joins it, not a crossing.
  XtGePoint2d startA;
  XtGePoint2d endB;
  const bool guardA = isArc(a.type()) && startOf(a, startA);
  const bool guardB = isArc(b.type()) && endOf(b, endB);
  int chosen = -1;
  double best = kInfinity;
  for (int i = 0; i < n; ++i) {
    const XtGePoint2d x = hits.intPoint(i);
    if ((guardA && x.isEqualTo(startA, workTol)) || (guardB && x.isEqualTo(endB, workTol))) continue;
    double tA = 0.0;
    double tB = 0.0;
    if (!hits.getIntParams(i, tA, tB)) continue;
    double score = referencePoint != nullptr
                       ? x.distanceTo(*referencePoint)
                       : a.xtLength(lowerA, tA, XtGeContext::gTol) + b.xtLength(tB, upperB, XtGeContext::gTol);
    if (std::isnan(score)) score = kInfinity;
    if (chosen < 0 || score < best) {
      chosen = i;
      best = score;
    }
  }
  return chosen < 0 ? 0 : chosen;
}

}  // namespace

void moveChainToList(ownedChain& chain, curvePtrArray& list) {
  for (auto& curve : chain) appendOwnedCurve(list, std::move(curve));
  chain.clear();
}

void moveListToChain(curvePtrArray& list, ownedChain& chain) {
  chain.reserve(chain.size() + static_cast<std::size_t>(list.count()));
  for (XtGeCurve2d*& curve : list) {
    chain.emplace_back(curve);
    curve = nullptr;
  }
  list.removeAll();
}

bool startOf(const XtGeCurve2d& curve, XtGePoint2d& point) {
  return curve.hasStartPoint(point) && point.isFinite();
}

bool endOf(const XtGeCurve2d& curve, XtGePoint2d& point) { return curve.hasEndPoint(point) && point.isFinite(); }

std::unique_ptr<XtGeCompositeCurve2d> compositeOfCopies(const std::vector<const XtGeCurve2d*>& pieces) {
  XtGeCurve2dPtrArray borrowed(static_cast<int>(pieces.size()));
  for (const XtGeCurve2d* piece : pieces) borrowed.append(const_cast<XtGeCurve2d*>(piece));
  // The composite stores deep copies: the pieces stay with the chain.
  return std::make_unique<XtGeCompositeCurve2d>(borrowed);
}

cutResult cutAtBestPoint(std::unique_ptr<XtGeCurve2d>& curveA, std::unique_ptr<XtGeCurve2d>& curveB,
                         const XtGePoint2d* referencePoint) {
  cutResult result;
  if (!curveA || !curveB) return result;
  const XtGeCurveCurveInt2d hits(*curveA, *curveB, XtGeContext::gTol);
  if (hits.numIntPoints() == 0) return result;
  const int chosen = bestPoint(hits, *curveA, *curveB, referencePoint);
  double tA = 0.0;
  double tB = 0.0;
  if (chosen < 0 || !hits.getIntParams(chosen, tA, tB)) return result;
  result.met = true;
  double lower = 0.0;
  double upper = 0.0;
  boundsOf(*curveA, lower, upper);
  if (partExists(*curveA, lower, tA) && partExists(*curveA, tA, upper)) {
    if (std::unique_ptr<XtGeCurve2d> part = curvePartBetween(*curveA, lower, tA)) {
      curveA = std::move(part);
      result.cutA = true;
    }
  }
  boundsOf(*curveB, lower, upper);
  if (partExists(*curveB, lower, tB) && partExists(*curveB, tB, upper)) {
    if (std::unique_ptr<XtGeCurve2d> part = curvePartBetween(*curveB, tB, upper)) {
      curveB = std::move(part);
      result.cutB = true;
    }
  }
  return result;
}

}  // namespace chainOffsetDetail

bool joinAtBestIntersection(std::unique_ptr<XtGeCurve2d>& curveA, std::unique_ptr<XtGeCurve2d>& curveB,
                            const XtGePoint2d* referencePoint) {
  return chainOffsetDetail::cutAtBestPoint(curveA, curveB, referencePoint).met;
}
