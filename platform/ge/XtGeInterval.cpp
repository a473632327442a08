#include "platform/ge/XtGeInterval.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

XtGeInterval::XtGeInterval(bool boundedBelow, double bound, double tol) : m_tol(tol) {
  set(boundedBelow, bound);
}

bool XtGeInterval::isSingleton() const {
  return isBounded() && std::fabs(m_upper - m_lower) <= m_tol;
}

XtGeInterval& XtGeInterval::set(double lower, double upper) {
  m_lower = lower;
  m_upper = upper;
  m_boundedBelow = m_boundedAbove = true;
  return *this;
}

XtGeInterval& XtGeInterval::set(bool boundedBelow, double bound) {
  m_boundedBelow = boundedBelow;
  m_boundedAbove = !boundedBelow;
  m_lower = boundedBelow ? bound : 0.0;
  m_upper = boundedBelow ? 0.0 : bound;
  return *this;
}

XtGeInterval& XtGeInterval::set() {
  m_boundedBelow = m_boundedAbove = false;
  m_lower = m_upper = 0.0;
  return *this;
}

XtGeInterval& XtGeInterval::setLower(double lower) {
  m_lower = lower;
  m_boundedBelow = true;
  return *this;
}

XtGeInterval& XtGeInterval::setUpper(double upper) {
  m_upper = upper;
  m_boundedAbove = true;
  return *this;
}

double XtGeInterval::length() const {
  if (!isBounded()) return kInf;
  return m_upper - m_lower;
}

bool XtGeInterval::contains(double t) const {
  if (std::isnan(t)) return false;
  if (m_boundedBelow && !(t >= m_lower - m_tol)) return false;
  if (m_boundedAbove && !(t <= m_upper + m_tol)) return false;
  return true;
}

bool XtGeInterval::isEqualTo(const XtGeInterval& o) const {
  if (m_boundedBelow != o.m_boundedBelow || m_boundedAbove != o.m_boundedAbove) return false;
  if (m_boundedBelow && !(std::fabs(m_lower - o.m_lower) <= m_tol)) return false;
  if (m_boundedAbove && !(std::fabs(m_upper - o.m_upper) <= m_tol)) return false;
  return true;
}

namespace {

// Lower and upper ends as numbers, +-infinity where unbounded.
double lowOf(const XtGeInterval& iv) { return iv.isBoundedBelow() ? iv.lowerBound() : -kInf; }
double highOf(const XtGeInterval& iv) { return iv.isBoundedAbove() ? iv.upperBound() : kInf; }

XtGeInterval fromEnds(double lo, double hi, double tol) {
  XtGeInterval r(tol);
  if (lo != -kInf) r.setLower(lo);
  if (hi != kInf) r.setUpper(hi);
  return r;
}

}  // namespace

bool XtGeInterval::intersectWith(const XtGeInterval& other, XtGeInterval& result) const {
  const double ends[4] = {lowOf(*this), highOf(*this), lowOf(other), highOf(other)};
  for (double e : ends)
    if (std::isnan(e)) return false;
  const double lo = std::max(ends[0], ends[2]);
  const double hi = std::min(ends[1], ends[3]);
  if (!(hi - lo > m_tol)) return false;
  result = fromEnds(lo, hi, m_tol);
  return true;
}

int XtGeInterval::subtract(const XtGeInterval& other, XtGeInterval& left,
                           XtGeInterval& right) const {
  const double lo = lowOf(*this);
  const double hi = highOf(*this);
  const double olo = lowOf(other);
  const double ohi = highOf(other);
  if (std::isnan(lo) || std::isnan(hi) || std::isnan(olo) || std::isnan(ohi)) return 0;
  XtGeInterval pieces[2];
  int n = 0;
  // Nothing in common (or less than the tolerance): the whole interval stays.
  if (!(std::min(hi, ohi) - std::max(lo, olo) > m_tol)) {
    if (hi - lo > m_tol) pieces[n++] = *this;
  } else {
    const double leftHi = std::min(hi, olo);
    if (leftHi - lo > m_tol) pieces[n++] = fromEnds(lo, leftHi, m_tol);
    const double rightLo = std::max(lo, ohi);
    if (hi - rightLo > m_tol) pieces[n++] = fromEnds(rightLo, hi, m_tol);
  }
  if (n > 0) left = pieces[0];
  if (n > 1) right = pieces[1];
  return n;
}
