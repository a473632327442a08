// A point on a loop of heating curves, with the loop elements it lies on (its
// links): one link when the point lies inside an element, two when it is the
// joint of two elements.
//
// Loop points are values: the intersection queries of CLoop hand them out in
// vectors, and copies copy the point and the link list. The links point into
// a loop and stay valid as long as that loop's elements live.
//
// The zone boundary's CBoundPoint and the layout's COffsetPoint and
// COffsetNode derive from this class; COffsetNode overrides clearLinks to
// keep its sections' node lists in step, which is why the link list is
// changed only through the three virtual operations (or by derived classes).
#pragma once

#include "heating/curves/CLoopElement.h"

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "platform/ge/XtGeTol.h"

#include <vector>

class CLoopPoint {
 public:
  CLoopPoint() = default;
  explicit CLoopPoint(const XtGePoint2d& p) : point(p) {}
  // The point with one link (none when link is null).
  CLoopPoint(const XtGePoint2d& p, CLoopElement* link);
  virtual ~CLoopPoint() = default;
  CLoopPoint(const CLoopPoint&) = default;
  CLoopPoint& operator=(const CLoopPoint&) = default;
  CLoopPoint(CLoopPoint&&) = default;
  CLoopPoint& operator=(CLoopPoint&&) = default;

  // ---- Links (the virtual operations, in this order) -------------------------

  // Appends the element unless it is null or already linked.
  virtual void addLink(CLoopElement* element);
  // Removes the element's first occurrence; nothing when it is not linked.
  virtual void removeLink(CLoopElement* element);
  // Removes every link.
  virtual void clearLinks();

  const std::vector<CLoopElement*>& links() const { return links_; }
  bool hasLink(const CLoopElement* element) const;

  // Makes this point a copy of `from`: clearLinks(), then the point, then
  // every link of `from` through addLink. This is how the queries that pick
  // one intersection write their answer.
  void assignPointAndLinks(const CLoopPoint& from);

  // ---- The elements one leaves and reaches the point along --------------------
  //
  // `forward` is the walking direction: true walks the loop in its own
  // direction (along each curve from start to end), false against it.
  // With exactly one link, that link; with none, null. Otherwise:
  // outgoingLink is the last link whose far end in the walking direction (its
  // end point forward, its start point backward) differs from the point by
  // tol: the element along which one leaves the point;
  // incomingLink is the last link whose near end (its start point forward,
  // its end point backward) differs from the point: the element by which one
  // arrives. Null when no link qualifies (or a link has no curve).
  CLoopElement* outgoingLink(bool forward, const XtGeTol& tol) const;
  CLoopElement* incomingLink(bool forward, const XtGeTol& tol) const;

  // The normal ray of the outgoing link (walking direction `forward`,
  // workTol) at this point, on `side` (+1 left of the curve's direction, -1
  // right; see CFloorHeatingCurve::normalRay). False, ray untouched, when
  // the point has no outgoing link or the curve gives no normal there.
  bool linkRay(bool forward, XtGeRay2d& ray, int side) const;

  XtGePoint2d point;

 protected:
  std::vector<CLoopElement*> links_;
};

// Of the candidates, the one nearest to the reference (with `farthest`, the
// one farthest from it), written into `out` with assignPointAndLinks:
// strictly nearer (farther) replaces, so the first of equal distances stays.
// False, `out` untouched, when there are no candidates. The loops' picked
// intersections all choose by it.
bool pickByDistance(const std::vector<CLoopPoint>& candidates, const XtGePoint2d& reference, bool farthest,
                    CLoopPoint& out);
