// A ray from its base point: P(t) = base + t * vec for t >= 0. After
// reverseParam the same points run the other way: P(t) = base - t * vec for
// t <= 0, so the base is then the end point.
#pragma once

#include "platform/ge/XtGeLinearEnt2d.h"

class XtGeRay2d : public XtGeLinearEnt2d {
public:
  // From the origin along +X.
  XtGeRay2d() : XtGeLinearEnt2d(XtGePoint2d(), XtGeVector2d::kXAxis) {}
  XtGeRay2d(const XtGePoint2d& base, const XtGeVector2d& vec) : XtGeLinearEnt2d(base, vec) {}
  // From base through the point (parameter 1 at the point).
  XtGeRay2d(const XtGePoint2d& base, const XtGePoint2d& through)
      : XtGeLinearEnt2d(base, through - base) {}

  XtGeRay2d& set(const XtGePoint2d& base, const XtGeVector2d& vec);
  XtGeRay2d& set(const XtGePoint2d& base, const XtGePoint2d& through) {
    return set(base, through - base);
  }
  // Whether the parameter runs from infinity towards the base.
  bool isReversed() const { return m_reversed; }

  XtGeVector2d parameterVector() const override { return m_reversed ? -m_vec : m_vec; }

  int type() const override { return XtGe::kRay2d; }
  [[nodiscard]] XtGeRay2d* copy() const override { return new XtGeRay2d(*this); }
  bool transformBy(const XtGeMatrix2d& m) override;
  void getInterval(XtGeInterval& interval) const override;
  XtGeRay2d& reverseParam() override;

private:
  bool m_reversed = false;
};
