// A line segment P(t) = S + t * (E - S), t in [0, 1]; evaluation outside
// extrapolates. Zero-length segments are allowed.
#pragma once

#include "platform/ge/XtGeLinearEnt2d.h"

class XtGeLineSeg2d : public XtGeLinearEnt2d {
public:
  using XtGeLinearEnt2d::getSamplePoints;

  // From (0, 0) to (1, 0).
  XtGeLineSeg2d() : XtGeLinearEnt2d(XtGePoint2d(), XtGeVector2d::kXAxis), m_end(1.0, 0.0) {}
  XtGeLineSeg2d(const XtGePoint2d& start, const XtGePoint2d& end)
      : XtGeLinearEnt2d(start, end - start), m_end(end) {}

  XtGeLineSeg2d& set(const XtGePoint2d& start, const XtGePoint2d& end);

  XtGePoint2d startPoint() const { return m_base; }
  XtGePoint2d endPoint() const { return m_end; }
  XtGePoint2d midPoint() const { return xtEvalPoint(0.5); }

  int type() const override { return XtGe::kLineSeg2d; }
  [[nodiscard]] XtGeLineSeg2d* copy() const override { return new XtGeLineSeg2d(*this); }
  bool transformBy(const XtGeMatrix2d& m) override;
  void getInterval(XtGeInterval& interval) const override;
  bool hasStartPoint(XtGePoint2d& p) const override;
  bool hasEndPoint(XtGePoint2d& p) const override;
  // Exact at both ends.
  XtGePoint2d xtEvalPoint(double t) const override;
  XtGeLineSeg2d& reverseParam() override;
  void getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const override;
  bool setInterval(const XtGeInterval& interval) override;

private:
  XtGePoint2d m_end;
};
