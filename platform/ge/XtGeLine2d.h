// An unbounded straight line P(t) = base + t * vec, t in (-inf, inf).
#pragma once

#include "platform/ge/XtGeLinearEnt2d.h"

class XtGeLine2d : public XtGeLinearEnt2d {
public:
  // Through the origin along +X.
  XtGeLine2d() : XtGeLinearEnt2d(XtGePoint2d(), XtGeVector2d::kXAxis) {}
  XtGeLine2d(const XtGePoint2d& point, const XtGeVector2d& vec) : XtGeLinearEnt2d(point, vec) {}
  // Through p1 (parameter 0) and p2 (parameter 1).
  XtGeLine2d(const XtGePoint2d& p1, const XtGePoint2d& p2) : XtGeLinearEnt2d(p1, p2 - p1) {}

  XtGeLine2d& set(const XtGePoint2d& point, const XtGeVector2d& vec);
  XtGeLine2d& set(const XtGePoint2d& p1, const XtGePoint2d& p2) { return set(p1, p2 - p1); }

  int type() const override { return XtGe::kLine2d; }
  [[nodiscard]] XtGeLine2d* copy() const override { return new XtGeLine2d(*this); }
  bool transformBy(const XtGeMatrix2d& m) override;
  void getInterval(XtGeInterval& interval) const override;
  XtGeLine2d& reverseParam() override;
};
