#include "platform/ge/internal/GeCurveView.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLinearEnt2d.h"

#include <algorithm>
#include <cmath>

namespace GeKernel {

bool CurveView::make(const XtGeCurve2d& curve, CurveView& view) {
  switch (curve.type()) {
    case XtGe::kLine2d:
    case XtGe::kRay2d:
    case XtGe::kLineSeg2d:
      view.kind = Kind::kLinear;
      view.lin = spanOf(static_cast<const XtGeLinearEnt2d&>(curve));
      return true;
    case XtGe::kCircArc2d:
      view.kind = Kind::kArc;
      view.arc = frameOf(static_cast<const XtGeCircArc2d&>(curve));
      return true;
    case XtGe::kEllipArc2d:
      view.kind = Kind::kEllipse;
      view.ell = frameOf(static_cast<const XtGeEllipArc2d&>(curve));
      return true;
    default:
      return false;
  }
}

bool CurveView::isFinite() const {
  switch (kind) {
    case Kind::kLinear:
      return lin.base.isFinite() && lin.vec.isFinite();
    case Kind::kArc:
      return arc.centre.isFinite() && std::isfinite(arc.radius) && std::isfinite(arc.start) &&
             std::isfinite(arc.end);
    case Kind::kEllipse:
      return ell.centre.isFinite() && ell.a.isFinite() && ell.b.isFinite() &&
             std::isfinite(ell.start) && std::isfinite(ell.end);
  }
  return false;
}

double CurveView::magnitude() const {
  auto mag = [](const XtGePoint2d& p) { return std::max(std::fabs(p.x), std::fabs(p.y)); };
  switch (kind) {
    case Kind::kLinear:
      return lin.magnitude();
    case Kind::kArc:
      return mag(arc.centre) + arc.radius;
    case Kind::kEllipse:
      return mag(ell.centre) + ell.a.length() + ell.b.length();
  }
  return 0.0;
}

bool CurveView::hasLo() const {
  switch (kind) {
    case Kind::kLinear:
      return lin.boundedBelow();
    case Kind::kArc:
      return !arc.isFull();
    case Kind::kEllipse:
      return !ell.isFull();
  }
  return false;
}

bool CurveView::hasHi() const {
  switch (kind) {
    case Kind::kLinear:
      return lin.boundedAbove();
    case Kind::kArc:
      return !arc.isFull();
    case Kind::kEllipse:
      return !ell.isFull();
  }
  return false;
}

double CurveView::lo() const {
  switch (kind) {
    case Kind::kLinear:
      return lin.lo;
    case Kind::kArc:
      return arc.start;
    case Kind::kEllipse:
      return ell.start;
  }
  return 0.0;
}

double CurveView::hi() const {
  switch (kind) {
    case Kind::kLinear:
      return lin.hi;
    case Kind::kArc:
      return arc.end;
    case Kind::kEllipse:
      return ell.end;
  }
  return 0.0;
}

bool CurveView::isClosed() const {
  return (kind == Kind::kArc && arc.isFull()) || (kind == Kind::kEllipse && ell.isFull());
}

XtGePoint2d CurveView::eval(double t) const {
  switch (kind) {
    case Kind::kLinear:
      return lin.eval(t);
    case Kind::kArc:
      return arc.eval(t);
    case Kind::kEllipse:
      return ell.eval(t);
  }
  return {};
}

XtGeVector2d CurveView::unitTangent(double t) const {
  const XtGeTol exact(0.0, 0.0);
  switch (kind) {
    case Kind::kLinear:
      return lin.vec.normal(exact);
    case Kind::kArc:
      return arc.radius > 0.0 ? arc.unitTangent(t) : XtGeVector2d();
    case Kind::kEllipse:
      return ell.deriv(t).normal(exact);
  }
  return {};
}

double CurveView::speed() const {
  switch (kind) {
    case Kind::kLinear:
      return lin.vec.length();
    case Kind::kArc:
      return arc.radius;
    case Kind::kEllipse:
      return 0.0;
  }
  return 0.0;
}

CoarseBox CurveView::coarseBox() const {
  CoarseBox b;
  double rx = 0.0;
  double ry = 0.0;
  XtGePoint2d c;
  switch (kind) {
    case Kind::kLinear:
      return boxOf(lin);
    case Kind::kArc:
      c = arc.centre;
      rx = ry = arc.radius;
      break;
    case Kind::kEllipse:
      c = ell.centre;
      rx = std::hypot(ell.a.x, ell.b.x);
      ry = std::hypot(ell.a.y, ell.b.y);
      break;
  }
  b.lo.set(c.x - rx, c.y - ry);
  b.hi.set(c.x + rx, c.y + ry);
  b.bounded = true;
  return b;
}

bool CurveView::mayBeNear(const XtGePoint2d& p, double dist) const {
  switch (kind) {
    case Kind::kLinear:
      return lin.nearSupport(p, dist);
    case Kind::kArc:
      return std::fabs(p.distanceTo(arc.centre) - arc.radius) <= dist;
    case Kind::kEllipse:
      return true;
  }
  return true;
}

double CurveView::closestParam(const XtGePoint2d& p) const {
  switch (kind) {
    case Kind::kLinear:
      return lin.closestParam(p);
    case Kind::kArc:
      return arc.closestParam(p);
    case Kind::kEllipse:
      return ell.closestParam(p);
  }
  return 0.0;
}

double CurveView::distanceTo(const XtGePoint2d& p) const {
  switch (kind) {
    case Kind::kLinear:
      return lin.distanceTo(p);
    case Kind::kArc:
      return arc.distanceTo(p);
    case Kind::kEllipse:
      return ell.distanceTo(p);
  }
  return 0.0;
}

}  // namespace GeKernel
