#include "platform/ge/internal/GeCurveIntersect.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/internal/GeAngle.h"
#include "platform/ge/internal/GeLeafTree.h"
#include "platform/ge/internal/GeSimpleIntersect.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace GeKernel {

namespace {

// A look along the curves for the crossing test goes this fraction of the
// room both curves leave at the point (to the next joint or end, an arc's
// radius, the gap to the next point).
constexpr double kLookFraction = 0.25;

// One of the two curves with what the post-processing asks of it.
struct Side {
  const XtGeCurve2d* curve = nullptr;
  LeafView view;
  const XtGeCompositeCurve2d* composite = nullptr;
  bool closed = false;
  bool boundedBelow = false;
  bool boundedAbove = false;
  double lo = 0.0;
  double hi = 0.0;
  double slack = 0.0;  // parameter span of a distance of about 2 * ep
  XtGePoint2d start;   // of a closed composite

  bool make(const XtGeCurve2d& c, SingleLeaf& storage, double ep, const XtGeTol& tol) {
    if (!leafViewOf(c, storage, view)) return false;
    curve = &c;
    if (c.type() == XtGe::kCompositeCrv2d) composite = dynamic_cast<const XtGeCompositeCurve2d*>(&c);
    XtGeInterval iv;
    c.getInterval(iv);
    boundedBelow = iv.isBoundedBelow();
    boundedAbove = iv.isBoundedAbove();
    lo = boundedBelow ? iv.lowerBound() : -kInfinity;
    hi = boundedAbove ? iv.upperBound() : kInfinity;
    if (composite != nullptr) {
      closed = composite->xtIsClosed(XtGeTol(ep, tol.equalVector()));
      start = c.xtEvalPoint(lo);
      const double total = composite->totalLength();
      slack = total > 0.0 ? 2.0 * ep / total : 0.0;
    } else {
      closed = view.leaves[0].view.isClosed();
      const double step = leafParamStep(view.leaves[0], 0.5 * (std::isfinite(lo) ? lo : 0.0) +
                                                            0.5 * (std::isfinite(hi) ? hi : 0.0),
                                        2.0 * ep);
      slack = std::isfinite(step) ? step : 0.0;
    }
    return true;
  }

  // The seam of a closed composite answers the lower bound.
  double seamAdjusted(double t, const XtGePoint2d& p, double ep) const {
    if (composite != nullptr && closed && t > 0.5 * (lo + hi) && p.distanceTo(start) <= ep)
      return lo;
    return t;
  }
  bool atOpenEnd(double t) const {
    if (closed) return false;
    return (boundedBelow && std::fabs(t - lo) <= slack) ||
           (boundedAbove && std::fabs(t - hi) <= slack);
  }
  // Length per unit of parameter near t (for turning parameter gaps into
  // lengths and back).
  double speedAt(double t) const {
    if (composite != nullptr) return composite->totalLength();
    const CurveLeaf& leaf = view.leaves[0];
    const double step = leafParamStep(leaf, t, 1.0);
    return step > 0.0 ? 1.0 / step : 0.0;
  }
  // How far a look along the curve from t may go: not past the nearest
  // joint or bounded end on either side (a joint at t itself is passed,
  // into the pieces meeting there), nor farther than the radii of the
  // pieces at t. Past a joint the curve may turn, and past the end of a
  // piece its supporting line or circle may meet the other curve again
  // where the piece itself does not.
  double roomAt(double t) const {
    double room = kInfinity;
    auto bend = [&](const CurveLeaf& leaf) {
      if (leaf.view.kind == CurveView::Kind::kArc) room = std::min(room, leaf.view.arc.radius);
      if (leaf.view.kind == CurveView::Kind::kEllipse)
        room = std::min({room, leaf.view.ell.a.length(), leaf.view.ell.b.length()});
    };
    if (composite == nullptr) {
      bend(view.leaves[0]);
      const double speed = speedAt(t);
      if (!closed && boundedBelow) room = std::min(room, (t - lo) * speed);
      if (!closed && boundedAbove) room = std::min(room, (hi - t) * speed);
      return room;
    }
    // Leaves are in parameter order and meet end to start.
    const CurveLeaf* first = view.leaves;
    const CurveLeaf* last = view.leaves + view.numLeaves;
    auto jointBelow = [&](double x) {
      const CurveLeaf* it = std::upper_bound(
          first, last, x, [](double v, const CurveLeaf& l) { return v < l.g0; });
      if (it == first) return -kInfinity;
      return it[-1].g1 <= x ? it[-1].g1 : it[-1].g0;
    };
    auto jointAbove = [&](double x) {
      const CurveLeaf* it = std::lower_bound(
          first, last, x, [](const CurveLeaf& l, double v) { return l.g1 < v; });
      if (it == last) return kInfinity;
      return it->g0 >= x ? it->g0 : it->g1;
    };
    double back = jointBelow(t - slack);
    double ahead = jointAbove(t + slack);
    if (closed) {  // around the seam
      const double period = hi - lo;
      if (back == -kInfinity) back = jointBelow(t + period - slack) - period;
      if (ahead == kInfinity) ahead = jointAbove(t - period + slack) + period;
    }
    const double speed = speedAt(t);
    room = std::min({room, (t - back) * speed, (ahead - t) * speed});
    const CurveLeaf* it = std::lower_bound(
        first, last, t - slack, [](const CurveLeaf& l, double v) { return l.g1 < v; });
    for (; it != last && it->g0 <= t + slack; ++it) bend(*it);
    if (closed && (t - lo <= slack || hi - t <= slack)) {
      bend(view.leaves[0]);
      bend(view.leaves[view.numLeaves - 1]);
    }
    return room;
  }
  XtGePoint2d evalAround(double t) const {
    if (composite != nullptr && closed && hi > lo) {
      if (t < lo) t += hi - lo;
      if (t > hi) t -= hi - lo;
    }
    return curve->xtEvalPoint(t);
  }
};

// Counter-clockwise angle from u to v in [0, 2*pi).
double ccwAngle(const XtGeVector2d& u, const XtGeVector2d& v) {
  return normalizeAngle(std::atan2(u.crossProduct(v), u.dotProduct(v)));
}

enum class Branches { kCross, kTouch, kUnsure };

// Whether c2's branches (back2, ahead2) through v lie on different sides of
// c1's branches (back1, ahead1). Unsure where a branch is too short, or an
// angle too close to another, to tell above the rounding noise of the
// coordinates.
Branches compareBranches(const XtGePoint2d& v, const XtGePoint2d& back1,
                         const XtGePoint2d& ahead1, const XtGePoint2d& back2,
                         const XtGePoint2d& ahead2, double noise) {
  const XtGeVector2d u = ahead1 - v;
  const XtGeVector2d w = back1 - v;
  const XtGeVector2d a = back2 - v;
  const XtGeVector2d b = ahead2 - v;
  const double shortest =
      std::sqrt(std::min({u.lengthSqrd(), w.lengthSqrd(), a.lengthSqrd(), b.lengthSqrd()}));
  if (!(shortest > 1e3 * noise)) return Branches::kUnsure;
  const double margin = 16.0 * noise / shortest;
  auto clear = [&](double angle, double from) {
    const double d = std::fabs(angle - from);
    return d > margin && XtGe::kTwoPi - d > margin;
  };
  const double left = ccwAngle(u, w);  // the sector left of c1's travel
  const double alpha = ccwAngle(u, a);
  const double beta = ccwAngle(u, b);
  if (!clear(left, 0.0) || !clear(alpha, 0.0) || !clear(beta, 0.0) || !clear(alpha, left) ||
      !clear(beta, left))
    return Branches::kUnsure;
  return (alpha < left) != (beta < left) ? Branches::kCross : Branches::kTouch;
}

// Maps a kernel overlap of leaves a and b into the owners' parameters,
// splitting it where it runs across the seam of a full circle in a
// composite.
void addOverlap(const CurveLeaf& a, const CurveLeaf& b, const CurveOverlap& o,
                std::vector<CurveOverlap>& out) {
  double t2s = o.t2Start;
  double t2e = o.t2End;
  bool sameWay = true;
  if (b.view.isClosed()) {
    sameWay = a.view.unitTangent(o.t1Start).dotProduct(b.view.unitTangent(o.t2Start)) >= 0.0;
    if (sameWay && t2e < t2s) t2e += XtGe::kTwoPi;
    if (!sameWay && t2e > t2s) t2e -= XtGe::kTwoPi;
  }
  const bool crossesSeam = sameWay ? t2e > b.hi : t2e < b.lo;
  if (b.identity || !crossesSeam || t2e == t2s) {
    out.push_back({a.toOwner(o.t1Start), a.toOwner(o.t1End), b.toOwner(t2s), b.toOwner(t2e)});
    return;
  }
  const double seam = sameWay ? b.hi : b.lo;
  const double f = (seam - t2s) / (t2e - t2s);
  const double t1m = o.t1Start + f * (o.t1End - o.t1Start);
  const double wrapped = sameWay ? t2e - XtGe::kTwoPi : t2e + XtGe::kTwoPi;
  out.push_back({a.toOwner(o.t1Start), a.toOwner(t1m), b.toOwner(t2s), b.toOwner(seam)});
  out.push_back({a.toOwner(t1m), a.toOwner(o.t1End), b.toOwner(sameWay ? b.lo : b.hi),
                 b.toOwner(wrapped)});
}

void joinOverlaps(std::vector<CurveOverlap>& overlaps, const Side& s1, const Side& s2) {
  std::sort(overlaps.begin(), overlaps.end(),
            [](const CurveOverlap& x, const CurveOverlap& y) {
              return x.t1Start < y.t1Start || (x.t1Start == y.t1Start && x.t2Start < y.t2Start);
            });
  std::vector<CurveOverlap> joined;
  for (const CurveOverlap& o : overlaps) {
    if (!joined.empty()) {
      CurveOverlap& last = joined.back();
      if (std::fabs(last.t1End - o.t1Start) <= s1.slack &&
          std::fabs(last.t2End - o.t2Start) <= s2.slack) {
        last.t1End = std::max(last.t1End, o.t1End);
        last.t2End = o.t2End;
        continue;
      }
    }
    joined.push_back(o);
  }
  overlaps.swap(joined);
}

bool withinRange(double t, double a, double b, double slack) {
  return t >= std::min(a, b) - slack && t <= std::max(a, b) + slack;
}

bool nearOverlap(const CurveHit& r, const std::vector<CurveOverlap>& overlaps,
                 const Side& s1, const Side& s2, double ep) {
  for (const CurveOverlap& o : overlaps) {
    if (withinRange(r.t1, o.t1Start, o.t1End, s1.slack) ||
        withinRange(r.t2, o.t2Start, o.t2End, s2.slack))
      return true;
    for (double t : {o.t1Start, o.t1End}) {
      if (!std::isfinite(t)) continue;
      if (s1.curve->xtEvalPoint(t).distanceTo(r.point) <= ep) return true;
    }
  }
  return false;
}

// Groups of points within ep of each other (transitively): answers the
// group index of every point.
std::vector<int> groupPoints(const std::vector<CurveHit>& pts, double ep) {
  const int n = static_cast<int>(pts.size());
  std::vector<int> parent(n);
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&](int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
  };
  std::vector<int> byX(n);
  std::iota(byX.begin(), byX.end(), 0);
  std::sort(byX.begin(), byX.end(), [&](int a, int b) { return pts[a].point.x < pts[b].point.x; });
  for (int i = 0; i < n; ++i) {
    for (int k = i + 1; k < n && pts[byX[k]].point.x - pts[byX[i]].point.x <= ep; ++k) {
      if (pts[byX[i]].point.distanceTo(pts[byX[k]].point) <= ep) {
        const int a = find(byX[i]);
        const int b = find(byX[k]);
        // The smaller index (the smaller (t1, t2)) stays the root.
        if (a < b)
          parent[b] = a;
        else if (b < a)
          parent[a] = b;
      }
    }
  }
  std::vector<int> group(n);
  for (int i = 0; i < n; ++i) group[i] = find(i);
  return group;
}

// Length along a curve between neighbouring points (in the order of the
// given parameters), for each point: how far the look may go.
std::vector<double> neighbourGaps(const std::vector<double>& params, const Side& s) {
  const int n = static_cast<int>(params.size());
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) { return params[a] < params[b]; });
  std::vector<double> gap(n, kInfinity);
  for (int k = 0; k < n; ++k) {
    const int i = order[k];
    const double speed = s.speedAt(params[i]);
    if (k > 0) gap[i] = std::min(gap[i], (params[i] - params[order[k - 1]]) * speed);
    if (k + 1 < n) gap[i] = std::min(gap[i], (params[order[k + 1]] - params[i]) * speed);
    if (s.closed && n > 1 && (k == 0 || k == n - 1)) {
      const double around = (s.hi - s.lo) - (params[order[n - 1]] - params[order[0]]);
      gap[i] = std::min(gap[i], around * speed);
    }
  }
  return gap;
}

}  // namespace

void intersectCurves(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol,
                     CurveIntersections& out) {
  out.points.clear();
  out.overlaps.clear();
  SingleLeaf storage1;
  SingleLeaf storage2;
  LeafView v1;
  LeafView v2;
  if (!leafViewOf(c1, storage1, v1) || !leafViewOf(c2, storage2, v2) || v1.empty() || v2.empty())
    return;
  const double ep =
      std::max(tol.equalPoint(), numericFloor(std::max(v1.magnitude, v2.magnitude)));
  Side s1;
  Side s2;
  if (!s1.make(c1, storage1, ep, tol) || !s2.make(c2, storage2, ep, tol)) return;

  std::vector<CurveHit> raw;
  std::vector<CurveOverlap> overlaps;
  forEachNearLeafPair(v1, v2, ep, [&](int i, int k) {
    const CurveLeaf& a = v1.leaves[i];
    const CurveLeaf& b = v2.leaves[k];
    SimpleIntersection s;
    if (!intersectSimpleCurves(*a.curve, *b.curve, tol, s)) return;
    for (int h = 0; h < s.numHits; ++h) {
      const CurveHit& hit = s.hits[h];
      raw.push_back({hit.point, a.toOwner(hit.t1), b.toOwner(hit.t2), hit.tangential});
    }
    for (int o = 0; o < s.numOverlaps; ++o) addOverlap(a, b, s.overlaps[o], overlaps);
  });
  joinOverlaps(overlaps, s1, s2);

  raw.erase(std::remove_if(raw.begin(), raw.end(),
                           [&](const CurveHit& r) { return nearOverlap(r, overlaps, s1, s2, ep); }),
            raw.end());
  for (CurveHit& r : raw) {
    r.t1 = s1.seamAdjusted(r.t1, r.point, ep);
    r.t2 = s2.seamAdjusted(r.t2, r.point, ep);
  }
  std::sort(raw.begin(), raw.end(), [](const CurveHit& a, const CurveHit& b) {
    return a.t1 < b.t1 || (a.t1 == b.t1 && a.t2 < b.t2);
  });
  const std::vector<int> group = groupPoints(raw, ep);

  // One point per group (its first member), with what its members say.
  struct Group {
    int first;
    bool anyTangential = false;
    bool atOpenEnd = false;
  };
  std::vector<Group> groups;
  std::vector<int> groupIndex(raw.size(), -1);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const int root = group[i];
    if (groupIndex[root] < 0) {
      groupIndex[root] = static_cast<int>(groups.size());
      groups.push_back({root});
    }
    Group& g = groups[groupIndex[root]];
    const CurveHit& r = raw[i];
    g.anyTangential |= r.tangential;
    g.atOpenEnd |= s1.atOpenEnd(r.t1) || s2.atOpenEnd(r.t2);
  }

  std::vector<double> t1s;
  std::vector<double> t2s;
  for (const Group& g : groups) {
    t1s.push_back(raw[g.first].t1);
    t2s.push_back(raw[g.first].t2);
  }
  const std::vector<double> gap1 = neighbourGaps(t1s, s1);
  const std::vector<double> gap2 = neighbourGaps(t2s, s2);

  const double noise = numericFloor(std::max(v1.magnitude, v2.magnitude));
  out.points.reserve(groups.size());
  for (std::size_t k = 0; k < groups.size(); ++k) {
    const Group& g = groups[k];
    const CurveHit& r = raw[g.first];
    bool tangential = g.anyTangential;
    if (!g.atOpenEnd) {
      // Look a little way along both curves to either side of the point;
      // no other point and no feature of either curve lies that near.
      double look =
          kLookFraction * std::min({s1.roomAt(r.t1), s2.roomAt(r.t2), gap1[k], gap2[k]});
      if (look == kInfinity) look = 1.0 + std::max(v1.magnitude, v2.magnitude);  // two lines
      const double speed1 = s1.speedAt(r.t1);
      const double speed2 = s2.speedAt(r.t2);
      if (look > 0.0 && speed1 > 0.0 && speed2 > 0.0) {
        const double d1 = look / speed1;
        const double d2 = look / speed2;
        const Branches b =
            compareBranches(r.point, s1.evalAround(r.t1 - d1), s1.evalAround(r.t1 + d1),
                            s2.evalAround(r.t2 - d2), s2.evalAround(r.t2 + d2), noise);
        if (b != Branches::kUnsure) tangential = b == Branches::kTouch;
      }
    }
    out.points.push_back({r.point, r.t1, r.t2, tangential});
  }
  out.overlaps = std::move(overlaps);
}

}  // namespace GeKernel
