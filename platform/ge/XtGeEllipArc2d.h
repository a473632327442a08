// An elliptical arc or full ellipse:
//   P(t) = C + a cos t * u + b sin t * v,  t in [startAng, endAng],
// u and v the stored unit major and minor axes, a and b the major and minor
// radii (the minor radius may exceed the major one). The arc is clockwise
// when (u x v).z < 0. 0 <= sweep <= 2*pi.
#pragma once

#include "platform/ge/XtGeCurve2d.h"

class XtGeCircArc2d;
class XtGeLinearEnt2d;

class XtGeEllipArc2d : public XtGeCurve2d {
public:
  using XtGeCurve2d::closestPointTo;
  using XtGeCurve2d::distanceTo;
  using XtGeCurve2d::getSamplePoints;
  using XtGeCurve2d::isOn;

  // The unit circle about the origin, as an ellipse.
  XtGeEllipArc2d() = default;
  XtGeEllipArc2d(const XtGePoint2d& centre, const XtGeVector2d& majorAxis,
                 const XtGeVector2d& minorAxis, double majorRadius, double minorRadius,
                 double startAng = 0.0, double endAng = XtGe::kTwoPi);

  // Setters ignore non-finite values, negative radii and zero axes (the arc
  // stays unchanged).
  XtGeEllipArc2d& set(const XtGePoint2d& centre, const XtGeVector2d& majorAxis,
                      const XtGeVector2d& minorAxis, double majorRadius, double minorRadius,
                      double startAng = 0.0, double endAng = XtGe::kTwoPi);
  XtGeEllipArc2d& setCenter(const XtGePoint2d& centre);
  XtGeEllipArc2d& setAxes(const XtGeVector2d& majorAxis, const XtGeVector2d& minorAxis);
  XtGeEllipArc2d& setMajorRadius(double radius);
  XtGeEllipArc2d& setMinorRadius(double radius);
  // As for circular arcs: 2*pi is added to endAng until it is not below
  // startAng; the sweep is capped at 2*pi.
  XtGeEllipArc2d& setAngles(double startAng, double endAng);

  XtGePoint2d center() const { return m_centre; }
  XtGeVector2d majorAxis() const { return m_majorAxis; }
  XtGeVector2d minorAxis() const { return m_minorAxis; }
  double majorRadius() const { return m_majorRadius; }
  double minorRadius() const { return m_minorRadius; }
  double startAng() const { return m_start; }
  double endAng() const { return m_end; }
  bool isClockWise() const { return m_majorAxis.crossProduct(m_minorAxis) < 0.0; }
  bool isFullEllipse() const { return m_end >= m_start + XtGe::kTwoPi; }
  XtGePoint2d startPoint() const { return xtEvalPoint(m_start); }
  XtGePoint2d endPoint() const { return xtEvalPoint(m_end); }

  // Crossings with a line, ray or segment: 0, 1 or 2 points on this arc,
  // ordered along the linear entity. False when none.
  bool intersectWith(const XtGeLinearEnt2d& line, int& n, XtGePoint2d& p1, XtGePoint2d& p2,
                     const XtGeTol& tol = XtGeContext::gTol) const;
  // Crossings with a circular or elliptical arc: up to 4 points on this arc,
  // ordered along it. Coincident stretches give no points.
  bool intersectWith(const XtGeCircArc2d& arc, int& n, XtGePoint2d (&points)[4],
                     const XtGeTol& tol = XtGeContext::gTol) const;
  bool intersectWith(const XtGeEllipArc2d& arc, int& n, XtGePoint2d (&points)[4],
                     const XtGeTol& tol = XtGeContext::gTol) const;

  // ---- XtGeCurve2d
  int type() const override { return XtGe::kEllipArc2d; }
  [[nodiscard]] XtGeEllipArc2d* copy() const override { return new XtGeEllipArc2d(*this); }
  // Any invertible affine transform; the axes are recomputed as the principal
  // axes of the image and the parameters shifted to match.
  bool transformBy(const XtGeMatrix2d& m) override;
  void getInterval(XtGeInterval& interval) const override;
  XtGePoint2d xtEvalPoint(double t) const override;
  bool xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1, XtGeVector2d& d2) const override;
  double paramOf(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const override;
  bool isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol = XtGeContext::gTol) const override;
  XtGePoint2d closestPointTo(const XtGePoint2d& p,
                             const XtGeTol& tol = XtGeContext::gTol) const override;
  double distanceTo(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const override;
  // Numerical, relative error below 1e-12.
  double xtLength(double fromParam, double toParam,
                  const XtGeTol& tol = XtGeContext::gTol) const override;
  double xtParamAtLength(double datum, double len, bool forward = true,
                         const XtGeTol& tol = XtGeContext::gTol) const override;
  // a*b*(s - sin s)/2 for a parameter span s.
  bool xtArea(double fromParam, double toParam, double& area,
              const XtGeTol& tol = XtGeContext::gTol) const override;
  void getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const override;
  bool setInterval(const XtGeInterval& interval) override;
  XtGeBoundBlock2d xtOrthoBoundBlock() const override;
  // (s, e) -> (2*pi - e, 2*pi - s) with the minor axis negated.
  XtGeEllipArc2d& reverseParam() override;

private:
  XtGePoint2d m_centre;
  XtGeVector2d m_majorAxis{1.0, 0.0};
  XtGeVector2d m_minorAxis{0.0, 1.0};
  double m_majorRadius = 1.0;
  double m_minorRadius = 1.0;
  double m_start = 0.0;
  double m_end = XtGe::kTwoPi;
};
