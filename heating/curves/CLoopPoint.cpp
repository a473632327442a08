#include "heating/curves/CLoopPoint.h"

#include "geometry/Tolerances.h"

#include <algorithm>

CLoopPoint::CLoopPoint(const XtGePoint2d& p, CLoopElement* link) : point(p) {
  if (link != nullptr) links_.push_back(link);
}

void CLoopPoint::addLink(CLoopElement* element) {
  if (element == nullptr || hasLink(element)) return;
  links_.push_back(element);
}

void CLoopPoint::removeLink(CLoopElement* element) {
  const auto it = std::find(links_.begin(), links_.end(), element);
  if (it != links_.end()) links_.erase(it);
}

void CLoopPoint::clearLinks() { links_.clear(); }

bool CLoopPoint::hasLink(const CLoopElement* element) const {
  return std::find(links_.begin(), links_.end(), element) != links_.end();
}

void CLoopPoint::assignPointAndLinks(const CLoopPoint& from) {
  if (&from == this) return;
  clearLinks();
  point = from.point;
  for (CLoopElement* link : from.links_) addLink(link);
}

namespace {

// The last link whose end (atEnd) or start differs from p; null when none
// does. A link without a curve never qualifies.
CLoopElement* lastLinkWithEndAwayFrom(const std::vector<CLoopElement*>& links, const XtGePoint2d& p, bool atEnd,
                                      const XtGeTol& tol) {
  for (auto it = links.rbegin(); it != links.rend(); ++it) {
    const CLoopElement* link = *it;
    if (!link->hasCurve()) continue;
    const XtGePoint2d& end = atEnd ? link->endPoint() : link->startPoint();
    if (!end.isEqualTo(p, tol)) return *it;
  }
  return nullptr;
}

}  // namespace

CLoopElement* CLoopPoint::outgoingLink(bool forward, const XtGeTol& tol) const {
  if (links_.size() == 1) return links_.front();
  return lastLinkWithEndAwayFrom(links_, point, forward, tol);
}

CLoopElement* CLoopPoint::incomingLink(bool forward, const XtGeTol& tol) const {
  if (links_.size() == 1) return links_.front();
  return lastLinkWithEndAwayFrom(links_, point, !forward, tol);
}

bool CLoopPoint::linkRay(bool forward, XtGeRay2d& ray, int side) const {
  const CLoopElement* link = outgoingLink(forward, workTol);
  if (link == nullptr || !link->hasCurve()) return false;
  return link->curve->normalRay(ray, point, side);
}

bool pickByDistance(const std::vector<CLoopPoint>& candidates, const XtGePoint2d& reference, bool farthest,
                    CLoopPoint& out) {
  const CLoopPoint* best = nullptr;
  double bestDistance = 0.0;
  for (const CLoopPoint& candidate : candidates) {
    const double d = candidate.point.distanceTo(reference);
    if (best == nullptr || (farthest ? d > bestDistance : d < bestDistance)) {
      best = &candidate;
      bestDistance = d;
    }
  }
  if (best == nullptr) return false;
  out.assignPointAndLinks(*best);
  return true;
}
