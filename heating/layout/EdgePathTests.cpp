#include "heating/layout/EdgePathTests.h"
#include "heating/layout/PointSegmentDistance.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/LayoutSpacingRules.h"
#include "heating/layout/OffsetEdgePath.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace {

constexpr long kMostCells = 512;

double cross(const XtGeVector2d& a, const XtGeVector2d& b) { return a.x * b.y - a.y * b.x; }

// Where the segments a0-a1 and b0-b1 cross, as parameters on each, when they
// are not parallel and cross within `slack` (a length) of both.
bool segmentsCross(const XtGePoint2d& a0, const XtGePoint2d& a1, const XtGePoint2d& b0, const XtGePoint2d& b1,
                   double slack, XtGePoint2d& at) {
  const XtGeVector2d r = a1 - a0;
  const XtGeVector2d q = b1 - b0;
  const double denominator = cross(r, q);
  const double lr = r.length();
  const double lq = q.length();
  if (!(lr > 0.0) || !(lq > 0.0) || std::fabs(denominator) <= 1e-12 * lr * lq) return false;
  const double t = cross(b0 - a0, q) / denominator;
  const double u = cross(b0 - a0, r) / denominator;
  if (t < -slack / lr || t > 1.0 + slack / lr || u < -slack / lq || u > 1.0 + slack / lq) return false;
  at = a0 + r * std::clamp(t, 0.0, 1.0);
  return true;
}

double segmentDistance(const XtGePoint2d& a0, const XtGePoint2d& a1, const XtGePoint2d& b0, const XtGePoint2d& b1) {
  XtGePoint2d at;
  if (segmentsCross(a0, a1, b0, b1, 0.0, at)) return 0.0;
  return std::min({pointSegmentDistance(a0, b0, b1), pointSegmentDistance(a1, b0, b1), pointSegmentDistance(b0, a0, a1),
                   pointSegmentDistance(b1, a0, a1)});
}

bool isEndOf(const XtGePoint2d& p, const XtGePoint2d& a, const XtGePoint2d& b, const XtGeTol& tol) {
  return p.isEqualTo(a, tol) || p.isEqualTo(b, tol);
}

// The sharpest corner a pipe may turn where two pieces share an end: at a
// smaller inside angle the pipe runs back along itself (its two legs lie
// within a pipe's width of each other for several diameters), a fold the
// pipe cannot be laid in (spacing_rules::kFoldDegrees). Drawn corners of
// the spiral are far wider (tips are cut at 60 degrees, hairpins turn by two
// right angles).

// Whether the pieces share an end (within tol) and leave it with an inside
// angle below spacing_rules::kFoldDegrees: the pipe folds back onto itself there.
bool foldsBack(const XtGePoint2d& a0, const XtGePoint2d& a1, const XtGePoint2d& b0, const XtGePoint2d& b1,
               const XtGeTol& tol) {
  const XtGePoint2d* aFar = nullptr;
  const XtGePoint2d* bFar = nullptr;
  const XtGePoint2d* shared = nullptr;
  for (const auto& [a, aOther] : {std::pair{&a0, &a1}, std::pair{&a1, &a0}})
    for (const auto& [b, bOther] : {std::pair{&b0, &b1}, std::pair{&b1, &b0}})
      if (shared == nullptr && a->isEqualTo(*b, tol)) {
        shared = a;
        aFar = aOther;
        bFar = bOther;
      }
  if (shared == nullptr) return false;
  const XtGeVector2d u = *aFar - *shared;
  const XtGeVector2d v = *bFar - *shared;
  const double lu = u.length();
  const double lv = v.length();
  if (!(lu > tol.equalPoint()) || !(lv > tol.equalPoint())) return false;
  static const double kCosFold = std::cos(spacing_rules::kFoldDegrees * std::numbers::pi / 180.0);
  return u.dotProduct(v) > kCosFold * lu * lv;
}

// Whether two pieces meet other than at a shared end: a crossing point, a
// stretch where they lie over each other, or a shared end where they fold
// back over each other (foldsBack).
bool piecesMeet(const XtGePoint2d& a0, const XtGePoint2d& a1, const XtGePoint2d& b0, const XtGePoint2d& b1,
                const XtGeTol& tol) {
  if (foldsBack(a0, a1, b0, b1, tol)) return true;
  const double slack = workTolFine.equalPoint();
  XtGePoint2d at;
  if (segmentsCross(a0, a1, b0, b1, slack, at)) return !(isEndOf(at, a0, a1, tol) && isEndOf(at, b0, b1, tol));
  // Parallel (or no crossing): pieces on one line that overlap.
  const XtGeVector2d r = a1 - a0;
  const double lr = r.length();
  if (!(lr > 0.0)) return false;
  const XtGeVector2d unit = r / lr;
  if (std::fabs(cross(unit, b0 - a0)) > slack || std::fabs(cross(unit, b1 - a0)) > slack) {
    // Not on one line: an end of one piece on the other (a touch).
    for (const XtGePoint2d* p : {&b0, &b1})
      if (pointSegmentDistance(*p, a0, a1) <= slack && !(isEndOf(*p, a0, a1, tol))) return true;
    for (const XtGePoint2d* p : {&a0, &a1})
      if (pointSegmentDistance(*p, b0, b1) <= slack && !(isEndOf(*p, b0, b1, tol))) return true;
    return false;
  }
  const double u0 = (b0 - a0).dotProduct(unit);
  const double u1 = (b1 - a0).dotProduct(unit);
  const double low = std::max(0.0, std::min(u0, u1));
  const double high = std::min(lr, std::max(u0, u1));
  if (high - low > tol.equalPoint()) return true;
  if (high - low < -slack) return false;
  const XtGePoint2d touch = a0 + unit * (0.5 * (low + high));
  return !(isEndOf(touch, a0, a1, tol) && isEndOf(touch, b0, b1, tol));
}

// The parts of the segment a-b outside the disc about the foot, as
// parameter ranges [t0, t1] on it: none, one or two.
int partsOutsideDisc(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& foot, double radius,
                     double ranges[2][2]) {
  const XtGeVector2d d = b - a;
  const XtGeVector2d f = a - foot;
  const double qa = d.lengthSqrd();
  if (!(qa > 0.0)) {
    if (a.distanceTo(foot) < radius) return 0;
    ranges[0][0] = ranges[0][1] = 0.0;
    return 1;
  }
  const double qb = 2.0 * f.dotProduct(d);
  const double qc = f.lengthSqrd() - radius * radius;
  const double discriminant = qb * qb - 4.0 * qa * qc;
  if (discriminant <= 0.0) {
    ranges[0][0] = 0.0;
    ranges[0][1] = 1.0;
    return 1;
  }
  const double root = std::sqrt(discriminant);
  const double t1 = (-qb - root) / (2.0 * qa);
  const double t2 = (-qb + root) / (2.0 * qa);
  int count = 0;
  if (t1 > 0.0) {
    ranges[count][0] = 0.0;
    ranges[count][1] = std::min(t1, 1.0);
    ++count;
  }
  if (t2 < 1.0) {
    ranges[count][0] = std::max(t2, 0.0);
    ranges[count][1] = 1.0;
    ++count;
  }
  return count;
}

}  // namespace

EdgePathIndex::EdgePathIndex(const std::vector<COffsetEdge*>& edges, double cell) { rebuild(edges, cell); }

void EdgePathIndex::rebuild(const std::vector<COffsetEdge*>& edges, double cell) {
  segments_.clear();
  CFloorHeatingCurve::PtrVector pieces;
  for (const COffsetEdge* edge : edges) {
    if (edge == nullptr || !offsetEdgePathAlongLoop(edge, pieces)) continue;
    for (const auto& piece : pieces) segments_.push_back({piece->startPoint(), piece->endPoint()});
  }
  double x1 = -std::numeric_limits<double>::infinity();
  double y1 = x1;
  x0_ = y0_ = std::numeric_limits<double>::infinity();
  for (const Segment& s : segments_) {
    x0_ = std::min({x0_, s.a.x, s.b.x});
    y0_ = std::min({y0_, s.a.y, s.b.y});
    x1 = std::max({x1, s.a.x, s.b.x});
    y1 = std::max({y1, s.a.y, s.b.y});
  }
  start_.clear();
  cellPieces_.clear();
  seen_.assign(segments_.size(), 0);
  stamp_ = 0;
  nx_ = ny_ = 0;
  if (segments_.empty() || !std::isfinite(x0_) || !std::isfinite(x1) || !std::isfinite(y0_) || !std::isfinite(y1))
    return;
  const double extent = std::max(x1 - x0_, y1 - y0_);
  cell_ = std::isfinite(cell) && cell > 0.0 ? cell : 1.0;
  cell_ = std::max(cell_, extent / static_cast<double>(kMostCells - 1));
  if (!(cell_ > 0.0)) cell_ = 1.0;
  nx_ = std::min(kMostCells, static_cast<long>((x1 - x0_) / cell_) + 1);
  ny_ = std::min(kMostCells, static_cast<long>((y1 - y0_) / cell_) + 1);
  // Counting sort of the pieces into the cells their boxes cover.
  start_.assign(static_cast<std::size_t>(nx_ * ny_ + 1), 0);
  auto cover = [&](const Segment& s, auto use) {
    for (long x = column(std::min(s.a.x, s.b.x)); x <= column(std::max(s.a.x, s.b.x)); ++x)
      for (long y = row(std::min(s.a.y, s.b.y)); y <= row(std::max(s.a.y, s.b.y)); ++y) use(x * ny_ + y);
  };
  for (const Segment& s : segments_) cover(s, [&](long c) { ++start_[static_cast<std::size_t>(c) + 1]; });
  for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
  cellPieces_.resize(start_.back());
  std::vector<std::size_t> fill(start_.begin(), start_.end() - 1);
  for (std::size_t i = 0; i < segments_.size(); ++i)
    cover(segments_[i], [&](long c) { cellPieces_[fill[static_cast<std::size_t>(c)]++] = i; });
}

long EdgePathIndex::column(double x) const {
  return std::clamp(static_cast<long>(std::floor((x - x0_) / cell_)), 0L, nx_ - 1);
}

long EdgePathIndex::row(double y) const { return std::clamp(static_cast<long>(std::floor((y - y0_) / cell_)), 0L, ny_ - 1); }

template <typename Visit>
bool EdgePathIndex::forNear(double x0, double y0, double x1, double y1, Visit visit) const {
  if (segments_.empty() || nx_ == 0) return false;
  if (!(x1 >= x0_ - cell_) || !(y1 >= y0_ - cell_) || !(x0 <= x0_ + cell_ * nx_) || !(y0 <= y0_ + cell_ * ny_))
    return false;
  if (++stamp_ == 0) {  // the stamps wrapped: start afresh
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  for (long x = column(x0); x <= column(x1); ++x) {
    for (long y = row(y0); y <= row(y1); ++y) {
      const std::size_t c = static_cast<std::size_t>(x * ny_ + y);
      for (std::size_t k = start_[c]; k < start_[c + 1]; ++k) {
        const std::size_t i = cellPieces_[k];
        if (seen_[i] == stamp_) continue;
        seen_[i] = stamp_;
        const Segment& s = segments_[i];
        if (std::max(s.a.x, s.b.x) < x0 || std::min(s.a.x, s.b.x) > x1 || std::max(s.a.y, s.b.y) < y0 ||
            std::min(s.a.y, s.b.y) > y1)
          continue;
        if (visit(i)) return true;
      }
    }
  }
  return false;
}

bool EdgePathIndex::anyCrossing(const XtGeTol& tol) const {
  const double margin = std::max(tol.equalPoint(), workTolFine.equalPoint());
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const Segment& s = segments_[i];
    const bool met = forNear(std::min(s.a.x, s.b.x) - margin, std::min(s.a.y, s.b.y) - margin,
                             std::max(s.a.x, s.b.x) + margin, std::max(s.a.y, s.b.y) + margin, [&](std::size_t j) {
                               return j > i && piecesMeet(s.a, s.b, segments_[j].a, segments_[j].b, tol);
                             });
    if (met) return true;
  }
  return false;
}

bool EdgePathIndex::meetsSegment(const XtGePoint2d& from, const XtGePoint2d& to, double limit,
                                 const XtGePoint2d* foot) const {
  if (!(limit > 0.0) || !std::isfinite(limit)) return false;
  const double nearer = limit - workTol.equalPoint();
  return forNear(std::min(from.x, to.x) - limit, std::min(from.y, to.y) - limit, std::max(from.x, to.x) + limit,
                 std::max(from.y, to.y) + limit, [&](std::size_t i) {
                   const Segment& s = segments_[i];
                   if (foot == nullptr) return segmentDistance(s.a, s.b, from, to) < nearer;
                   double ranges[2][2];
                   const int count = partsOutsideDisc(s.a, s.b, *foot, limit, ranges);
                   const XtGeVector2d along = s.b - s.a;
                   for (int k = 0; k < count; ++k)
                     if (segmentDistance(s.a + along * ranges[k][0], s.a + along * ranges[k][1], from, to) < nearer)
                       return true;
                   return false;
                 });
}

bool EdgePathIndex::nearPoint(const XtGePoint2d& p, double limit) const {
  if (!(limit > 0.0) || !std::isfinite(limit) || segments_.empty() || nx_ == 0) return false;
  const double nearer = limit - workTol.equalPoint();
  const auto near = [&](std::size_t i) { return pointSegmentDistance(p, segments_[i].a, segments_[i].b) < nearer; };
  const long x = column(p.x);
  const long y = row(p.y);
  const std::size_t own = static_cast<std::size_t>(x * ny_ + y);
  for (std::size_t k = start_[own]; k < start_[own + 1]; ++k)
    if (near(cellPieces_[k])) return true;
  return forNear(p.x - limit, p.y - limit, p.x + limit, p.y + limit, near);
}

bool EdgePathIndex::nearestRayHit(const XtGePoint2d& from, const XtGeVector2d& unit, double least, double most,
                                  const XtGeTol& tol, double& distance) const {
  if (!(most > least) || !std::isfinite(most)) return false;
  const XtGePoint2d far = from + unit * most;
  const double slack = tol.equalPoint();
  double best = std::numeric_limits<double>::infinity();
  forNear(std::min(from.x, far.x) - slack, std::min(from.y, far.y) - slack, std::max(from.x, far.x) + slack,
          std::max(from.y, far.y) + slack, [&](std::size_t i) {
            const Segment& s = segments_[i];
            XtGePoint2d at;
            double h = std::numeric_limits<double>::infinity();
            if (std::fabs(cross(unit, s.a - from)) <= slack && std::fabs(cross(unit, s.b - from)) <= slack) {
              // A piece along the ray (both its ends within the slack of
              // the ray's line, whether or not the lines meet: a piece one
              // drawn a few nanometres off its line meets it anywhere along
              // itself): its nearer end ahead of the start.
              const double ha = (s.a - from).dotProduct(unit);
              const double hb = (s.b - from).dotProduct(unit);
              h = std::min(ha, hb) >= 0.0 ? std::min(ha, hb) : (std::max(ha, hb) >= 0.0 ? 0.0 : h);
            } else if (segmentsCross(from, far, s.a, s.b, slack, at)) {
              // How far along the ray the piece's line is met: a meeting
              // within the slack beyond the ray's end lies beyond `most`
              // (its point, clamped to the end, would put it there up to
              // rounding, and whether it counted fell to the last bits).
              const XtGeVector2d along = s.b - s.a;
              h = cross(s.a - from, along) / cross(unit, along);
            }
            if (h > least && h < most && h < best) best = h;
            return false;
          });
  if (!std::isfinite(best)) return false;
  distance = best;
  return true;
}

double EdgePathIndex::reachFrom(const XtGePoint2d& p) const {
  if (segments_.empty() || nx_ == 0) return 0.0;
  const double x1 = x0_ + static_cast<double>(nx_) * cell_;
  const double y1 = y0_ + static_cast<double>(ny_) * cell_;
  return std::hypot(std::max(std::fabs(p.x - x0_), std::fabs(p.x - x1)),
                    std::max(std::fabs(p.y - y0_), std::fabs(p.y - y1)));
}

bool offsetEdgePathsCross(const CFHCircuitLayout& layout, const XtGeTol& tol) {
  return EdgePathIndex(layout.edges, layout.spacing).anyCrossing(tol);
}

bool offsetEdgePathsMeetCurve(const std::vector<COffsetEdge*>& edges, const CFloorHeatingCurve& curve, double limit,
                              const XtGePoint2d* foot) {
  return EdgePathIndex(edges, limit).meetsSegment(curve.startPoint(), curve.endPoint(), limit, foot);
}

bool curveNearAnyCurve(const CFloorHeatingCurve& curve, const std::vector<const CFloorHeatingCurve*>& curves,
                       double limit) {
  return std::any_of(curves.begin(), curves.end(), [&](const CFloorHeatingCurve* other) {
    return other != nullptr && curve.distanceToCurve(*other) <= limit;
  });
}
