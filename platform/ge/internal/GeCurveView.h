// A simple curve seen through its numeric kernel (linear span, arc frame or
// ellipse frame), so that pair algorithms can treat every kind alike.
#pragma once

#include "platform/ge/internal/GeArcFrame.h"
#include "platform/ge/internal/GeEllipseFrame.h"
#include "platform/ge/internal/GeLinearSpan.h"

class XtGeCurve2d;

namespace GeKernel {

struct CurveView {
  enum class Kind { kLinear, kArc, kEllipse };
  Kind kind = Kind::kLinear;
  LinearSpan lin;
  ArcFrame arc;
  EllipseFrame ell;

  // False when the curve is not a line, ray, segment, arc or ellipse arc.
  static bool make(const XtGeCurve2d& curve, CurveView& view);

  bool isFinite() const;
  // Largest coordinate magnitude of the curve's defining data.
  double magnitude() const;
  bool hasLo() const;
  bool hasHi() const;
  double lo() const;
  double hi() const;
  // A full circle or ellipse.
  bool isClosed() const;
  XtGePoint2d eval(double t) const;
  // Unit tangent in the direction of increasing parameter (zero where
  // degenerate).
  XtGeVector2d unitTangent(double t) const;
  // Distance per unit of parameter (|vec| or the radius); 0 for ellipses.
  double speed() const;
  double closestParam(const XtGePoint2d& p) const;
  // A box holding the whole curve (the full circle or ellipse of an arc);
  // unbounded for lines and rays.
  CoarseBox coarseBox() const;
  // Whether p may lie within dist of the curve: false only when it surely
  // does not (a cheap first test before distanceTo).
  bool mayBeNear(const XtGePoint2d& p, double dist) const;
  double distanceTo(const XtGePoint2d& p) const;
};

}  // namespace GeKernel
