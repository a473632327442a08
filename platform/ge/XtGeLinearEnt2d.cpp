#include "platform/ge/XtGeLinearEnt2d.h"

#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/internal/GeLinearSpan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

void XtGeLinearEnt2d::getLine(XtGeLine2d& line) const { line.set(m_base, parameterVector()); }

void XtGeLinearEnt2d::getPerpLine(const XtGePoint2d& p, XtGeLine2d& perpLine) const {
  perpLine.set(p, direction().perpVector());
}

bool XtGeLinearEnt2d::intersectWith(const XtGeLinearEnt2d& other, XtGePoint2d& p,
                                    const XtGeTol& tol) const {
  const GeKernel::LinearHit hit =
      GeKernel::intersectSpans(GeKernel::spanOf(*this), GeKernel::spanOf(other), tol);
  if (hit.kind != GeKernel::LinearRelation::kPoint || hit.colinear) return false;
  p = xtEvalPoint(hit.t1);
  return true;
}

bool XtGeLinearEnt2d::isParallelTo(const XtGeLinearEnt2d& other, const XtGeTol& tol) const {
  return parameterVector().isParallelTo(other.parameterVector(), tol);
}

bool XtGeLinearEnt2d::isPerpendicularTo(const XtGeLinearEnt2d& other, const XtGeTol& tol) const {
  return parameterVector().isPerpendicularTo(other.parameterVector(), tol);
}

bool XtGeLinearEnt2d::isColinearTo(const XtGeLinearEnt2d& other, const XtGeTol& tol) const {
  if (!isParallelTo(other, tol)) return false;
  const XtGeVector2d u = direction();
  return std::fabs((other.m_base - m_base).crossProduct(u)) <= tol.equalPoint();
}

XtGePoint2d XtGeLinearEnt2d::xtEvalPoint(double t) const { return m_base + parameterVector() * t; }

bool XtGeLinearEnt2d::xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1,
                                   XtGeVector2d& d2) const {
  if (!std::isfinite(t)) return false;
  p = xtEvalPoint(t);
  d1 = parameterVector();
  d2 = XtGeVector2d();
  return true;
}

double XtGeLinearEnt2d::paramOf(const XtGePoint2d& p, const XtGeTol&) const {
  return GeKernel::spanOf(*this).closestParam(p);
}

bool XtGeLinearEnt2d::isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol) const {
  if (!p.isFinite()) return false;
  const GeKernel::LinearSpan span = GeKernel::spanOf(*this);
  const double u = span.closestParam(p);
  const double ep = std::max(tol.equalPoint(), GeKernel::numericFloor(span.magnitude()));
  if (!(p.distanceTo(span.eval(u)) <= ep)) return false;
  t = u;
  return true;
}

XtGePoint2d XtGeLinearEnt2d::closestPointTo(const XtGePoint2d& p, const XtGeTol&) const {
  if (!p.isFinite()) return p;
  return xtEvalPoint(GeKernel::spanOf(*this).closestParam(p));
}

double XtGeLinearEnt2d::distanceTo(const XtGePoint2d& p, const XtGeTol&) const {
  if (!p.isFinite()) return kInf;
  return GeKernel::spanOf(*this).distanceTo(p);
}

double XtGeLinearEnt2d::xtLength(double fromParam, double toParam, const XtGeTol&) const {
  if (std::isnan(fromParam) || std::isnan(toParam)) return kNaN;
  if (std::isinf(fromParam) || std::isinf(toParam)) return 0.0;
  return std::fabs(toParam - fromParam) * parameterVector().length();
}

double XtGeLinearEnt2d::xtParamAtLength(double datum, double len, bool forward,
                                        const XtGeTol&) const {
  if (!std::isfinite(datum) || !std::isfinite(len)) return kNaN;
  const double speed = parameterVector().length();
  const GeKernel::LinearSpan span = GeKernel::spanOf(*this);
  if (!(speed > 0.0)) return span.clampParam(datum);
  const double t = datum + (forward ? len : -len) / speed;
  return span.clampParam(t);
}

bool XtGeLinearEnt2d::xtArea(double fromParam, double toParam, double& area,
                             const XtGeTol&) const {
  if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return false;
  area = 0.0;
  return true;
}

void XtGeLinearEnt2d::getSamplePoints(double fromParam, double toParam, double,
                                      XtGePoint2dArray& points, XtGeDoubleArray& params) const {
  points.setLogicalLength(0);
  params.setLogicalLength(0);
  if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return;
  points.append(xtEvalPoint(fromParam));
  params.append(fromParam);
  points.append(xtEvalPoint(toParam));
  params.append(toParam);
}

XtGeBoundBlock2d XtGeLinearEnt2d::xtOrthoBoundBlock() const {
  const GeKernel::LinearSpan span = GeKernel::spanOf(*this);
  XtGeBoundBlock2d box;
  if (!span.base.isFinite() || !span.vec.isFinite()) return box;
  auto endPoint = [&](double t) {
    if (std::isfinite(t)) return xtEvalPoint(t);
    // Running to infinity: infinite in each direction the entity moves.
    const double s = t > 0.0 ? 1.0 : -1.0;
    auto coord = [&](double base, double v) { return v == 0.0 ? base : (s * v > 0 ? kInf : -kInf); };
    return XtGePoint2d(coord(span.base.x, span.vec.x), coord(span.base.y, span.vec.y));
  };
  box.extend(endPoint(span.lo));
  box.extend(endPoint(span.hi));
  return box;
}

bool XtGeLinearEnt2d::getTrimmedOffset(double d, XtGeCurve2dPtrArray& offsetCurves, int,
                                       const XtGeTol&) const {
  if (!std::isfinite(d)) return false;
  const XtGeVector2d u = direction();
  if (d != 0.0 && !(u.lengthSqrd() > 0.0)) return false;  // no direction to offset along
  std::unique_ptr<XtGeCurve2d> c(copy());
  if (d != 0.0 && !c->translateBy(u.perpVector() * d)) return false;
  offsetCurves.append(c.release());
  return true;
}
