// A closed loop of heating curves: the common ground of the zone boundary's
// loops (CFHBoundLoop) and the layout's inward offset loops (COffsetLoop).
//
// `elements` holds the loop's pieces in loop order; the element after the last
// is the first. Each element's curve runs in the loop's direction, so one
// element's end point is the next one's start point (the zone boundary makes
// it so when it prepares a loop). This class owns nothing: whoever fills
// `elements` frees the elements (and through ownsCurve their curves). Derived
// loops that own their elements delete them in their destructors; the
// destructor is virtual so that a loop may be deleted through this class.
//
// Walking direction: every `forward` flag below means "in the loop's own
// direction" when true and "against it" when false. (Callers that think in
// "backward" flags pass !backward.)
//
// Tolerances: each operation compares points with its `tol` argument; where
// it uses the command tolerances workTol or workTolFine instead this is
// said. Parameters and lengths on curves are taken with workTolFine.
// Elements that are null or have no curve are passed over by every query.
//
// Threads: a loop is read by one thread at a time; const queries keep no
// state. Every loop over the elements is bounded by their number.
#pragma once

#include "heating/curves/CLoopElement.h"
#include "heating/curves/CLoopPoint.h"

#include "platform/ge/XtGePoint2dArray.h"

#include <vector>

class CLoop {
 public:
  // Answers of classifyPoint and classifyPoints.
  enum PointPosition : int { kInside = 0, kOutside = 1, kOnLoop = 2 };

  CLoop() = default;
  virtual ~CLoop() = default;
  // The element pointers are not copied behind the owner's back: derived
  // loops copy their elements themselves (CFHBoundLoop::copyFrom).
  CLoop(const CLoop&) = delete;
  CLoop& operator=(const CLoop&) = delete;
  CLoop(CLoop&&) = default;
  CLoop& operator=(CLoop&&) = default;

  // ---- Virtual operations (in this order; derived loops add theirs behind) ---

  // Every place where the loop meets the curve (all intersection points of
  // each element with it, workTolFine), as loop points: a point equal (tol)
  // to one found before only gains the element as a further link; a new
  // point is linked to its element and, when it is the element's start
  // (end) point, also to the previous (next) element. `points` is emptied
  // first; true when it ends non-empty. Throws CFHUnknownCurveKind for a
  // curve of an unknown kind.
  virtual bool intersectCurve(const CFloorHeatingCurve& curve, std::vector<CLoopPoint>& points,
                              const XtGeTol& tol) const;
  // Of the intersections with the curve, the one farthest from the
  // reference point (the first found stays on equal distances), written
  // into `out` with assignPointAndLinks. False, `out` untouched, when the
  // curve meets the loop nowhere.
  virtual bool pickFarthestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference, CLoopPoint& out,
                                        const XtGeTol& tol) const;

  // ---- Intersections and projections -------------------------------------------

  // As intersectCurve for a ray, taking from each element its one hit
  // nearest to the ray's start (the heating curve's intersectWithRay, tol).
  // A ray through a joint gives one point linked to both elements.
  bool intersectRay(const XtGeRay2d& ray, std::vector<CLoopPoint>& points, const XtGeTol& tol) const;
  // The ray intersection nearest to the reference point, written into `out`
  // as pickFarthestIntersection does; false, `out` untouched, when none.
  bool pickIntersection(const XtGeRay2d& ray, const CLoopPoint& reference, CLoopPoint& out,
                        const XtGeTol& tol) const;
  // The projection of the point onto the loop (each element's closest point,
  // workTolFine), linked to the element it lies on, or to both elements at a
  // joint (projections within tol of each other at equal distance). Of two
  // different projections at the same distance (within tol) the later
  // element's wins. False, `out` untouched, for a loop without curves.
  bool closestPoint(const XtGePoint2d& point, CLoopPoint& out, const XtGeTol& tol) const;

  // ---- Lengths and walks (CLoopLengths.cpp) --------------------------------------

  // The sum of the element lengths.
  double length(const XtGeTol& tol) const;
  // The length along the loop from a to b walking in the given direction:
  // from a along a's outgoing link to b's incoming link (tol). On one element
  // with b ahead of a it is the piece between them; with b behind a the walk
  // goes once around the loop. 0 when either link is not an element of this
  // loop, and 0 when a and b are the same point (tol) on one element or at
  // one joint (the walk would otherwise count the whole loop).
  double lengthBetween(const CLoopPoint& a, const CLoopPoint& b, bool forward, const XtGeTol& tol) const;
  // The point at `length` from the start of the first element, linked to
  // every element that holds it (both at a joint, whose point is the mean of
  // the two coincident ends). False for a negative length or one beyond the
  // loop (beyond tol) and for an empty loop; `out`'s links are cleared
  // first in any case.
  bool pointsToLength(double length, CLoopPoint& out, const XtGeTol& tol) const;
  // The point reached by walking `length` from `from` in the given
  // direction, leaving along from's outgoing link (workTol). The walk goes
  // once around the loop and collects every place at that walked length
  // (the mean is the answer; both elements are linked at a joint). False
  // when from's outgoing link is not an element of this loop or the length
  // is negative or longer than the loop. `out`'s links are cleared first
  // when the walk starts.
  bool walkFrom(const CLoopPoint& from, bool forward, double length, CLoopPoint& out, const XtGeTol& tol) const;
  // Whether, walking from p in the given direction, b comes before a:
  // resultIfEqual when p or a is the same point as b (tol); false when p is
  // the same point as a; otherwise lengthBetween(p, a) > lengthBetween(p, b)
  // (both workTol).
  bool comparePathLength(const CLoopPoint& p, const CLoopPoint& a, bool forward, const CLoopPoint& b,
                         bool resultIfEqual, const XtGeTol& tol) const;
  // Whether the way from p to q in the loop's direction is not longer than
  // the way back. Each point is taken on the last element, in loop order,
  // whose curve holds it (tol). True also when p and q are the same point
  // (tol) or either lies on no element.
  bool isForwardShorter(const XtGePoint2d& p, const XtGePoint2d& q, const XtGeTol& tol) const;
  // The mean of the element midpoints weighted by the element lengths.
  // Elements of zero length are left out; a loop without length answers the
  // plain mean of its midpoints, an empty loop the origin.
  XtGePoint2d lengthWeightedCentre() const;

  // ---- Position of points (CLoopClassification.cpp) --------------------------------

  // kOnLoop when the point lies on an element's curve (tol); otherwise a ray
  // from the point decides by the parity of its crossings with the loop:
  // kInside odd, kOutside even. Every crossing counts, two where a ray passes
  // through an arc twice. A ray that runs along an element's chord (workTol),
  // along a straight piece, through a piece's end point or tangent to an arc
  // proves nothing and is turned by pi/5 (starting along +X); when all ten
  // directions are spoilt, the winding number of the loop around the point
  // decides (non-zero: inside).
  int classifyPoint(const XtGePoint2d& point, const XtGeTol& tol) const;
  // kInside when any point is inside, else kOnLoop when any is on the loop,
  // else kOutside (also for no points).
  int classifyPoints(const XtGePoint2dArray& points, const XtGeTol& tol) const;
  // How often the loop winds around the point, counter-clockwise positive
  // (a point on the loop has no winding number; the answer is then
  // meaningless). Arcs count with their true sweep.
  int windingNumber(const XtGePoint2d& point) const;

  // ---- Shape beside a point (CLoopNeighbours.cpp) -----------------------------------

  // A yes/no test of the loop's shape beside a point, used by the spiral
  // layout: from the element e nearest the point (closestPoint, workTol; no
  // when that is a joint) the neighbours two ahead (E1, E2), two behind (M1,
  // M2) and the third and fourth ahead (N3, N4) in the walking direction
  // (ahead = forward unless `backward`) are tested with the curves' side
  // tests. The reference loop point's outgoing link gives the far point h;
  // a hint point nearer to E1's far end than to h skips the test of where on
  // e the point lies. No for loops of fewer than six elements and for a
  // reference point without links.
  bool walkNeighbours(const XtGePoint2d& point, double distance, bool backward, const CLoopPoint& reference,
                      const XtGePoint2d* hint) const;

  // ---- Elements ----------------------------------------------------------------------

  int elementCount() const { return static_cast<int>(elements.size()); }
  // The element's position, -1 when it is not in the loop (or is null).
  int indexOf(const CLoopElement* element) const;
  // Cyclic neighbours of a position (the loop must not be empty).
  int nextIndex(int i) const { return i + 1 < elementCount() ? i + 1 : 0; }
  int previousIndex(int i) const { return i > 0 ? i - 1 : elementCount() - 1; }
  // Position i + offset taken cyclically (any offset).
  int cyclicIndex(int i, int offset) const;
  // The element at a position when it has a curve, else null.
  const CLoopElement* elementWithCurve(int i) const;

  std::vector<CLoopElement*> elements;

 private:
  // Adds a point found on element i to the intersection list as described at
  // intersectCurve.
  void addIntersection(std::vector<CLoopPoint>& points, const XtGePoint2d& p, int i, const XtGeTol& tol) const;
  // The walked length between two positions given by element index and
  // parameter on its curve (see lengthBetween).
  double lengthAlong(int ia, double ta, int ib, double tb, bool forward) const;
};
