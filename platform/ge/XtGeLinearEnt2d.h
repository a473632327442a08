// Base of the straight curves: unbounded line, ray and line segment. Each is
// P(t) = pointOnLine() + t * parameterVector() over its own interval.
#pragma once

#include "platform/ge/XtGeCurve2d.h"

class XtGeLine2d;

class XtGeLinearEnt2d : public XtGeCurve2d {
public:
  using XtGeCurve2d::closestPointTo;
  using XtGeCurve2d::distanceTo;
  using XtGeCurve2d::getSamplePoints;
  using XtGeCurve2d::isOn;

  // The base point (parameter 0).
  XtGePoint2d pointOnLine() const { return m_base; }
  // The derivative of P(t): the direction of travel with its length.
  virtual XtGeVector2d parameterVector() const { return m_vec; }
  // The unit direction of travel (zero for a degenerate entity).
  XtGeVector2d direction() const { return parameterVector().normal(XtGeTol(0.0, 0.0)); }

  // The supporting line through the base point along the parameter vector.
  void getLine(XtGeLine2d& line) const;
  // The line through p perpendicular to this one (along the left normal).
  void getPerpLine(const XtGePoint2d& p, XtGeLine2d& perpLine) const;

  // One point common to both entities within their extents (within tol);
  // false when they miss each other, are parallel, or lie on one line (also
  // when colinear segments only touch end to end). Entities at an angle
  // below tol.equalVector that still cross within their extents do
  // intersect. The point lies on this entity.
  bool intersectWith(const XtGeLinearEnt2d& other, XtGePoint2d& p,
                     const XtGeTol& tol = XtGeContext::gTol) const;
  // Parallel (tol.equalVector) and the other's base point within
  // tol.equalPoint of this entity's supporting line.
  bool isColinearTo(const XtGeLinearEnt2d& other, const XtGeTol& tol = XtGeContext::gTol) const;
  bool isParallelTo(const XtGeLinearEnt2d& other, const XtGeTol& tol = XtGeContext::gTol) const;
  bool isPerpendicularTo(const XtGeLinearEnt2d& other,
                         const XtGeTol& tol = XtGeContext::gTol) const;

  // ---- XtGeCurve2d
  XtGePoint2d xtEvalPoint(double t) const override;
  bool xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1, XtGeVector2d& d2) const override;
  double paramOf(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const override;
  bool isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol = XtGeContext::gTol) const override;
  XtGePoint2d closestPointTo(const XtGePoint2d& p,
                             const XtGeTol& tol = XtGeContext::gTol) const override;
  double distanceTo(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const override;
  double xtLength(double fromParam, double toParam,
                  const XtGeTol& tol = XtGeContext::gTol) const override;
  double xtParamAtLength(double datum, double len, bool forward = true,
                         const XtGeTol& tol = XtGeContext::gTol) const override;
  bool xtArea(double fromParam, double toParam, double& area,
              const XtGeTol& tol = XtGeContext::gTol) const override;
  void getSamplePoints(double fromParam, double toParam, double approxEps,
                       XtGePoint2dArray& points, XtGeDoubleArray& params) const override;
  XtGeBoundBlock2d xtOrthoBoundBlock() const override;
  bool getTrimmedOffset(double d, XtGeCurve2dPtrArray& offsetCurves, int extType = XtGe::kFillet,
                        const XtGeTol& tol = XtGeContext::gTol) const override;

protected:
  XtGeLinearEnt2d(const XtGePoint2d& base, const XtGeVector2d& vec) : m_base(base), m_vec(vec) {}
  XtGeLinearEnt2d(const XtGeLinearEnt2d&) = default;
  XtGeLinearEnt2d& operator=(const XtGeLinearEnt2d&) = default;

  XtGePoint2d m_base;
  XtGeVector2d m_vec;
};
