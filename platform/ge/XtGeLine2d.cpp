#include "platform/ge/XtGeLine2d.h"

#include "platform/ge/XtGeMatrix2d.h"

XtGeLine2d& XtGeLine2d::set(const XtGePoint2d& point, const XtGeVector2d& vec) {
  m_base = point;
  m_vec = vec;
  return *this;
}

bool XtGeLine2d::transformBy(const XtGeMatrix2d& m) {
  if (!m.isFinite()) return false;
  m_base = m * m_base;
  m_vec = m * m_vec;
  return true;
}

void XtGeLine2d::getInterval(XtGeInterval& interval) const {
  interval = XtGeInterval(XtGe::kIntervalTol);
}

XtGeLine2d& XtGeLine2d::reverseParam() {
  m_vec.negate();
  return *this;
}
