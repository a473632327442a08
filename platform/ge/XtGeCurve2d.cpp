#include "platform/ge/XtGeCurve2d.h"

#include "platform/ge/internal/GeClosestPair.h"
#include "platform/ge/internal/GeLinearSpan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// Limits of the generic chord sampling: initial pieces per quarter turn of
// parameter, and the deepest subdivision of one piece.
constexpr double kChordPieceSpan = XtGe::kHalfPi / 2.0;
constexpr int kMaxChordDepth = 16;
constexpr int kMaxChordPieces = 1 << 12;
constexpr int kMaxChordPoints = 1 << 18;

}  // namespace

bool XtGeCurve2d::hasStartPoint(XtGePoint2d& p) const {
  XtGeInterval iv;
  getInterval(iv);
  if (!iv.isBoundedBelow()) return false;
  p = xtEvalPoint(iv.lowerBound());
  return true;
}

bool XtGeCurve2d::hasEndPoint(XtGePoint2d& p) const {
  XtGeInterval iv;
  getInterval(iv);
  if (!iv.isBoundedAbove()) return false;
  p = xtEvalPoint(iv.upperBound());
  return true;
}

bool XtGeCurve2d::xtIsClosed(const XtGeTol& tol) const {
  XtGePoint2d s;
  XtGePoint2d e;
  return hasStartPoint(s) && hasEndPoint(e) && s.isEqualTo(e, tol);
}

XtGePoint2d XtGeCurve2d::evalPoint(double t, int numDeriv, XtGeVector2dArray& derivs) const {
  derivs.setLogicalLength(0);
  XtGePoint2d p;
  XtGeVector2d d1;
  XtGeVector2d d2;
  if (!xtEvalDerivs(t, p, d1, d2)) return xtEvalPoint(t);
  if (numDeriv >= 1) derivs.append(d1);
  if (numDeriv >= 2) derivs.append(d2);
  return p;
}

bool XtGeCurve2d::isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol) const {
  if (!p.isFinite()) return false;
  const XtGePoint2d c = closestPointTo(p, tol);
  const double magnitude = std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(c.x), std::fabs(c.y)});
  const double ep = std::max(tol.equalPoint(), GeKernel::numericFloor(magnitude));
  if (!(p.distanceTo(c) <= ep)) return false;
  t = paramOf(p, tol);
  return true;
}

double XtGeCurve2d::distanceTo(const XtGePoint2d& p, const XtGeTol& tol) const {
  if (!p.isFinite()) return kInf;
  return p.distanceTo(closestPointTo(p, tol));
}

XtGePoint2d XtGeCurve2d::closestPointTo(const XtGeCurve2d& other, XtGePoint2d& pntOnOther,
                                        const XtGeTol& tol) const {
  XtGePoint2d onThis;
  if (GeKernel::closestPointsSimple(*this, other, tol, onThis, pntOnOther)) return onThis;
  if (XtGe::isSimpleCurveType(type()) && !XtGe::isSimpleCurveType(other.type())) {
    // The other curve (a composite) knows how to answer for its pieces.
    pntOnOther = other.closestPointTo(*this, onThis, tol);
    return onThis;
  }
  GeKernel::closestPointsBySampling(*this, other, tol, onThis, pntOnOther);
  return onThis;
}

double XtGeCurve2d::distanceTo(const XtGeCurve2d& other, const XtGeTol& tol) const {
  XtGePoint2d onOther;
  const XtGePoint2d onThis = closestPointTo(other, onOther, tol);
  const double d = onThis.distanceTo(onOther);
  if (!std::isfinite(d)) return kInf;
  return d <= tol.equalPoint() ? 0.0 : d;
}

double XtGeCurve2d::length(const XtGeTol& tol) const {
  XtGeInterval iv;
  getInterval(iv);
  if (!iv.isBounded()) return 0.0;
  return xtLength(iv.lowerBound(), iv.upperBound(), tol);
}

bool XtGeCurve2d::xtArea(double, double, double&, const XtGeTol&) const { return false; }

void XtGeCurve2d::getSplitCurves(double, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const {
  piece1 = piece2 = nullptr;
}

bool XtGeCurve2d::setInterval(const XtGeInterval&) { return false; }

bool XtGeCurve2d::explode(XtGeCurve2dPtrArray&, XtGeIntArray&) const { return false; }

void XtGeCurve2d::getSamplePoints(int numSample, XtGePoint2dArray& points) const {
  points.setLogicalLength(0);
  XtGeInterval iv;
  getInterval(iv);
  if (numSample <= 0 || !iv.isBounded()) return;
  const double lo = iv.lowerBound();
  const double hi = iv.upperBound();
  if (!std::isfinite(lo) || !std::isfinite(hi)) return;
  if (numSample == 1) {
    points.append(xtEvalPoint(lo));
    return;
  }
  points.setPhysicalLength(numSample);
  for (int i = 0; i < numSample; ++i) {
    const double t = (i == numSample - 1) ? hi : lo + (hi - lo) * i / (numSample - 1);
    points.append(xtEvalPoint(t));
  }
}

void XtGeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  XtGePoint2dArray& points, XtGeDoubleArray& params) const {
  points.setLogicalLength(0);
  params.setLogicalLength(0);
  if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return;
  // Equal first pieces, each halved while its middle point deviates from its
  // chord by more than approxEps (bounded depth).
  const int pieces = std::clamp(
      static_cast<int>(std::ceil(std::fabs(toParam - fromParam) / kChordPieceSpan)), 1,
      kMaxChordPieces);
  struct Span {
    double t0, t1;
    int depth;
  };
  Span stack[kMaxChordDepth + 2];
  points.append(xtEvalPoint(fromParam));
  params.append(fromParam);
  for (int k = 0; k < pieces; ++k) {
    const double a = fromParam + (toParam - fromParam) * k / pieces;
    const double b = (k == pieces - 1) ? toParam : fromParam + (toParam - fromParam) * (k + 1) / pieces;
    int top = 0;
    stack[top++] = {a, b, 0};
    while (top > 0) {
      const Span s = stack[--top];
      const XtGePoint2d p0 = xtEvalPoint(s.t0);
      const XtGePoint2d p1 = xtEvalPoint(s.t1);
      const double tm = 0.5 * (s.t0 + s.t1);
      const XtGePoint2d pm = xtEvalPoint(tm);
      const XtGeVector2d chord = p1 - p0;
      const double len = chord.length();
      const double dev = len > 0.0 ? std::fabs((pm - p0).crossProduct(chord)) / len
                                   : pm.distanceTo(p0);
      const int maxDepth = approxEps > 0.0 ? kMaxChordDepth : 2;
      if (s.depth < maxDepth && !(dev <= approxEps) && points.length() < kMaxChordPoints) {
        // The second half goes below the first, so the first is emitted first.
        stack[top++] = {tm, s.t1, s.depth + 1};
        stack[top++] = {s.t0, tm, s.depth + 1};
        continue;
      }
      points.append(p1);
      params.append(s.t1);
    }
  }
}

bool XtGeCurve2d::getTrimmedOffset(double, XtGeCurve2dPtrArray&, int, const XtGeTol&) const {
  return false;
}
