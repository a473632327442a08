#include "heating/layout/offsets/OffsetPolygonReduction.h"

#include "heating/layout/offsets/COffsetLoop.h"

#include "platform/ge/XtGe.h"

#include <cmath>

namespace {

// The signed angle a-p-b seen from p (the winding of the edge a-b round p
// in radians).
double angleSeen(const XtGePoint2d& p, const XtGePoint2d& a, const XtGePoint2d& b) {
  const XtGeVector2d u = a - p;
  const XtGeVector2d v = b - p;
  return std::atan2(u.crossProduct(v), u.dotProduct(v));
}

bool segmentClear(const XtGePoint2d& a, const XtGePoint2d& b, const std::vector<const LoopContainment*>& domain,
                  double margin) {
  for (const LoopContainment* loop : domain)
    if (!loop->isClearOf(a, b, margin)) return false;
  return true;
}

bool outsideEveryLoop(const XtGePoint2d& p, const std::vector<const LoopContainment*>& domain) {
  for (const LoopContainment* loop : domain)
    if (loop->classify(p) != CLoop::kOutside) return false;
  return true;
}

}  // namespace

RingReduction reduceRingOutsideDomain(const std::vector<XtGePoint2d>& ring,
                                      const std::vector<const LoopContainment*>& domain, double margin,
                                      std::vector<XtGePoint2d>& reduced) {
  reduced.clear();
  const std::size_t m = ring.size();
  std::vector<char> outside(m);
  std::size_t first = m;  // the first edge that is kept
  // A clear edge lies wholly inside or wholly outside each loop, and so does
  // the clear edge after it: only the first of a run is classified.
  for (std::size_t i = 0; i < m; ++i) {
    const bool clear = segmentClear(ring[i], ring[(i + 1) % m], domain, margin);
    outside[i] = clear && (i > 0 && outside[i - 1] != 0 ? true : outsideEveryLoop(ring[i], domain));
    if (!outside[i] && first == m) first = i;
  }
  if (first == m) return RingReduction::kClearOfDomain;

  // The winding of the run walked since the anchor, round each domain loop.
  std::vector<double> turned(domain.size());
  reduced.reserve(m);
  for (std::size_t t = 0; t < m;) {
    const std::size_t p = (first + t) % m;
    reduced.push_back(ring[p]);
    if (!outside[p]) {
      ++t;
      continue;
    }
    // A run of outside edges from vertex p: the chord from the anchor to the
    // run's next vertex replaces the edges between them while it keeps clear
    // of the domain and closes a loop round no domain loop; otherwise the
    // vertex before becomes the new anchor.
    std::size_t anchor = p;
    for (std::size_t k = 0; k < domain.size(); ++k) turned[k] = 0.0;
    for (; t < m && outside[(first + t) % m]; ++t) {
      const std::size_t q = (first + t) % m;
      const XtGePoint2d& next = ring[(q + 1) % m];
      for (std::size_t k = 0; k < domain.size(); ++k) turned[k] += angleSeen(domain[k]->anchor(), ring[q], next);
      if (q == anchor) continue;  // a single edge is its own chord
      bool chordHolds = true;
      for (std::size_t k = 0; k < domain.size() && chordHolds; ++k)
        chordHolds = std::fabs(turned[k] + angleSeen(domain[k]->anchor(), next, ring[anchor])) < XtGe::kPi;
      if (chordHolds) chordHolds = segmentClear(ring[anchor], next, domain, margin);
      if (!chordHolds) {
        reduced.push_back(ring[q]);
        anchor = q;
        for (std::size_t k = 0; k < domain.size(); ++k) turned[k] = angleSeen(domain[k]->anchor(), ring[q], next);
      }
    }
  }
  return RingReduction::kReduced;
}

bool contoursClearOfDomain(const std::vector<COffsetLoop*>& loops, const std::vector<const LoopContainment*>& domain,
                           double margin) {
  for (const COffsetLoop* loop : loops)
    for (const CLoopElement* element : loop->elements)
      if (element == nullptr || !element->hasCurve() ||
          !segmentClear(element->startPoint(), element->endPoint(), domain, margin)) return false;
  return true;
}
