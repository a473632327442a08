// A circular arc or full circle:
//   P(t) = C + R (cos t * r + sin t * n),  t in [startAng, endAng],
// r the unit reference vector and n its left normal (counter-clockwise arc)
// or right normal (clockwise arc). So the parameter is the angle from the
// reference vector measured in the arc's own sense. 0 <= sweep <= 2*pi; the
// arc is a full circle when endAng >= startAng + 2*pi.
#pragma once

#include "platform/ge/XtGeCurve2d.h"

class XtGeLine2d;
class XtGeLinearEnt2d;

class XtGeCircArc2d : public XtGeCurve2d {
public:
  using XtGeCurve2d::closestPointTo;
  using XtGeCurve2d::distanceTo;
  using XtGeCurve2d::getSamplePoints;
  using XtGeCurve2d::isOn;

  // The unit circle about the origin, counter-clockwise, reference vector +X.
  XtGeCircArc2d() = default;
  // A full counter-clockwise circle, reference vector +X, [0, 2*pi].
  XtGeCircArc2d(const XtGePoint2d& centre, double radius);
  XtGeCircArc2d(const XtGePoint2d& centre, double radius, double startAng, double endAng,
                const XtGeVector2d& refVec = XtGeVector2d::kXAxis, bool isClockWise = false);
  // The arc from start to end with the given bulge (tan of a quarter of the
  // sweep; positive: counter-clockwise, negative: clockwise), reference
  // vector +X. A bulge of 0 or equal points give a zero-radius arc at start.
  XtGeCircArc2d(const XtGePoint2d& start, const XtGePoint2d& end, double bulge);

  // Setters ignore non-finite values, negative radii and zero reference vectors
  // (the arc stays unchanged).
  XtGeCircArc2d& set(const XtGePoint2d& centre, double radius);
  XtGeCircArc2d& set(const XtGePoint2d& centre, double radius, double startAng, double endAng,
                     const XtGeVector2d& refVec = XtGeVector2d::kXAxis, bool isClockWise = false);
  XtGeCircArc2d& set(const XtGePoint2d& start, const XtGePoint2d& end, double bulge);
  XtGeCircArc2d& setCenter(const XtGePoint2d& centre);
  XtGeCircArc2d& setRadius(double radius);
  XtGeCircArc2d& setRefVec(const XtGeVector2d& refVec);
  // When endAng < startAng, 2*pi is added until endAng >= startAng; the sweep
  // is capped at 2*pi.
  XtGeCircArc2d& setAngles(double startAng, double endAng);
  XtGeCircArc2d& xtSetAngles(double startAng, double endAng) { return setAngles(startAng, endAng); }

  XtGePoint2d center() const { return m_centre; }
  double radius() const { return m_radius; }
  double startAng() const { return m_start; }
  double endAng() const { return m_end; }
  XtGeVector2d refVec() const { return m_refVec; }
  bool isClockWise() const { return m_clockWise; }
  bool isFullCircle() const { return m_end >= m_start + XtGe::kTwoPi; }
  XtGePoint2d startPoint() const { return xtEvalPoint(m_start); }
  XtGePoint2d endPoint() const { return xtEvalPoint(m_end); }

  // Crossings with a line, ray or segment: n of 0, 1 (also a touch) or 2
  // points, on this arc, ordered along the linear entity. False when none.
  bool intersectWith(const XtGeLinearEnt2d& line, int& n, XtGePoint2d& p1, XtGePoint2d& p2,
                     const XtGeTol& tol = XtGeContext::gTol) const;
  // Crossings with another arc, ordered along this arc. Arcs of the same
  // circle give no points (n = 0).
  bool intersectWith(const XtGeCircArc2d& arc, int& n, XtGePoint2d& p1, XtGePoint2d& p2,
                     const XtGeTol& tol = XtGeContext::gTol) const;
  // The tangent line at a point on the arc (through the point, along the
  // direction of travel). False when the point is not on the arc or the
  // radius is zero.
  bool tangent(const XtGePoint2d& p, XtGeLine2d& line,
               const XtGeTol& tol = XtGeContext::gTol) const;

  // ---- XtGeCurve2d
  int type() const override { return XtGe::kCircArc2d; }
  [[nodiscard]] XtGeCircArc2d* copy() const override { return new XtGeCircArc2d(*this); }
  // Similarity transforms only: the centre and reference vector are mapped
  // and the radius scaled; a mirror flips the sense so that every point
  // keeps its parameter. Other transforms leave the arc unchanged (false).
  bool transformBy(const XtGeMatrix2d& m) override;
  void getInterval(XtGeInterval& interval) const override;
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
  void getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const override;
  bool setInterval(const XtGeInterval& interval) override;
  void getSamplePoints(double fromParam, double toParam, double approxEps,
                       XtGePoint2dArray& points, XtGeDoubleArray& params) const override;
  XtGeBoundBlock2d xtOrthoBoundBlock() const override;
  // Keeps centre, radius and reference vector, flips the sense and maps the
  // angles (s, e) to (2*pi - e, 2*pi - s).
  XtGeCircArc2d& reverseParam() override;
  // The concentric arc with radius R - d (counter-clockwise) or R + d
  // (clockwise); nothing when that radius is not above tol.equalPoint.
  bool getTrimmedOffset(double d, XtGeCurve2dPtrArray& offsetCurves, int extType = XtGe::kFillet,
                        const XtGeTol& tol = XtGeContext::gTol) const override;

private:
  XtGePoint2d m_centre;
  double m_radius = 1.0;
  XtGeVector2d m_refVec{1.0, 0.0};
  double m_start = 0.0;
  double m_end = XtGe::kTwoPi;
  bool m_clockWise = false;
};
