#include "platform/ge/XtGeBoundBlock2d.h"

#include "platform/ge/XtGeMatrix2d.h"

#include <algorithm>

XtGeBoundBlock2d& XtGeBoundBlock2d::set(const XtGePoint2d& p1, const XtGePoint2d& p2) {
  m_min.set(std::min(p1.x, p2.x), std::min(p1.y, p2.y));
  m_max.set(std::max(p1.x, p2.x), std::max(p1.y, p2.y));
  m_empty = false;
  return *this;
}

XtGeBoundBlock2d& XtGeBoundBlock2d::extend(const XtGePoint2d& p) {
  if (std::isnan(p.x) || std::isnan(p.y)) return *this;
  if (m_empty) return set(p, p);
  m_min.set(std::min(m_min.x, p.x), std::min(m_min.y, p.y));
  m_max.set(std::max(m_max.x, p.x), std::max(m_max.y, p.y));
  return *this;
}

XtGeBoundBlock2d& XtGeBoundBlock2d::extend(const XtGeBoundBlock2d& other) {
  if (other.m_empty) return *this;
  extend(other.m_min);
  return extend(other.m_max);
}

XtGeBoundBlock2d& XtGeBoundBlock2d::swell(double d) {
  if (m_empty || std::isnan(d)) return *this;
  const double dx = std::max(d, -(m_max.x - m_min.x) / 2.0);
  const double dy = std::max(d, -(m_max.y - m_min.y) / 2.0);
  m_min.set(m_min.x - dx, m_min.y - dy);
  m_max.set(m_max.x + dx, m_max.y + dy);
  return *this;
}

XtGeBoundBlock2d& XtGeBoundBlock2d::setEmpty() {
  m_min = m_max = XtGePoint2d();
  m_empty = true;
  return *this;
}

XtGeBoundBlock2d& XtGeBoundBlock2d::setToBox(bool) { return *this; }

bool XtGeBoundBlock2d::getMinMaxPoints(XtGePoint2d& minPoint, XtGePoint2d& maxPoint) const {
  if (m_empty) return false;
  minPoint = m_min;
  maxPoint = m_max;
  return true;
}

bool XtGeBoundBlock2d::contains(const XtGePoint2d& p) const {
  return !m_empty && p.x >= m_min.x && p.x <= m_max.x && p.y >= m_min.y && p.y <= m_max.y;
}

bool XtGeBoundBlock2d::isDisjoint(const XtGeBoundBlock2d& o) const {
  if (m_empty || o.m_empty) return true;
  return o.m_min.x > m_max.x || o.m_max.x < m_min.x || o.m_min.y > m_max.y ||
         o.m_max.y < m_min.y;
}

XtGeBoundBlock2d& XtGeBoundBlock2d::transformBy(const XtGeMatrix2d& m) {
  if (m_empty) return *this;
  const XtGePoint2d corners[4] = {m_min, {m_max.x, m_min.y}, m_max, {m_min.x, m_max.y}};
  setEmpty();
  for (const XtGePoint2d& c : corners) extend(m * c);
  return *this;
}
