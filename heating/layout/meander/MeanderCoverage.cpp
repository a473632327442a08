#include "heating/layout/meander/MeanderCoverage.h"

#include "heating/layout/offsets/PointSegmentDistance.h"

#include "heating/curves/CLoop.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kHuge = std::numeric_limits<double>::max();

// Narrows [lo, hi] to the x where a + b x lies within [from, to].
void clipLinear(double a, double b, double from, double to, double& lo, double& hi) {
  if (std::fabs(b) < 1e-12) {
    if (a < from || a > to) {
      lo = kHuge;
      hi = -kHuge;
    }
    return;
  }
  double x0 = (from - a) / b, x1 = (to - a) / b;
  if (x0 > x1) std::swap(x0, x1);
  lo = std::max(lo, x0);
  hi = std::min(hi, x1);
}

}  // namespace

MeanderCoverage::MeanderCoverage(const CLoop& loop, const XtGeVector2d& runDirection, double s) : s_(s) {
  const double length = runDirection.length();
  if (!(length > 0.0) || !std::isfinite(length) || !(s > 0.0) || !std::isfinite(s)) return;
  run_ = runDirection / length;
  across_ = run_.perpVector();
  for (const CLoopElement* element : loop.elements) {
    if (element == nullptr || element->curve == nullptr) continue;
    const auto frame = [&](const XtGePoint2d& p) {
      const XtGeVector2d d = p - XtGePoint2d(0.0, 0.0);
      return XtGePoint2d(d.dotProduct(run_), d.dotProduct(across_));
    };
    sections_.emplace_back(frame(element->startPoint()), frame(element->endPoint()));
  }
  if (sections_.size() < 3) return;
  double lo = kHuge, hi = -kHuge;
  for (const auto& [a, b] : sections_) {
    lo = std::min({lo, a.y, b.y});
    hi = std::max({hi, a.y, b.y});
  }
  if (!std::isfinite(lo) || !std::isfinite(hi)) return;
  rowStep_ = s / kRowsPerSpacing;
  // A zone wider than kMaxRows rows is read with rows farther apart.
  rowStep_ = std::max(rowStep_, (hi - lo) / static_cast<double>(kMaxRows - 2));
  // Rows and points on the lattice of the step through the drawing's origin:
  // the same zone, however its outline starts, reads the same.
  const double jFrom = std::ceil(lo / rowStep_);
  const auto rows = static_cast<std::size_t>(std::max(0.0, std::floor(hi / rowStep_) - jFrom + 1.0));
  acrossFrom_ = jFrom * rowStep_;
  rows_ = rows;
  heated_.first.reserve(rows + 1);
  std::vector<double> crossings;
  for (std::size_t j = 0; j < rows; ++j) {
    const double c = acrossFrom_ + static_cast<double>(j) * rowStep_;
    crossings.clear();
    // Half-open in the across coordinate: a vertex on the row counts once.
    for (const auto& [a, b] : sections_)
      if ((a.y <= c) != (b.y <= c)) crossings.push_back(a.x + (c - a.y) * (b.x - a.x) / (b.y - a.y));
    std::sort(crossings.begin(), crossings.end());
    heated_.first.push_back(heated_.items.size());
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
      if (crossings[k + 1] > crossings[k]) heated_.items.push_back({crossings[k], crossings[k + 1]});
  }
  heated_.first.push_back(heated_.items.size());
  usable_ = true;
}

MeanderCoverage::Rows MeanderCoverage::coveredRows(const std::vector<Segment>& pipe, double reach,
                                                   long stride) const {
  // Each capsule's cut of each row it spans, then placed row by row.
  struct Cut {
    std::size_t row;
    Interval at;
  };
  std::vector<Cut> cuts;
  const double r2 = reach * reach;
  for (const auto& [pa, pb] : pipe) {
    const XtGeVector2d da = pa - XtGePoint2d(0.0, 0.0), db = pb - XtGePoint2d(0.0, 0.0);
    const double u0 = da.dotProduct(run_), v0 = da.dotProduct(across_);
    const double u1 = db.dotProduct(run_), v1 = db.dotProduct(across_);
    const double du = u1 - u0, dv = v1 - v0;
    const double len = std::sqrt(du * du + dv * dv);
    const double vlo = std::min(v0, v1) - reach, vhi = std::max(v0, v1) + reach;
    const auto jFrom = static_cast<long>(std::ceil((vlo - acrossFrom_) / rowStep_));
    const auto jTo = static_cast<long>(std::floor((vhi - acrossFrom_) / rowStep_));
    for (long j = (std::max(0L, jFrom) + stride - 1) / stride * stride;
         j <= std::min(static_cast<long>(rows_) - 1, jTo); j += stride) {
      const double c = acrossFrom_ + static_cast<double>(j) * rowStep_;
      double lo = kHuge, hi = -kHuge;
      if (std::fabs(dv) <= 1e-9 * len) {
        // Along the rows: the piece widened by the disc's half chord.
        const double h2 = r2 - (c - v0) * (c - v0);
        if (h2 >= 0.0) {
          const double h = std::sqrt(h2);
          lo = std::min(u0, u1) - h;
          hi = std::max(u0, u1) + h;
        }
      } else if (std::fabs(du) <= 1e-9 * len) {
        // Across the rows: within reach of its line where the row meets it,
        // else the nearer end's disc.
        if ((c - v0) * (c - v1) <= 0.0) {
          lo = u0 - reach;
          hi = u0 + reach;
        } else {
          const double v = std::fabs(c - v0) < std::fabs(c - v1) ? v0 : v1;
          const double h2 = r2 - (c - v) * (c - v);
          if (h2 >= 0.0) {
            lo = u0 - std::sqrt(h2);
            hi = u0 + std::sqrt(h2);
          }
        }
      } else {
        // The two end discs.
        for (const auto& [u, v] : {std::pair(u0, v0), std::pair(u1, v1)}) {
          const double h2 = r2 - (c - v) * (c - v);
          if (h2 < 0.0) continue;
          const double h = std::sqrt(h2);
          lo = std::min(lo, u - h);
          hi = std::max(hi, u + h);
        }
        // The band beside the segment: within reach of its line and projecting
        // onto it. For a point (x, c) its projection onto the segment,
        // ((x - u0) du + (c - v0) dv) / len, lies in [0, len] and its offset,
        // (du (c - v0) - dv (x - u0)) / len, in [-reach, reach]: both linear
        // in x.
        if (len > 0.0) {
          double xlo = -kHuge, xhi = kHuge;
          clipLinear((-u0 * du + (c - v0) * dv) / len, du / len, 0.0, len, xlo, xhi);
          clipLinear((du * (c - v0) + dv * u0) / len, -dv / len, -reach, reach, xlo, xhi);
          if (xhi >= xlo) {
            lo = std::min(lo, xlo);
            hi = std::max(hi, xhi);
          }
        }
      }
      if (hi >= lo) cuts.push_back({static_cast<std::size_t>(j), {lo, hi}});
    }
  }
  Rows covered;
  covered.first.assign(rows_ + 1, 0);
  for (const Cut& cut : cuts) ++covered.first[cut.row + 1];
  for (std::size_t j = 0; j < rows_; ++j) covered.first[j + 1] += covered.first[j];
  covered.items.resize(cuts.size());
  std::vector<std::size_t> next(covered.first.begin(), covered.first.end() - 1);
  for (const Cut& cut : cuts) covered.items[next[cut.row]++] = cut.at;
  for (std::size_t j = 0; j < rows_; ++j)
    std::sort(covered.items.begin() + static_cast<std::ptrdiff_t>(covered.first[j]),
              covered.items.begin() + static_cast<std::ptrdiff_t>(covered.first[j + 1]),
              [](const Interval& a, const Interval& b) { return a.lo < b.lo; });
  return covered;
}

void MeanderCoverage::bareOfRow(std::size_t j, const Rows& covered, std::vector<Interval>& out) const {
  for (std::size_t h = heated_.first[j]; h < heated_.first[j + 1]; ++h) {
    const Interval& heated = heated_.items[h];
    double from = heated.lo;
    for (std::size_t k = covered.first[j]; k < covered.first[j + 1]; ++k) {  // sorted by lo: one pass
      const Interval& c = covered.items[k];
      if (c.hi <= from) continue;
      if (c.lo >= heated.hi) break;
      if (c.lo > from) out.push_back({from, c.lo});
      from = std::max(from, c.hi);
      if (from >= heated.hi) break;
    }
    if (from < heated.hi) out.push_back({from, heated.hi});
  }
}

bool MeanderCoverage::anyBare(const std::vector<Segment>& pipe, double reach) const {
  if (!usable_) return false;
  // Every other row at the reach less a row step: a point farther than the
  // reach lies within a step of such a row's point farther than that.
  const Rows covered = coveredRows(pipe, reach - rowStep_, 2);
  std::vector<Interval> bare;
  for (std::size_t j = 0; j < rows_; j += 2) {
    bare.clear();
    bareOfRow(j, covered, bare);
    if (!bare.empty()) return true;
  }
  return false;
}

double MeanderCoverage::depth(const XtGePoint2d& p) const {
  const XtGeVector2d d = p - XtGePoint2d(0.0, 0.0);
  const XtGePoint2d f(d.dotProduct(run_), d.dotProduct(across_));
  double best = kHuge;
  for (const auto& [a, b] : sections_) {
    // A section whose box lies farther than the best so far is passed over.
    const double dx = std::max({0.0, std::min(a.x, b.x) - f.x, f.x - std::max(a.x, b.x)});
    const double dy = std::max({0.0, std::min(a.y, b.y) - f.y, f.y - std::max(a.y, b.y)});
    if (dx >= best || dy >= best) continue;
    best = std::min(best, pointSegmentDistance(f, a, b));
  }
  return best;
}

bool MeanderCoverage::inside(const XtGePoint2d& p) const {
  const XtGeVector2d d = p - XtGePoint2d(0.0, 0.0);
  const double along = d.dotProduct(run_), acrossAt = d.dotProduct(across_);
  const long j = std::lround((acrossAt - acrossFrom_) / rowStep_);
  if (j < 0 || j >= static_cast<long>(rows_)) return false;
  for (std::size_t h = heated_.first[static_cast<std::size_t>(j)]; h < heated_.first[static_cast<std::size_t>(j) + 1]; ++h)
    if (along >= heated_.items[h].lo && along <= heated_.items[h].hi) return true;
  return false;
}

bool MeanderCoverage::wide(const XtGePoint2d& p) const { return wide(p, kWide * s_); }

bool MeanderCoverage::wide(const XtGePoint2d& p, double width) const {
  const double half = 0.5 * width;
  const double own = depth(p);
  if (own >= half) return true;
  // A point half deep within half of p: looked for on two rings about p,
  // at half of half and at half, every eighth and sixteenth of a turn (a
  // point deeper than half lies at most half - own from p, and the depth
  // changes no faster than the distance).
  for (const auto& [radius, steps] : {std::pair(0.5 * half, 8), std::pair(half, 16)}) {
    if (radius < half - own - 1e-9 * s_) continue;
    for (int k = 0; k < steps; ++k) {
      const double angle = 2.0 * std::numbers::pi * k / steps;
      const XtGePoint2d q = p + run_ * (radius * std::cos(angle)) + across_ * (radius * std::sin(angle));
      if (inside(q) && depth(q) >= half - 1e-9 * s_) return true;
    }
  }
  return false;
}

std::vector<MeanderCoverage::BarePoint> MeanderCoverage::barePoints(const std::vector<Segment>& pipe,
                                                                    double reach) const {
  std::vector<BarePoint> out;
  if (!usable_) return out;
  const Rows covered = coveredRows(pipe, reach);
  std::vector<Interval> bare;
  for (std::size_t j = 0; j < rows_ && out.size() < kMaxBarePoints; ++j) {
    bare.clear();
    bareOfRow(j, covered, bare);
    const double c = acrossFrom_ + static_cast<double>(j) * rowStep_;
    for (const Interval& b : bare) {
      // The lattice's points a quarter step or more inside the stretch.
      const double k0 = std::ceil((b.lo + 0.25 * rowStep_) / rowStep_);
      const double k1 = std::floor((b.hi - 0.25 * rowStep_) / rowStep_);
      for (double k = k0; k <= k1 && out.size() < kMaxBarePoints; k += 1.0) {
        const XtGePoint2d p = toWorld(k * rowStep_, c);
        double nearest = kHuge;
        for (const auto& [a, bb] : pipe) nearest = std::min(nearest, pointSegmentDistance(p, a, bb));
        if (nearest > reach) out.push_back({p, nearest, static_cast<long>(j), static_cast<long>(k)});
      }
    }
  }
  return out;
}
