#include "platform/ge/XtGeRay2d.h"

#include "platform/ge/XtGeMatrix2d.h"

XtGeRay2d& XtGeRay2d::set(const XtGePoint2d& base, const XtGeVector2d& vec) {
  m_base = base;
  m_vec = vec;
  m_reversed = false;
  return *this;
}

bool XtGeRay2d::transformBy(const XtGeMatrix2d& m) {
  if (!m.isFinite()) return false;
  m_base = m * m_base;
  m_vec = m * m_vec;
  return true;
}

void XtGeRay2d::getInterval(XtGeInterval& interval) const {
  interval = XtGeInterval(!m_reversed, 0.0, XtGe::kIntervalTol);
}

XtGeRay2d& XtGeRay2d::reverseParam() {
  m_reversed = !m_reversed;
  return *this;
}
