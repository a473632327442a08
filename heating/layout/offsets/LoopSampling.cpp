#include "heating/layout/offsets/LoopSampling.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A walk over a loop's elements in one direction: element lengths and
// points by walked length inside an element.
class LoopWalk {
 public:
  LoopWalk(const CLoop& loop, bool forward, const XtGeTol& tol) : loop_(loop), forward_(forward), tol_(tol) {}

  int count() const { return loop_.elementCount(); }
  // The element after i in the walking direction.
  int next(int i) const { return forward_ ? loop_.nextIndex(i) : loop_.previousIndex(i); }
  // The element where a walk round the whole loop begins.
  int first() const { return forward_ ? 0 : count() - 1; }
  double length(int i) const {
    const CLoopElement* element = loop_.elementWithCurve(i);
    if (element == nullptr) return 0.0;
    const double len = element->curve->geCurve().length(tol_);
    return std::isfinite(len) ? len : 0.0;
  }
  // The point `pos` along element i from the end the walk enters it by.
  XtGePoint2d pointAt(int i, double pos) const {
    const XtGeCurve2d& curve = loop_.elements[i]->curve->geCurve();
    XtGeInterval interval;
    curve.getInterval(interval);
    const double datum = forward_ ? interval.lowerBound() : interval.upperBound();
    return curve.evalPoint(curve.paramAtLength(datum, pos, forward_, tol_));
  }
  // The point where the walk leaves (enters) element i.
  XtGePoint2d exitPoint(int i) const {
    const CLoopElement* element = loop_.elements[i];
    return forward_ ? element->endPoint() : element->startPoint();
  }
  XtGePoint2d entryPoint(int i) const {
    const CLoopElement* element = loop_.elements[i];
    return forward_ ? element->startPoint() : element->endPoint();
  }

  // Walks `total` from `pos0` along element i0, appending a sample every
  // `step` while more than `margin` of the total would remain after it; a
  // sample within the point value of a vertex is the vertex. At most
  // `maxSamples` in `samples` in all; each element is visited at most
  // count() + 1 times in all.
  void walk(int i0, double pos0, double total, double step, double margin, std::size_t maxSamples,
            std::vector<LoopSample>& samples) const {
    const double eq = tol_.equalPoint();
    int i = i0;
    double pos = pos0;
    double walked = 0.0;
    double r = step;
    for (int visit = 0; visit <= count() && samples.size() < maxSamples; ++visit) {
      if (loop_.elementWithCurve(i) != nullptr) {
        double remaining = std::max(0.0, length(i) - pos);
        while (true) {
          if (remaining > r + eq) {
            pos += r;
            walked += r;
            remaining -= r;
            r = step;
            if (total - walked <= margin) return;
            samples.push_back({pointAt(i, pos), i, -1});
            if (samples.size() >= maxSamples) return;
          } else if (remaining >= r - eq) {
            walked += remaining;
            r = step;
            if (total - walked <= margin) return;
            samples.push_back({exitPoint(i), i, next(i)});
            break;
          } else {
            r -= remaining;
            walked += remaining;
            break;
          }
        }
      }
      i = next(i);
      pos = 0.0;
    }
  }

 private:
  const CLoop& loop_;
  bool forward_;
  const XtGeTol& tol_;
};

// The most samples the narrow-spot test takes round one loop.
constexpr double kMaxNarrowSpotSamples = 20000.0;

bool goodStep(double step) { return std::isfinite(step) && step > 0.0; }

// The most samples a walk of `total` at `step` may take.
std::size_t sampleBound(double total, double step) {
  const double bound = std::floor(total / step) + 2.0;
  return bound < 1e9 ? static_cast<std::size_t>(bound) : static_cast<std::size_t>(1e9);
}

void toOffsetPoints(const CLoop& loop, const std::vector<LoopSample>& positions, std::vector<COffsetPoint>& samples) {
  samples.reserve(samples.size() + positions.size());
  for (const LoopSample& s : positions) {
    COffsetPoint p(s.point, loop.elements[s.section]);
    if (s.otherSection >= 0) p.addLink(loop.elements[s.otherSection]);
    samples.push_back(std::move(p));
  }
}

}  // namespace

bool sampleLoopPositions(const CLoop& loop, bool forward, double step, std::vector<LoopSample>& samples,
                         const XtGeTol& tol) {
  samples.clear();
  if (loop.elementCount() == 0 || !goodStep(step)) return false;
  const LoopWalk walk(loop, forward, tol);
  double total = 0.0;
  for (int i = 0; i < walk.count(); ++i) total += walk.length(i);
  const int first = walk.first();
  const int last = forward ? loop.elementCount() - 1 : 0;
  if (loop.elementWithCurve(first) == nullptr) return false;
  samples.push_back({walk.entryPoint(first), first, last});
  walk.walk(first, 0.0, total, step, step + tol.equalPoint(), sampleBound(total, step), samples);
  return true;
}

bool sampleLoopPoints(const CLoop& loop, bool forward, double step, std::vector<COffsetPoint>& samples,
                      const XtGeTol& tol) {
  samples.clear();
  std::vector<LoopSample> positions;
  if (!sampleLoopPositions(loop, forward, step, positions, tol)) return false;
  toOffsetPoints(loop, positions, samples);
  return true;
}

bool sampleLoopBetween(const CLoop& loop, const CLoopPoint& from, const CLoopPoint& to, bool forward, double step,
                       std::vector<COffsetPoint>& samples, const XtGeTol& tol) {
  samples.clear();
  if (!goodStep(step)) return false;
  const int i0 = loop.indexOf(from.outgoingLink(forward, tol));
  const int i1 = loop.indexOf(to.incomingLink(forward, tol));
  if (i0 < 0 || i1 < 0 || loop.elementWithCurve(i0) == nullptr) return false;
  const double total = loop.lengthBetween(from, to, forward, tol);
  if (!(total > tol.equalPoint()) || !std::isfinite(total)) return true;

  const XtGeCurve2d& curve = loop.elements[i0]->curve->geCurve();
  XtGeInterval interval;
  curve.getInterval(interval);
  const double t = curve.paramOf(from.point, tol);
  const double pos0 = forward ? curve.length(interval.lowerBound(), t, tol) : curve.length(t, interval.upperBound(), tol);

  std::vector<LoopSample> positions;
  LoopWalk(loop, forward, tol).walk(i0, pos0, total, step, tol.equalPoint(), sampleBound(total, step), positions);
  toOffsetPoints(loop, positions, samples);
  return true;
}

namespace {

// The distance from sample i to the far side of the loop (see
// hasNarrowSpot); +infinity when it has none. The search stops at the first
// distance below `enough`.
double oppositeDistance(const std::vector<LoopSample>& samples, int i, double spacing, double h, double enough) {
  const int m = static_cast<int>(samples.size());
  const XtGePoint2d& p = samples[i].point;
  // Samples within one spacing of walked length from P, either way, never
  // count.
  const int near = static_cast<int>(std::ceil(spacing / h));
  const auto distanceAt = [&](int j) { return samples[(i + j) % m].point.distanceTo(p); };

  // Where each way's far side begins, as a forward index from P (0 < j < m).
  int places[2] = {-1, -1};
  for (int way = 0; way < 2; ++way) {
    double largest = 0.0;
    for (int step = 1; step < m; ++step) {
      const int j = way == 0 ? step : m - step;
      const double d = distanceAt(j);
      if (step > near && d < largest) {
        places[way] = j;
        break;
      }
      largest = std::max(largest, d);
    }
  }
  int from = 0;
  int to = -1;
  if (places[0] >= 0 && places[1] >= 0) {
    from = std::min(places[0], places[1]);
    to = std::max(places[0], places[1]);
  } else if (places[0] >= 0) {
    from = places[0];
    to = m - 1;
  } else if (places[1] >= 0) {
    from = 1;
    to = places[1];
  }
  double best = std::numeric_limits<double>::infinity();
  for (int j = std::max(from, near + 1); j <= std::min(to, m - near - 1) && best >= enough; ++j)
    best = std::min(best, distanceAt(j));
  return best;
}

}  // namespace

bool hasNarrowSpot(const CLoop& loop, double spacing, const XtGeTol& tol) {
  if (!goodStep(spacing)) return false;
  const double h = 0.25 * spacing;
  if (tol.equalPoint() > h) return false;
  // The test is quadratic in the samples: a spacing this small against the
  // loop is no pipe spacing, and is refused.
  if (loop.length(tol) / h > kMaxNarrowSpotSamples) return false;
  std::vector<LoopSample> samples;
  if (!sampleLoopPositions(loop, true, h, samples, tol)) return false;
  const int m = static_cast<int>(samples.size());
  for (int i = 0; m - i >= 5; i += 4)
    if (oppositeDistance(samples, i, spacing, h, 0.5 * spacing) < 0.5 * spacing) return true;
  return false;
}

bool pointAtLengthAlongEdge(const COffsetEdge& edge, const COffsetNode& node, double length, bool forward,
                            CLoopPoint& result) {
  if (&node != edge.a && &node != edge.b) return false;
  if (edge.crossesOwners == 0 && node.owner == nullptr) return false;
  return pointAtLengthAlongEdge(edge, static_cast<const CLoopPoint&>(node), length, forward, result);
}

bool pointAtLengthAlongEdge(const COffsetEdge& edge, const CLoopPoint& from, double length, bool forward,
                            CLoopPoint& result) {
  if (edge.a == nullptr || edge.b == nullptr) return false;
  if (edge.crossesOwners != 0) {
    const XtGeLineSeg2d segment(edge.a->point, edge.b->point);
    const double t = segment.paramOf(from.point, workTolFine);
    double moved = segment.paramAtLength(t, length, forward, workTolFine);
    if (!std::isfinite(moved)) moved = t;
    result.clearLinks();
    result.point = segment.evalPoint(std::clamp(moved, 0.0, 1.0));
    return true;
  }
  if (edge.a->owner == nullptr) return false;
  return edge.a->owner->walkFrom(from, forward, length, result, workTol);
}
