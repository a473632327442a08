#include "heating/layout/LoopTipCuts.h"
#include "heating/layout/PointSegmentDistance.h"

#include "heating/layout/COffsetLoop.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LoopPartClosing.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int kMaxSections = 1 << 14;
// A tip turns by at least this much (a right angle and a little) within
// one spacing of the loop.
constexpr double kTipTurn = 0.5 * std::numbers::pi + 1e-3;
// The legs are scanned in steps of s / kStepsPerSpacing; the boundary is
// then found to within s / 64 by halving.
constexpr double kStepsPerSpacing = 8.0;
constexpr int kHalvings = 3;
// The cut's place is found to within s / 2^kCutHalvings of the tip's reach.
constexpr int kCutHalvings = 40;
// A leg counts as drawn apart once it has kept s from the other leg for
// this many spacings.
constexpr double kApartSpacings = 2.0;

bool segmentsCross(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& c, const XtGePoint2d& d) {
  const auto side = [](const XtGePoint2d& o, const XtGePoint2d& p, const XtGePoint2d& q) {
    return (p - o).crossProduct(q - o);
  };
  const double d1 = side(a, b, c), d2 = side(a, b, d), d3 = side(c, d, a), d4 = side(c, d, b);
  return ((d1 > 0.0 && d2 < 0.0) || (d1 < 0.0 && d2 > 0.0)) && ((d3 > 0.0 && d4 < 0.0) || (d3 < 0.0 && d4 > 0.0));
}

// The loop as a closed polyline: corner i is the start of section i, and
// the length along the loop from corner 0 to corner i is along[i].
struct Polyline {
  std::vector<XtGePoint2d> corners;
  std::vector<double> along;
  double length = 0.0;

  int count() const { return static_cast<int>(corners.size()); }
  const XtGePoint2d& corner(int i) const { return corners[static_cast<std::size_t>((i % count() + count()) % count())]; }
  double sectionLength(int i) const { return corner(i).distanceTo(corner(i + 1)); }
  double wrap(double u) const {
    u = std::fmod(u, length);
    return u < 0.0 ? u + length : u;
  }
  // The section that holds the position (the later one at a corner).
  int sectionAt(double u) const {
    u = wrap(u);
    const auto it = std::upper_bound(along.begin(), along.end(), u);
    return std::max(0, static_cast<int>(it - along.begin()) - 1);
  }
  XtGePoint2d pointAt(double u) const {
    u = wrap(u);
    const int i = sectionAt(u);
    const double l = sectionLength(i);
    const double f = l > 0.0 ? std::clamp((u - along[static_cast<std::size_t>(i)]) / l, 0.0, 1.0) : 0.0;
    return corner(i) + (corner(i + 1) - corner(i)) * f;
  }
  // The least distance from p to the stretch of the loop from u forward by
  // `span` (at most the loop's length).
  double distanceToStretch(const XtGePoint2d& p, double u, double span) const {
    double best = 1e300;
    double done = 0.0;
    u = wrap(u);
    int i = sectionAt(u);
    double from = u - along[static_cast<std::size_t>(i)];
    for (int k = 0; k <= count() && done < span; ++k, i = (i + 1) % count(), from = 0.0) {
      const double l = sectionLength(i);
      const double to = std::min(l, from + (span - done));
      if (l > 0.0 && to > from) {
        const XtGeVector2d dir = (corner(i + 1) - corner(i)) * (1.0 / l);
        best = std::min(best, pointSegmentDistance(p, corner(i) + dir * from, corner(i) + dir * to));
      }
      done += std::max(0.0, to - from);
    }
    return best;
  }
};

bool readLoop(const COffsetLoop& loop, Polyline& line) {
  const int n = loop.sectionCount();
  if (n < 3 || n > kMaxSections) return false;
  line.corners.clear();
  line.along.clear();
  line.length = 0.0;
  for (int i = 0; i < n; ++i) {
    const COffsetSection* section = loop.section(i);
    if (!section->hasCurve() || section->curve->kind() != CFloorHeatingCurve::kLine) return false;
    line.corners.push_back(section->startPoint());
    line.along.push_back(line.length);
    line.length += section->startPoint().distanceTo(section->endPoint());
  }
  return line.length > 0.0 && std::isfinite(line.length);
}

// The left turn at corner i (positive where a counter-clockwise loop turns
// away from the zone's inside, i.e. a convex corner), in (-pi, pi).
double turnAt(const Polyline& line, int i) {
  const XtGeVector2d a = line.corner(i) - line.corner(i - 1);
  const XtGeVector2d b = line.corner(i + 1) - line.corner(i);
  return std::atan2(a.crossProduct(b), a.dotProduct(b));
}

// One leg of a tip scanned: the largest distance t from the tip (up to
// `reach`) at which the leg's point has a partner on the other side nearer
// than s, the partner more than 2 s along the loop from it. The tip spans
// the loop from `u0` to `u1` (forward); `backward` scans the leg before u0
// against the loop after it, else the leg after u1 against the loop before
// it. Negative when no point is that near; `reach` when the leg never draws
// apart.
double narrowReach(const Polyline& line, double u0, double u1, bool backward, double s, double reach) {
  const double tip = u1 - u0;
  const double step = s / kStepsPerSpacing;
  const auto narrowAt = [&](double t) {
    // The other side from 2 s along the loop onward, out to the same reach.
    const double skip = std::max(0.0, 2.0 * s - t);
    const double span = tip + reach - skip;
    if (span <= 0.0) return false;
    const XtGePoint2d p = line.pointAt(backward ? u0 - t : u1 + t);
    const double d = backward ? line.distanceToStretch(p, u0 + skip, span)
                              : line.distanceToStretch(p, u1 - skip - span, span);
    return d < s;
  };
  double last = -1.0;
  const int steps = static_cast<int>(std::ceil(reach / step));
  for (int k = 1; k <= steps; ++k) {
    const double t = k * step;
    if (narrowAt(t)) last = t;
    if (last >= 0.0 && t > last + kApartSpacings * s) break;
    if (last < 0.0 && t > 2.0 * kApartSpacings * s) return -1.0;
  }
  if (last < 0.0) return -1.0;
  if (last + kApartSpacings * s >= reach) return reach;
  double lo = last, hi = last + step;
  for (int h = 0; h < kHalvings; ++h) {
    const double mid = 0.5 * (lo + hi);
    (narrowAt(mid) ? lo : hi) = mid;
  }
  return hi;
}

// Whether every point of each leg from c out to `reach` from the tip keeps
// at least s from the other leg's points that far out (sampled every
// s / kStepsPerSpacing and at c itself).
bool legsApartBeyond(const Polyline& line, double u0, double u1, double c, double reach, double s) {
  const double least = s;
  const double span = reach - c;
  if (span <= 0.0) return true;
  const int steps = static_cast<int>(std::ceil(span * kStepsPerSpacing / s));
  for (int k = 0; k <= steps; ++k) {
    const double t = std::min(reach, c + k * s / kStepsPerSpacing);
    if (line.distanceToStretch(line.pointAt(u0 - t), u1 + c, span) < least) return false;
    if (line.distanceToStretch(line.pointAt(u1 + t), u0 - reach, span) < least) return false;
  }
  return true;
}

// Whether the chord from a to b meets a section of the loop other than
// those of the stretch it replaces (from section ia to section ib).
bool chordMeetsLoop(const Polyline& line, const XtGePoint2d& a, const XtGePoint2d& b, int ia, int ib) {
  for (int i = ib;; i = (i + 1) % line.count()) {
    if (i != ia && i != ib && segmentsCross(a, b, line.corner(i), line.corner(i + 1))) return true;
    if (i == ia) return false;
  }
}

// Replaces the loop's stretch from the point a on section ia forward to the
// point b on section ib by a chord.
void cutStretch(COffsetLoop& loop, int ia, const XtGePoint2d& a, int ib, const XtGePoint2d& b) {
  const int n = loop.sectionCount();
  std::vector<CLoopElement*> kept;
  kept.reserve(static_cast<std::size_t>(n) + 1);
  std::vector<bool> dropped(static_cast<std::size_t>(n), false);
  for (int i = (ia + 1) % n; i != ib; i = (i + 1) % n) dropped[static_cast<std::size_t>(i)] = true;
  setCurveEnd(*loop.section(ia)->curve, a);
  setCurveStart(*loop.section(ib)->curve, b);
  for (int i = 0; i < n; ++i) {
    COffsetSection* section = loop.section(i);
    const bool empty = section->curve->length() <= workTol.equalPoint();
    if (dropped[static_cast<std::size_t>(i)] || empty) {
      delete section;
    } else {
      kept.push_back(section);
    }
    if (i == ia) kept.push_back(makeSection(std::make_unique<CFloorHeatingLine>(a, b, nullptr, kTagSpiralLine)));
  }
  loop.elements.assign(kept.begin(), kept.end());
}

// Finds and cuts one tip; false when the loop has none left to cut.
bool cutOneTip(COffsetLoop& loop, double s) {
  Polyline line;
  if (!readLoop(loop, line)) return false;
  const int n = line.count();
  for (int i = 0; i < n; ++i) {
    double turn = turnAt(line, i);
    if (turn <= 0.0) continue;
    // The tip runs on over short sections while it keeps turning.
    int j = i;
    double span = 0.0;
    while (turn < kTipTurn && j - i < n - 2 && span + line.sectionLength(j) < s && turnAt(line, j + 1) > 0.0) {
      span += line.sectionLength(j);
      ++j;
      turn += turnAt(line, j);
    }
    if (turn < kTipTurn) continue;
    const double u0 = line.along[static_cast<std::size_t>(i)];
    const double u1 = u0 + span;
    const double reach = std::min(kTipCutMaxLegSpacings * s, 0.5 * (line.length - span) - s);
    if (reach <= 0.0) continue;
    const double ta = narrowReach(line, u0, u1, true, s, reach);
    const double tb = narrowReach(line, u0, u1, false, s, reach);
    if (ta <= 0.0 || tb <= 0.0 || ta >= reach || tb >= reach) continue;
    // The cut lies as far out on both legs: the nearest to the tip beyond
    // which the legs keep s apart.
    const double far = std::min(reach, std::max(ta, tb) + kApartSpacings * s);
    double hi = std::max(ta, tb);
    if (!legsApartBeyond(line, u0, u1, hi, far, s)) continue;
    double lo = 0.0;
    for (int h = 0; h < kCutHalvings; ++h) {
      const double mid = 0.5 * (lo + hi);
      (legsApartBeyond(line, u0, u1, mid, far, s) ? hi : lo) = mid;
    }
    const double ta2 = hi, tb2 = hi;
    const XtGePoint2d a = line.pointAt(u0 - ta2);
    const XtGePoint2d b = line.pointAt(u1 + tb2);
    const double chord = a.distanceTo(b);
    if (!(chord <= 2.0 * s) || chord <= workTol.equalPoint()) continue;
    // The sections that keep a piece: the one before a's point (a at a
    // corner ends the section before it) and the one after b's point.
    const int ia = line.sectionAt(u0 - ta2 - workTol.equalPoint());
    const int ib = line.sectionAt(u1 + tb2);
    if (ia == ib || chordMeetsLoop(line, a, b, ia, ib)) continue;
    cutStretch(loop, ia, a, ib, b);
    return true;
  }
  return false;
}

}  // namespace

int cutNarrowTips(COffsetLoop& loop, double s) {
  if (!(s > 0.0) || !std::isfinite(s)) return 0;
  const int bound = loop.sectionCount();
  int cuts = 0;
  while (cuts < bound && loop.sectionCount() >= 3 && cutOneTip(loop, s)) ++cuts;
  return cuts;
}
