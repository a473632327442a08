#include "heating/layout/offsets/LoopContainment.h"

#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>

namespace {

// The most bands; a loop gets about one band per section.
constexpr int kMaxBands = 4096;

// Whether segments a-b and c-d cross or touch (orientation signs; a shared
// or collinear point counts).
bool segmentsMeet(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& c, const XtGePoint2d& d) {
  const double d1 = (b - a).crossProduct(c - a);
  const double d2 = (b - a).crossProduct(d - a);
  const double d3 = (d - c).crossProduct(a - c);
  const double d4 = (d - c).crossProduct(b - c);
  return ((d1 <= 0.0 && d2 >= 0.0) || (d1 >= 0.0 && d2 <= 0.0)) && ((d3 <= 0.0 && d4 >= 0.0) || (d3 >= 0.0 && d4 <= 0.0));
}

// The squared distance from p to the segment a-b.
double distanceSqrdToSegment(const XtGePoint2d& p, const XtGePoint2d& a, const XtGePoint2d& b) {
  const XtGeVector2d ab = b - a;
  const XtGeVector2d ap = p - a;
  const double len2 = ab.lengthSqrd();
  const double t = len2 > 0.0 ? std::clamp(ap.dotProduct(ab) / len2, 0.0, 1.0) : 0.0;
  return (ap - ab * t).lengthSqrd();
}

}  // namespace

bool LoopContainment::build(const CLoop& loop, const XtGeTol& tol) {
  segments_.clear();
  bandStart_.clear();
  bandItems_.clear();
  bands_ = 0;
  tol_ = tol.equalPoint();
  double yMin = INFINITY;
  double yMax = -INFINITY;
  segments_.reserve(loop.elements.size());
  for (const CLoopElement* element : loop.elements) {
    if (element == nullptr || !element->hasCurve()) continue;
    const XtGeCurve2d& curve = element->curve->geCurve();
    if (curve.type() != XtGe::kLineSeg2d) return false;
    const auto& segment = static_cast<const XtGeLineSeg2d&>(curve);
    const Segment s{segment.startPoint(), segment.endPoint()};
    if (!s.a.isFinite() || !s.b.isFinite()) return false;
    segments_.push_back(s);
    yMin = std::min({yMin, s.a.y, s.b.y});
    yMax = std::max({yMax, s.a.y, s.b.y});
  }
  if (segments_.empty()) return false;

  bands_ = std::clamp(static_cast<int>(segments_.size()), 1, kMaxBands);
  y0_ = yMin - tol_;
  const double height = (yMax + tol_) - y0_;
  bandHeight_ = height > 0.0 ? height / bands_ : 1.0;
  // Count, then fill (compressed rows): each section goes into every band
  // its y range (widened by the tolerance) touches.
  bandStart_.assign(static_cast<std::size_t>(bands_) + 1, 0);
  for (const Segment& s : segments_) {
    const int lo = bandOf(std::min(s.a.y, s.b.y) - tol_);
    const int hi = bandOf(std::max(s.a.y, s.b.y) + tol_);
    for (int k = lo; k <= hi; ++k) ++bandStart_[k + 1];
  }
  for (int k = 0; k < bands_; ++k) bandStart_[k + 1] += bandStart_[k];
  bandItems_.resize(static_cast<std::size_t>(bandStart_[bands_]));
  std::vector<int> fill(bandStart_.begin(), bandStart_.end() - 1);
  for (int i = 0; i < static_cast<int>(segments_.size()); ++i) {
    const Segment& s = segments_[i];
    const int lo = bandOf(std::min(s.a.y, s.b.y) - tol_);
    const int hi = bandOf(std::max(s.a.y, s.b.y) + tol_);
    for (int k = lo; k <= hi; ++k) bandItems_[fill[k]++] = i;
  }
  return true;
}

int LoopContainment::bandOf(double y) const {
  const double k = std::floor((y - y0_) / bandHeight_);
  if (!(k >= 0.0)) return 0;
  return k >= bands_ ? bands_ - 1 : static_cast<int>(k);
}

int LoopContainment::classify(const XtGePoint2d& p) const {
  if (bands_ == 0 || p.y < y0_ || p.y > y0_ + bandHeight_ * bands_) return CLoop::kOutside;
  const int band = bandOf(p.y);
  bool inside = false;
  for (int item = bandStart_[band]; item < bandStart_[band + 1]; ++item) {
    const Segment& s = segments_[bandItems_[item]];
    // On the section: within the tolerance of the segment.
    const XtGeVector2d ab = s.b - s.a;
    const XtGeVector2d ap = p - s.a;
    const double len2 = ab.lengthSqrd();
    const double t = len2 > 0.0 ? std::clamp(ap.dotProduct(ab) / len2, 0.0, 1.0) : 0.0;
    const XtGeVector2d off = ap - ab * t;
    if (off.lengthSqrd() <= tol_ * tol_) return CLoop::kOnLoop;
    // A crossing of the ray along +X, half-open in y.
    if ((s.a.y > p.y) != (s.b.y > p.y)) {
      const double x = s.a.x + (p.y - s.a.y) / (s.b.y - s.a.y) * ab.x;
      if (x > p.x) inside = !inside;
    }
  }
  return inside ? CLoop::kInside : CLoop::kOutside;
}

bool LoopContainment::isClearOf(const XtGePoint2d& a, const XtGePoint2d& b, double margin) const {
  if (bands_ == 0) return false;
  const double lo = std::min(a.y, b.y) - margin;
  const double hi = std::max(a.y, b.y) + margin;
  if (hi < y0_ || lo > y0_ + bandHeight_ * bands_) return true;
  const double xlo = std::min(a.x, b.x) - margin;
  const double xhi = std::max(a.x, b.x) + margin;
  const double margin2 = margin * margin;
  const int last = bandOf(hi);
  for (int band = bandOf(lo); band <= last; ++band) {
    for (int item = bandStart_[band]; item < bandStart_[band + 1]; ++item) {
      const Segment& s = segments_[bandItems_[item]];
      if (std::max(s.a.x, s.b.x) < xlo || std::min(s.a.x, s.b.x) > xhi) continue;
      if (std::max(s.a.y, s.b.y) < lo || std::min(s.a.y, s.b.y) > hi) continue;
      if (segmentsMeet(a, b, s.a, s.b)) return false;
      if (distanceSqrdToSegment(a, s.a, s.b) <= margin2 || distanceSqrdToSegment(b, s.a, s.b) <= margin2 ||
          distanceSqrdToSegment(s.a, a, b) <= margin2 || distanceSqrdToSegment(s.b, a, b) <= margin2)
        return false;
    }
  }
  return true;
}
