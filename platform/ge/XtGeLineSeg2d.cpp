#include "platform/ge/XtGeLineSeg2d.h"

#include "platform/ge/XtGeMatrix2d.h"

#include <algorithm>
#include <cmath>
#include <memory>

XtGeLineSeg2d& XtGeLineSeg2d::set(const XtGePoint2d& start, const XtGePoint2d& end) {
  // Copies first: the arguments may be this segment's own ends.
  const XtGePoint2d s = start;
  const XtGePoint2d e = end;
  m_base = s;
  m_end = e;
  m_vec = e - s;
  return *this;
}

bool XtGeLineSeg2d::transformBy(const XtGeMatrix2d& m) {
  if (!m.isFinite()) return false;
  set(m * m_base, m * m_end);
  return true;
}

void XtGeLineSeg2d::getInterval(XtGeInterval& interval) const {
  interval = XtGeInterval(0.0, 1.0, XtGe::kIntervalTol);
}

bool XtGeLineSeg2d::hasStartPoint(XtGePoint2d& p) const {
  p = m_base;
  return true;
}

bool XtGeLineSeg2d::hasEndPoint(XtGePoint2d& p) const {
  p = m_end;
  return true;
}

XtGePoint2d XtGeLineSeg2d::xtEvalPoint(double t) const {
  // Measured from the nearer end, so that both ends come out exactly.
  if (t <= 0.5) return m_base + m_vec * t;
  return m_end - m_vec * (1.0 - t);
}

XtGeLineSeg2d& XtGeLineSeg2d::reverseParam() {
  const XtGePoint2d start = m_base;
  const XtGePoint2d end = m_end;
  return set(end, start);
}

void XtGeLineSeg2d::getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const {
  piece1 = piece2 = nullptr;
  if (std::isnan(t)) return;
  t = std::clamp(t, 0.0, 1.0);
  const XtGePoint2d p = xtEvalPoint(t);
  const double minLength = XtGeContext::gTol.equalPoint();
  std::unique_ptr<XtGeLineSeg2d> first;
  std::unique_ptr<XtGeLineSeg2d> second;
  if (t > XtGe::kIntervalTol && m_base.distanceTo(p) > minLength)
    first = std::make_unique<XtGeLineSeg2d>(m_base, p);
  if (1.0 - t > XtGe::kIntervalTol && p.distanceTo(m_end) > minLength)
    second = std::make_unique<XtGeLineSeg2d>(p, m_end);
  piece1 = first.release();
  piece2 = second.release();
}

bool XtGeLineSeg2d::setInterval(const XtGeInterval& interval) {
  if (!interval.isBounded()) return false;
  const double lo = interval.lowerBound();
  const double hi = interval.upperBound();
  if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return false;
  const XtGePoint2d s = xtEvalPoint(lo);
  const XtGePoint2d e = xtEvalPoint(hi);
  set(s, e);
  return true;
}
