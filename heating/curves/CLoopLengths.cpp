// Lengths along a loop and walks of a length: the part of CLoop that measures.
#include "heating/curves/CLoop.h"

#include "geometry/Tolerances.h"

#include <cmath>

namespace {

// The element's parameter interval when its curve is bounded at both ends.
bool boundedInterval(const CLoopElement& element, XtGeInterval& range) {
  element.curve->geCurve().getInterval(range);
  return range.isBounded();
}

// The length of the element's curve between two parameters; 0 for a curve
// that is not bounded.
double pieceLength(const CLoopElement& element, double from, double to) {
  XtGeInterval range;
  if (!boundedInterval(element, range)) return 0.0;
  const double len = element.curve->geCurve().length(from, to, workTolFine);
  return std::isfinite(len) ? len : 0.0;
}

double wholeLength(const CLoopElement& element) {
  XtGeInterval range;
  if (!boundedInterval(element, range)) return 0.0;
  return pieceLength(element, range.lowerBound(), range.upperBound());
}

// The parameter of p on the element's curve. A point at one of the curve's
// ends answers that bound, the upper one first when preferUpper: on a closed
// curve (one element making the whole loop) start and end coincide, and the
// walk must know which of the two is meant.
double paramAt(const CLoopElement& element, const XtGePoint2d& p, bool preferUpper, const XtGeTol& tol) {
  const XtGeCurve2d& curve = element.curve->geCurve();
  XtGeInterval range;
  if (boundedInterval(element, range)) {
    const bool atStart = p.isEqualTo(element.startPoint(), tol);
    const bool atEnd = p.isEqualTo(element.endPoint(), tol);
    if (atEnd && (preferUpper || !atStart)) return range.upperBound();
    if (atStart) return range.lowerBound();
  }
  return curve.paramOf(p, workTolFine);
}

// Collects the places where a walk reaches a target length: each piece of
// the walk is offered with the length walked before it (prev) and after it
// (cum); the answer is the mean of the places found. No heap allocation.
class LengthTarget {
 public:
  LengthTarget(double length, const XtGeTol& tol) : length_(length), eps_(tol.equalPoint()) {}

  // The piece [lo, hi] of the element's curve, walked forward (from lo) or
  // backward (from hi). True when it holds the target.
  bool offer(const CLoopElement& element, double lo, double hi, bool forward, double prev, double cum) {
    const XtGeCurve2d& curve = element.curve->geCurve();
    double t;
    if (std::fabs(prev - length_) < eps_) {
      t = forward ? lo : hi;
    } else if (std::fabs(cum - length_) < eps_) {
      t = forward ? hi : lo;
    } else if (prev < length_ && length_ < cum) {
      t = curve.paramAtLength(lo, forward ? length_ - prev : cum - length_, true, workTolFine);
    } else {
      return false;
    }
    const XtGePoint2d p = curve.evalPoint(t);
    x_ += p.x;
    y_ += p.y;
    ++count_;
    return true;
  }

  bool found() const { return count_ > 0; }
  XtGePoint2d mean() const { return XtGePoint2d(x_ / count_, y_ / count_); }

 private:
  double length_;
  double eps_;
  double x_ = 0.0;
  double y_ = 0.0;
  int count_ = 0;
};

}  // namespace

double CLoop::length(const XtGeTol& tol) const {
  double total = 0.0;
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    if (element == nullptr) continue;
    const double len = element->curve->geCurve().length(tol);
    if (std::isfinite(len)) total += len;
  }
  return total;
}

double CLoop::lengthAlong(int ia, double ta, int ib, double tb, bool forward) const {
  const CLoopElement* ea = elementWithCurve(ia);
  const CLoopElement* eb = elementWithCurve(ib);
  if (ea == nullptr || eb == nullptr) return 0.0;
  XtGeInterval rangeA;
  XtGeInterval rangeB;
  const bool boundedA = boundedInterval(*ea, rangeA);
  const bool boundedB = boundedInterval(*eb, rangeB);
  if (forward) {
    if (ia == ib && tb > ta) return pieceLength(*ea, ta, tb);
    double total = boundedA ? pieceLength(*ea, ta, rangeA.upperBound()) : 0.0;
    for (int j = nextIndex(ia); j != ib; j = nextIndex(j))
      if (const CLoopElement* e = elementWithCurve(j)) total += wholeLength(*e);
    return total + (boundedB ? pieceLength(*eb, rangeB.lowerBound(), tb) : 0.0);
  }
  if (ia == ib && ta > tb) return pieceLength(*ea, tb, ta);
  double total = boundedA ? pieceLength(*ea, rangeA.lowerBound(), ta) : 0.0;
  for (int j = previousIndex(ia); j != ib; j = previousIndex(j))
    if (const CLoopElement* e = elementWithCurve(j)) total += wholeLength(*e);
  return total + (boundedB ? pieceLength(*eb, tb, rangeB.upperBound()) : 0.0);
}

double CLoop::lengthBetween(const CLoopPoint& a, const CLoopPoint& b, bool forward, const XtGeTol& tol) const {
  const int ia = indexOf(a.outgoingLink(forward, tol));
  const int ib = indexOf(b.incomingLink(forward, tol));
  if (elementWithCurve(ia) == nullptr || elementWithCurve(ib) == nullptr) return 0.0;
  // The same place: on one element, or at the joint where b's element ends
  // and a's begins. Measured as it stands, the joint would count the whole
  // loop while the same point inside an element counts nothing.
  if (a.point.isEqualTo(b.point, tol) && (ia == ib || ib == (forward ? previousIndex(ia) : nextIndex(ia))))
    return 0.0;
  const double ta = paramAt(*elements[ia], a.point, !forward, tol);
  const double tb = paramAt(*elements[ib], b.point, forward, tol);
  return lengthAlong(ia, ta, ib, tb, forward);
}

bool CLoop::pointsToLength(double length, CLoopPoint& out, const XtGeTol& tol) const {
  out.clearLinks();
  LengthTarget target(length, tol);
  double prev = 0.0;
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    XtGeInterval range;
    if (element == nullptr || !boundedInterval(*element, range)) continue;
    const double cum = prev + wholeLength(*element);
    if (target.offer(*element, range.lowerBound(), range.upperBound(), true, prev, cum)) out.addLink(elements[i]);
    prev = cum;
  }
  if (target.found()) out.point = target.mean();
  return !out.links().empty();
}

bool CLoop::walkFrom(const CLoopPoint& from, bool forward, double length, CLoopPoint& out,
                     const XtGeTol& tol) const {
  const int i0 = indexOf(from.outgoingLink(forward, workTol));
  if (elementWithCurve(i0) == nullptr) return false;
  out.clearLinks();
  const CLoopElement& first = *elements[i0];
  XtGeInterval firstRange;
  if (!boundedInterval(first, firstRange)) return false;
  const double t0 = paramAt(first, from.point, !forward, tol);

  LengthTarget target(length, tol);
  double prev = 0.0;
  const int n = elementCount();
  int i = i0;
  // n + 1 visits: the first element twice (from the start point onward, and
  // at the end of the round the part before it), every other one once.
  for (int visit = 0; visit <= n; ++visit, i = forward ? nextIndex(i) : previousIndex(i)) {
    const CLoopElement* element = elementWithCurve(i);
    XtGeInterval range;
    if (element == nullptr || !boundedInterval(*element, range)) continue;
    double lo = range.lowerBound();
    double hi = range.upperBound();
    if (visit == 0) (forward ? lo : hi) = t0;
    if (visit == n) (forward ? hi : lo) = t0;
    const double cum = prev + pieceLength(*element, lo, hi);
    if (target.offer(*element, lo, hi, forward, prev, cum)) out.addLink(elements[i]);
    prev = cum;
  }
  if (target.found()) out.point = target.mean();
  return !out.links().empty();
}

bool CLoop::comparePathLength(const CLoopPoint& p, const CLoopPoint& a, bool forward, const CLoopPoint& b,
                              bool resultIfEqual, const XtGeTol& tol) const {
  if (p.point.isEqualTo(b.point, tol) || a.point.isEqualTo(b.point, tol)) return resultIfEqual;
  if (p.point.isEqualTo(a.point, tol)) return false;
  return lengthBetween(p, a, forward, workTol) > lengthBetween(p, b, forward, workTol);
}

bool CLoop::isForwardShorter(const XtGePoint2d& p, const XtGePoint2d& q, const XtGeTol& tol) const {
  if (p.isEqualTo(q, tol)) return true;
  int ip = -1;
  int iq = -1;
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    if (element == nullptr) continue;
    if (element->curve->geCurve().isOn(p, tol)) ip = i;
    if (element->curve->geCurve().isOn(q, tol)) iq = i;
  }
  if (ip < 0 || iq < 0) return true;
  const CLoopElement& ep = *elements[ip];
  const CLoopElement& eq = *elements[iq];
  const double ahead = lengthAlong(ip, paramAt(ep, p, false, tol), iq, paramAt(eq, q, true, tol), true);
  const double back = lengthAlong(ip, paramAt(ep, p, true, tol), iq, paramAt(eq, q, false, tol), false);
  return ahead <= back;
}
