#include "heating/layout/offsets/RingContourCheck.h"
#include "heating/layout/offsets/PointSegmentDistance.h"

#include "heating/layout/offsets/COffsetSection.h"

#include "heating/curves/CGLHTesselationData.h"

#include <algorithm>
#include <cmath>

namespace {

struct RingVertex {
  double x;
  double y;
  std::size_t index;
};

bool before(const RingVertex& a, const RingVertex& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); }

class RingIndex {
 public:
  explicit RingIndex(const std::vector<XtGePoint2d>& ring) : ring_(ring) {
    sorted_.reserve(ring.size());
    for (std::size_t i = 0; i < ring.size(); ++i)
      sorted_.push_back(
          {CGLHTesselationData::withLowByteCleared(ring[i].x), CGLHTesselationData::withLowByteCleared(ring[i].y), i});
    std::sort(sorted_.begin(), sorted_.end(), before);
  }

  // Whether p is a vertex of the ring as fed (`known`), and if so whether
  // `other` lies within tol of an edge of the ring at it.
  bool reaches(const XtGePoint2d& p, const XtGePoint2d& other, double tol, bool& known) const {
    const RingVertex key{p.x, p.y, 0};
    const auto range = std::equal_range(sorted_.begin(), sorted_.end(), key, before);
    known = range.first != range.second;
    const std::size_t n = ring_.size();
    for (auto it = range.first; it != range.second; ++it) {
      const std::size_t i = it->index;
      if (pointSegmentDistance(other, ring_[(i + n - 1) % n], ring_[i]) <= tol ||
          pointSegmentDistance(other, ring_[i], ring_[(i + 1) % n]) <= tol)
        return true;
    }
    return false;
  }

 private:
  const std::vector<XtGePoint2d>& ring_;
  std::vector<RingVertex> sorted_;
};

}  // namespace

bool loopsFollowRing(const std::vector<XtGePoint2d>& ring, const std::vector<COffsetLoop*>& loops, std::size_t first,
                     double tol) {
  if (ring.size() < 2) return true;
  const RingIndex index(ring);
  for (std::size_t k = first; k < loops.size(); ++k) {
    const COffsetLoop* loop = loops[k];
    for (int i = 0; i < loop->sectionCount(); ++i) {
      const COffsetSection* section = loop->section(i);
      if (section == nullptr || !section->hasCurve()) continue;
      const XtGePoint2d a = section->startPoint();
      const XtGePoint2d b = section->endPoint();
      bool knownA = false;
      bool knownB = false;
      if (index.reaches(a, b, tol, knownA) || index.reaches(b, a, tol, knownB)) continue;
      if (knownA || knownB) return false;
    }
  }
  return true;
}
