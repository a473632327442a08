// The circular heating curve (kind 3), wrapping one XtGeCircArc2d.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/ge/XtGeCircArc2d.h"

class CFloorHeatingArc : public CFloorHeatingCurve {
 public:
  // The default arc (the unit circle) until setArc gives it its geometry.
  explicit CFloorHeatingArc(std::uint32_t tag);
  // A copy of the arc, derived from `source` (may be null); the source's
  // record is not copied.
  CFloorHeatingArc(const XtGeCircArc2d& arc, const CFloorHeatingCurve* source, std::uint32_t tag);
  // The arc of an arc record, which the curve keeps as its record. Throws
  // CFHUnknownCurveKind when the record holds no circular arc.
  CFloorHeatingArc(const CFHEntityRecord& record, std::uint32_t tag);
  ~CFloorHeatingArc() override;

  const XtGeCircArc2d& arc() const { return arc_; }
  // Takes the arc's geometry; the end points follow it.
  void setArc(const XtGeCircArc2d& arc);

  // Arc length between the parameters of the two points.
  double lengthBetween(const XtGePoint2d& from, const XtGePoint2d& to) const override;
  XtGePoint2d midPoint() const override;
  bool intersectWithLine(const XtGeLine2d& line, XtGePoint2d& hit) const override;
  bool intersectWithRay(const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) const override;
  XtGeLine2d perpLineAtMid() const override;
  // Translated so that its midPoint lies on p (the extension is not used).
  Ptr extendedCopyAt(const XtGePoint2d& p, double extension = 0.0) const override;
  // The concentric arc of radius r - d (counter-clockwise) or r + d
  // (clockwise); null when that radius is not above 0.
  Ptr offsetCopy(double distance) const override;
  XtGeVector2d direction() const override;
  // Walks the length from the arc's start angle (whatever it is), stopping at
  // the arc's end.
  XtGePoint2d pointAtLength(double length) const override;
  const XtGeCurve2d& geCurve() const override { return arc_; }
  bool isOn(const XtGePoint2d& p) const override;
  XtGePoint2d closestPointTo(const XtGePoint2d& p) const override;
  // setArcEndPoints (ArcRules.h).
  void setEndPoints(const XtGePoint2d& newStart, const XtGePoint2d& newEnd) override;
  bool intersectWithPolyline(const CFloorHeatingPolyLine& polyline, XtGePoint2dArray& hits,
                             const XtGeTol& tol) const override;
  bool intersectWithPolylineAt(const CFloorHeatingPolyLine& polyline, XtGePoint2d& hit,
                               const XtGeTol& tol) const override;
  XtGeLine2d startLine() const override;
  XtGeLine2d endLine() const override;
  bool normalRay(XtGeRay2d& ray, const XtGePoint2d& p, int side) const override;
  // reverseGeCurve (ArcRules.h): same point set, opposite sense.
  void reverse() override;
  // Left of the direction of travel, or on the arc: judged at the arc's
  // point nearest to p, against the tangent there (beyond an end, the
  // tangent at that end). So a point inside the circle is on the left of a
  // counter-clockwise arc and on the right of a clockwise one.
  bool sideTest(const XtGePoint2d& p, const XtGePoint2dArray* range = nullptr,
                bool* decidedByEndRay = nullptr) const override;
  void translateBy(const XtGeVector2d& v) override;
  // The geometry library's own reversal of the arc's parameter.
  void reverseParam() override;

 private:
  void readEnds();
  // The tangent line at the arc's point of parameter t (the chord line when
  // the arc has no tangent there, as an arc of radius 0).
  XtGeLine2d tangentLineAt(double t) const;

  XtGeCircArc2d arc_;
};
