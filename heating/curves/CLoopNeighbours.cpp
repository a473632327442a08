// The shape test beside a point that the spiral layout asks of a loop.
#include "heating/curves/CLoop.h"

#include "geometry/Tolerances.h"

namespace {

// The end of an element that lies ahead in the walking direction.
const XtGePoint2d& farEnd(const CLoopElement& element, bool forward) {
  return forward ? element.endPoint() : element.startPoint();
}

// The element's side test for q (left of, or on, its curve). A point within
// workTol's point value of a line's carrier counts as on it, so that a
// neighbour drawn in line with the element is on it however its last bits
// fall.
bool side(const CLoopElement& element, const XtGePoint2d& q) {
  if (element.curve->kind() != CFloorHeatingCurve::kLine) return element.curve->sideTest(q);
  const XtGePoint2d& a = element.startPoint();
  const XtGeVector2d along = element.endPoint() - a;
  return along.crossProduct(q - a) >= -workTol.equalPoint() * along.length();
}

// Whether `a` is farther than `b` by more than workTol's point value: two
// lengths drawn equal tie however their last bits fall.
bool clearlyFarther(double a, double b) { return a > b + workTol.equalPoint(); }

}  // namespace

bool CLoop::walkNeighbours(const XtGePoint2d& point, double distance, bool backward, const CLoopPoint& reference,
                           const XtGePoint2d* hint) const {
  if (elementCount() < 6) return false;
  CLoopPoint c;
  if (!closestPoint(point, c, workTol) || c.links().size() != 1) return false;
  const int k = indexOf(c.links().front());
  const bool forward = !backward;
  const int step = forward ? 1 : -1;
  const CLoopElement* e = elementWithCurve(k);
  const CLoopElement* e1 = elementWithCurve(cyclicIndex(k, step));
  const CLoopElement* e2 = elementWithCurve(cyclicIndex(k, 2 * step));
  const CLoopElement* n3 = elementWithCurve(cyclicIndex(k, 3 * step));
  const CLoopElement* n4 = elementWithCurve(cyclicIndex(k, 4 * step));
  const CLoopElement* m1 = elementWithCurve(cyclicIndex(k, -step));
  const CLoopElement* m2 = elementWithCurve(cyclicIndex(k, -2 * step));
  const CLoopElement* out = reference.outgoingLink(forward, workTol);
  if (e == nullptr || e1 == nullptr || e2 == nullptr || n3 == nullptr || n4 == nullptr || m1 == nullptr ||
      m2 == nullptr || out == nullptr || !out->hasCurve())
    return false;

  const XtGePoint2d& b = farEnd(*e1, forward);
  const XtGePoint2d& cFar = farEnd(*e2, forward);
  const XtGePoint2d& p3 = farEnd(*n3, forward);
  const XtGePoint2d& p4 = farEnd(*n4, forward);
  // The elements behind are left at their far end too: their start forward.
  const XtGePoint2d& f = farEnd(*m1, !forward);
  const XtGePoint2d& g = farEnd(*m2, !forward);
  const XtGePoint2d& h = farEnd(*out, forward);

  // Where on e the point lies matters unless the reference point sits at an
  // end of its first link, or a hint says the way ahead (towards b) is meant.
  const CLoopElement* firstLink = reference.links().front();
  const bool referenceAtEnd = firstLink->hasCurve() && (reference.point.isEqualTo(firstLink->startPoint(), workTol) ||
                                                        reference.point.isEqualTo(firstLink->endPoint(), workTol));
  if (!referenceAtEnd && !(hint != nullptr && clearlyFarther(hint->distanceTo(h), hint->distanceTo(b)))) {
    // C in the third of e next to E1.
    const XtGePoint2d& near = forward ? e->startPoint() : e->endPoint();
    const XtGePoint2d& ahead = forward ? e->endPoint() : e->startPoint();
    if (clearlyFarther(near.distanceTo(c.point), 2.0 * ahead.distanceTo(c.point))) return false;
  }

  if (!side(*e, b) || side(*e1, cFar) || !side(*e, f)) return false;

  const XtGeLine2d chord = e->curve->chordLine();
  if (!side(*m1, g) && clearlyFarther(chord.distanceTo(f, XtGeContext::gTol), chord.distanceTo(b, XtGeContext::gTol)))
    return false;

  if (!side(*e2, p3)) return !clearlyFarther(4.0 * distance, e->curve->length());
  return side(*n3, p4) || !clearlyFarther(n3->curve->length(), distance) ||
         !clearlyFarther(n4->curve->length(), distance);
}
