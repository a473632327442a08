// A parameter interval, bounded or unbounded on either side, with its own
// tolerance for comparing bounds. The default interval is unbounded on both
// sides.
#pragma once

#include "platform/ge/XtGe.h"

class XtGeInterval {
public:
  XtGeInterval() = default;
  explicit XtGeInterval(double tol) : m_tol(tol) {}
  XtGeInterval(double lower, double upper, double tol = XtGe::kIntervalTol)
      : m_lower(lower), m_upper(upper), m_boundedBelow(true), m_boundedAbove(true), m_tol(tol) {}
  // Bounded on one side only: the bound given is the lower bound when
  // boundedBelow is true, else the upper bound.
  XtGeInterval(bool boundedBelow, double bound, double tol = XtGe::kIntervalTol);

  double lowerBound() const { return m_lower; }
  double upperBound() const { return m_upper; }
  double tolerance() const { return m_tol; }
  bool isBoundedBelow() const { return m_boundedBelow; }
  bool isBoundedAbove() const { return m_boundedAbove; }
  bool isBounded() const { return m_boundedBelow && m_boundedAbove; }
  bool isUnBounded() const { return !m_boundedBelow && !m_boundedAbove; }
  // Bounded with both bounds equal within the tolerance.
  bool isSingleton() const;

  XtGeInterval& set(double lower, double upper);
  XtGeInterval& set(bool boundedBelow, double bound);  // one side bounded
  XtGeInterval& set();                                  // unbounded
  XtGeInterval& setLower(double lower);  // makes the interval bounded below
  XtGeInterval& setUpper(double upper);  // makes the interval bounded above
  XtGeInterval& setTolerance(double tol) {
    m_tol = tol;
    return *this;
  }

  // upper - lower for a bounded interval (negative when the bounds are
  // reversed, NaN from NaN bounds); +infinity when unbounded.
  double length() const;
  // lower - tol <= t <= upper + tol on each bounded side.
  bool contains(double t) const;
  bool isEqualTo(const XtGeInterval& other) const;

  // The common part; false (and result unchanged) when it is empty or not
  // longer than the tolerance.
  bool intersectWith(const XtGeInterval& other, XtGeInterval& result) const;
  // This interval minus other: 0, 1 or 2 pieces, in ascending order (the
  // first piece in left, the second in right). Pieces not longer than the
  // tolerance are dropped.
  int subtract(const XtGeInterval& other, XtGeInterval& left, XtGeInterval& right) const;

private:
  double m_lower = 0.0;
  double m_upper = 0.0;
  bool m_boundedBelow = false;
  bool m_boundedAbove = false;
  double m_tol = XtGe::kIntervalTol;
};
