#include "LayoutChecker.h"

#include "heating/layout/checks/LayoutSpacingRules.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <sstream>

namespace layout_check {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// The angle reduced into [0, 2 pi).
double wrapAngle(double a) {
  a = std::fmod(a, XtGe::kTwoPi);
  return a < 0.0 ? a + XtGe::kTwoPi : a;
}

bool finite(const XtGePoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

std::string place(const XtGePoint2d& p) {
  std::ostringstream out;
  out << "(" << p.x << ", " << p.y << ")";
  return out.str();
}

// A sample of the pipe: its point and its arc length along the pipe body.
struct Sample {
  XtGePoint2d p;
  double along = 0.0;
};

// The samples of the pieces every `step` (each piece's ends included, the
// shared ends once), with their arc length from the first piece's start.
std::vector<Sample> sampleBody(const std::vector<Piece>& pipe, std::size_t first, std::size_t last, double step) {
  std::vector<Sample> samples;
  double along = 0.0;
  for (std::size_t i = first; i < last; ++i) {
    const double len = pipe[i].length();
    const int n = std::max(1, static_cast<int>(std::ceil(len / step)));
    for (int k = (i == first ? 0 : 1); k <= n; ++k) samples.push_back({pipe[i].at(len * k / n), along + len * k / n});
    along += len;
  }
  return samples;
}

double distanceToOutline(const std::vector<Piece>& outline, const XtGePoint2d& p) {
  double d = kInf;
  for (const Piece& piece : outline) d = std::min(d, piece.distanceTo(p));
  return d;
}

// A uniform grid of cell size `cell` over sample indices (counting sort).
class SampleGrid {
 public:
  SampleGrid(const std::vector<Sample>& samples, double cell) : samples_(samples), cell_(cell) {
    if (samples.empty()) return;
    x0_ = samples[0].p.x;
    y0_ = samples[0].p.y;
    double x1 = x0_;
    double y1 = y0_;
    for (const Sample& s : samples) {
      x0_ = std::min(x0_, s.p.x);
      y0_ = std::min(y0_, s.p.y);
      x1 = std::max(x1, s.p.x);
      y1 = std::max(y1, s.p.y);
    }
    nx_ = static_cast<long>((x1 - x0_) / cell_) + 1;
    ny_ = static_cast<long>((y1 - y0_) / cell_) + 1;
    start_.assign(static_cast<std::size_t>(nx_ * ny_ + 1), 0);
    for (const Sample& s : samples) ++start_[cellOf(s.p) + 1];
    std::partial_sum(start_.begin(), start_.end(), start_.begin());
    std::vector<std::size_t> fill(start_.begin(), start_.end() - 1);
    order_.resize(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) order_[fill[cellOf(samples[i].p)]++] = i;
  }

  long column(double x) const { return static_cast<long>(std::floor((x - x0_) / cell_)); }
  long row(double y) const { return static_cast<long>(std::floor((y - y0_) / cell_)); }
  long columns() const { return nx_; }
  long rows() const { return ny_; }

  // Calls visit(sample index) for every sample of cell (cx, cy), if it exists.
  template <typename Visit>
  void forCell(long cx, long cy, Visit&& visit) const {
    if (cx < 0 || cy < 0 || cx >= nx_ || cy >= ny_) return;
    const std::size_t c = static_cast<std::size_t>(cy * nx_ + cx);
    for (std::size_t k = start_[c]; k < start_[c + 1]; ++k) visit(order_[k]);
  }

  // The distance from p to the nearest sample (rings of cells outwards).
  double nearest(const XtGePoint2d& p) const {
    if (samples_.empty()) return kInf;
    const long cx = column(p.x);
    const long cy = row(p.y);
    const long limit = std::max({std::labs(cx), std::labs(cy), std::labs(cx - nx_), std::labs(cy - ny_)}) + 1;
    double best = kInf;
    for (long r = 0; r <= limit; ++r) {
      for (long x = cx - r; x <= cx + r; ++x) {
        for (long y = cy - r; y <= cy + r; ++y) {
          if (std::max(std::labs(x - cx), std::labs(y - cy)) != r) continue;
          forCell(x, y, [&](std::size_t i) { best = std::min(best, samples_[i].p.distanceTo(p)); });
        }
      }
      // Samples in the rings beyond lie at least r cells away.
      if (best <= r * cell_) break;
    }
    return best;
  }

 private:
  std::size_t cellOf(const XtGePoint2d& p) const {
    const long cx = std::clamp(column(p.x), 0L, nx_ - 1);
    const long cy = std::clamp(row(p.y), 0L, ny_ - 1);
    return static_cast<std::size_t>(cy * nx_ + cx);
  }

  const std::vector<Sample>& samples_;
  double cell_;
  double x0_ = 0.0;
  double y0_ = 0.0;
  long nx_ = 0;
  long ny_ = 0;
  std::vector<std::size_t> start_;
  std::vector<std::size_t> order_;
};

// The outline's axis-parallel box as (x0, y0, x1, y1).
void outlineBox(const std::vector<Piece>& outline, double b[4]) {
  b[0] = b[1] = kInf;
  b[2] = b[3] = -kInf;
  for (const Piece& piece : outline) {
    double pb[4];
    piece.box(pb);
    b[0] = std::min(b[0], pb[0]);
    b[1] = std::min(b[1], pb[1]);
    b[2] = std::max(b[2], pb[2]);
    b[3] = std::max(b[3], pb[3]);
  }
}

bool inBand(const Zone& zone, const XtGePoint2d& p, double eps) {
  for (const Band& band : zone.bands)
    if (band.edge.distanceTo(p) <= band.width + eps) return true;
  return false;
}

void checkContinuity(const std::vector<Piece>& pipe, double tol, Report& r) {
  if (pipe.empty()) {
    r.continuous = {false, 0.0, {}, "no pipe"};
    return;
  }
  for (std::size_t i = 0; i < pipe.size(); ++i) {
    const Piece& p = pipe[i];
    if (!finite(p.start) || !finite(p.end) || (p.isArc && (!finite(p.centre) || !std::isfinite(p.radius)))) {
      r.continuous = {false, kInf, p.start, "piece " + std::to_string(i) + " is not finite"};
      return;
    }
  }
  r.continuous = {true, 0.0, pipe.front().start, "continuous"};
  for (std::size_t i = 1; i < pipe.size(); ++i) {
    const double gap = pipe[i].start.distanceTo(pipe[i - 1].end);
    if (gap > r.continuous.value) r.continuous = {gap <= tol, gap, pipe[i - 1].end, ""};
  }
  std::ostringstream text;
  text << "largest gap " << r.continuous.value << " at " << place(r.continuous.at);
  r.continuous.text = text.str();
}

void checkEnds(const Zone& zone, const std::vector<Piece>& pipe, double tol, Report& r) {
  if (pipe.empty()) {
    r.ends = {false, kInf, zone.start, "no pipe"};
    return;
  }
  const double ds = pipe.front().start.distanceTo(zone.start);
  const double de = pipe.back().end.distanceTo(zone.end);
  r.ends.value = std::max(ds, de);
  r.ends.ok = r.ends.value <= tol;
  r.ends.at = ds >= de ? pipe.front().start : pipe.back().end;
  std::ostringstream text;
  text << "start " << ds << " and end " << de << " off their pipe ends";
  r.ends.text = text.str();
}

void checkInside(const Zone& zone, const Options& options, const std::vector<Sample>& samples, double eps,
                 Report& r) {
  std::vector<Finding> located(options.wallAllowances.size(), Finding{true, kInf, {}, ""});
  r.inside = {true, kInf, {}, ""};
  for (const Sample& s : samples) {
    const double d = distanceToOutline(zone.outline, s.p);
    if (windingNumber(zone.outline, s.p) == 0) {
      r.inside = {false, -d, s.p, "outside the zone at " + place(s.p)};
      return;
    }
    if (d < zone.d0 - eps) {
      const auto allowed = [&](const Options::Allowance& w) {
        return Piece::line(w.from, w.to).distanceTo(s.p) <= w.reach && d >= w.least - eps;
      };
      const auto k = static_cast<std::size_t>(
          std::find_if(options.wallAllowances.begin(), options.wallAllowances.end(), allowed) -
          options.wallAllowances.begin());
      if (k < located.size()) {
        if (d < located[k].value) located[k] = {true, d, s.p, ""};
        continue;
      }
    }
    if (d < r.inside.value) r.inside = {d >= zone.d0 - eps, d, s.p, ""};
  }
  for (std::size_t k = 0; k < located.size(); ++k) {
    if (!std::isfinite(located[k].value)) continue;
    located[k].text = options.wallAllowances[k].what + ": " + std::to_string(located[k].value) + " from the wall at " +
                      place(located[k].at);
    r.located.push_back(located[k]);
  }
  std::ostringstream text;
  text << "nearest to the outline " << r.inside.value << " at " << place(r.inside.at) << " (d0 " << zone.d0 << ")";
  r.inside.text = text.str();
}

void checkSimple(const std::vector<Piece>& pipe, double tol, Report& r) {
  r.simple = {true, 0.0, {}, "no piece meets another but its neighbours at their ends"};
  // Pieces without length are left out: they would make their neighbours
  // look like non-neighbours that touch.
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < pipe.size(); ++i)
    if (pipe[i].length() > tol) kept.push_back(i);
  std::vector<std::unique_ptr<XtGeCurve2d>> curves;
  std::vector<std::array<double, 4>> boxes;
  for (std::size_t i : kept) {
    curves.push_back(pipe[i].curve());
    boxes.emplace_back();
    pipe[i].box(boxes.back().data());
  }
  std::vector<std::size_t> byX(kept.size());
  std::iota(byX.begin(), byX.end(), std::size_t{0});
  std::sort(byX.begin(), byX.end(), [&](std::size_t a, std::size_t b) { return boxes[a][0] < boxes[b][0]; });
  const XtGeTol geTol(tol, 1e-10);
  for (std::size_t u = 0; u < byX.size() && r.simple.ok; ++u) {
    for (std::size_t v = u + 1; v < byX.size() && r.simple.ok; ++v) {
      std::size_t i = byX[u];
      std::size_t j = byX[v];
      if (boxes[j][0] > boxes[i][2] + tol) break;
      if (boxes[j][1] > boxes[i][3] + tol || boxes[i][1] > boxes[j][3] + tol) continue;
      if (i > j) std::swap(i, j);
      const XtGeCurveCurveInt2d meet(*curves[i], *curves[j], geTol);
      const bool neighbours = j == i + 1;
      const XtGePoint2d shared = pipe[kept[i]].end;
      std::ostringstream text;
      text << "pieces " << kept[i] << " and " << kept[j];
      if (meet.overlapCount() > 0) {
        XtGeInterval r1;
        XtGeInterval r2;
        meet.getOverlapRanges(0, r1, r2);
        const XtGePoint2d at = curves[i]->evalPoint(r1.lowerBound());
        r.simple = {false, 0.0, at, text.str() + " overlap from " + place(at)};
        break;
      }
      for (int k = 0; k < meet.numIntPoints(); ++k) {
        const XtGePoint2d at = meet.intPoint(k);
        if (neighbours && at.isEqualTo(shared, geTol)) continue;
        r.simple = {false, 0.0, at, text.str() + " meet at " + place(at)};
        break;
      }
    }
  }
}

// The allowance that lets the pair pass at distance d, or -1.
int allowanceFor(const Options& options, const XtGePoint2d& a, const XtGePoint2d& b, double d, double eps) {
  const auto within = [&](const Options::Allowance& w, const XtGePoint2d& p) {
    if (w.group == 0) return Piece::line(w.from, w.to).distanceTo(p) <= w.reach;
    return std::any_of(options.allowances.begin(), options.allowances.end(), [&](const Options::Allowance& v) {
      return v.group == w.group && Piece::line(v.from, v.to).distanceTo(p) <= v.reach;
    });
  };
  for (std::size_t k = 0; k < options.allowances.size(); ++k) {
    const Options::Allowance& w = options.allowances[k];
    const bool nearA = within(w, a);
    const bool nearB = within(w, b);
    if ((w.both ? nearA && nearB : nearA || nearB) && d >= w.least - eps) return static_cast<int>(k);
  }
  return -1;
}

void checkSpacing(const Zone& zone, const Options& options, const std::vector<Sample>& samples,
                  const SampleGrid& grid, double eps, Report& r) {
  std::vector<Finding> located(options.allowances.size(), Finding{true, kInf, {}, ""});
  r.spacing = {true, kInf, {}, ""};
  if (samples.empty()) return;
  const double s = zone.s;
  const double bodyLength = samples.back().along;
  std::vector<char> band(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) band[i] = inBand(zone, samples[i].p, eps) ? 1 : 0;
  const double end = spacing_rules::kEndSpacings * s;
  auto head = [&](const Sample& x) { return x.along <= end; };
  auto tail = [&](const Sample& x) { return x.along >= bodyLength - end; };
  double worst = 0.0;  // the most negative (distance - target)
  double nearest = kInf;
  XtGePoint2d other;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const Sample& a = samples[i];
    const long cx = grid.column(a.p.x);
    const long cy = grid.row(a.p.y);
    for (long x = cx - 1; x <= cx + 1; ++x) {
      for (long y = cy - 1; y <= cy + 1; ++y) {
        grid.forCell(x, y, [&](std::size_t j) {
          if (j <= i) return;
          const Sample& b = samples[j];
          if (std::fabs(a.along - b.along) <= spacing_rules::kNeighbourSpacings * s) return;
          if ((head(a) && tail(b)) || (tail(a) && head(b))) return;
          const double target = (band[i] && band[j] ? spacing_rules::kNarrowedSpacing * s : s) - eps;
          const double d = a.p.distanceTo(b.p);
          nearest = std::min(nearest, d);
          if (d < target) {
            const int k = allowanceFor(options, a.p, b.p, d, eps);
            if (k >= 0) {
              if (d < located[static_cast<std::size_t>(k)].value) located[static_cast<std::size_t>(k)] = {true, d, a.p, ""};
              return;
            }
          }
          if (d - target < worst) {
            worst = d - target;
            r.spacing = {false, d, a.p, ""};
            other = b.p;
          }
        });
      }
    }
  }
  for (std::size_t k = 0; k < located.size(); ++k) {
    if (!std::isfinite(located[k].value)) continue;
    located[k].text = options.allowances[k].what + ": " + std::to_string(located[k].value) + " at " + place(located[k].at);
    r.located.push_back(located[k]);
  }
  // Passed: the nearest pair; failed: the worst pair.
  if (r.spacing.ok) r.spacing.value = nearest;
  std::ostringstream text;
  if (r.spacing.ok)
    text << "nearest pair apart along the pipe " << r.spacing.value;
  else
    text << "pipe " << r.spacing.value << " from itself between " << place(r.spacing.at) << " and " << place(other);
  r.spacing.text = text.str();
}

// Coverage over the grid of step s/4, and the band area counted on it.
// With a narrow width w, a point farther than the limit from the pipe is
// judged only where it lies within w/2 of a point w/2 or more inside the
// heated area (where a hairpin w across fits); the rest, the narrow parts
// beyond the pipe, are excused and their farthest point reported.
void checkCoverage(const Zone& zone, const SampleGrid& grid, const Options& options, Report& r) {
  double b[4];
  outlineBox(zone.outline, b);
  const double g = 0.25 * zone.s;
  const double limit = options.coverageLimit * zone.s;
  const double half = 0.5 * options.narrowWidth;
  const long nx = static_cast<long>((b[2] - b[0]) / g) + 1;
  const long ny = static_cast<long>((b[3] - b[1]) / g) + 1;
  long inBandCount = 0;
  r.coverage = {true, 0.0, {}, ""};
  // The heated points' depth beyond d0 (negative: not heated), and the
  // points farther than the limit from the pipe.
  std::vector<double> depth(static_cast<std::size_t>(nx * ny), -1.0);
  std::vector<std::pair<long, double>> far;
  const auto at = [&](long i, long j) { return XtGePoint2d(b[0] + (i + 0.5) * g, b[1] + (j + 0.5) * g); };
  for (long i = 0; i < nx; ++i) {
    for (long j = 0; j < ny; ++j) {
      const XtGePoint2d p = at(i, j);
      if (windingNumber(zone.outline, p) == 0) continue;
      const double clear = distanceToOutline(zone.outline, p) - zone.d0;
      if (clear < 0.0) continue;
      depth[static_cast<std::size_t>(i * ny + j)] = clear;
      if (inBand(zone, p, 0.0)) ++inBandCount;
      const double d = grid.nearest(p);
      if (d > limit) far.push_back({i * ny + j, d});
      if ((half <= 0.0 || d <= limit) && d > r.coverage.value) r.coverage = {d <= limit, d, p, ""};
    }
  }
  if (half > 0.0) {
    // Beyond the limit only the points of the wide parts fail.
    Finding excused{true, 0.0, {}, ""};
    const long reach = static_cast<long>(std::ceil(half / g));
    for (const auto& [k, d] : far) {
      const long i = k / ny, j = k % ny;
      const XtGePoint2d p = at(i, j);
      bool wide = false;
      for (long x = std::max(0L, i - reach); x <= std::min(nx - 1, i + reach) && !wide; ++x)
        for (long y = std::max(0L, j - reach); y <= std::min(ny - 1, j + reach) && !wide; ++y)
          wide = depth[static_cast<std::size_t>(x * ny + y)] >= half && at(x, y).distanceTo(p) <= half;
      if (wide && (r.coverage.ok || d > r.coverage.value)) r.coverage = {false, d, p, ""};
      if (!wide && d > excused.value) excused = {true, d, p, ""};
    }
    if (excused.value > 0.0) {
      std::ostringstream text;
      text << "a part narrower than " << options.narrowWidth << " beyond the pipe: farthest " << excused.value
           << " from it at " << place(excused.at);
      excused.text = text.str();
      r.located.push_back(excused);
    }
  }
  r.bandArea = inBandCount * g * g;
  std::ostringstream text;
  text << "farthest from the pipe " << r.coverage.value << " at " << place(r.coverage.at);
  r.coverage.text = text.str();
}

}  // namespace

// ---- Piece ----------------------------------------------------------------------------------

Piece Piece::line(const XtGePoint2d& start, const XtGePoint2d& end) {
  Piece p;
  p.start = start;
  p.end = end;
  return p;
}

Piece Piece::arcAbout(const XtGePoint2d& centre, double radius, double startAngle, double sweep) {
  Piece p;
  p.isArc = true;
  p.centre = centre;
  p.radius = radius;
  p.startAngle = startAngle;
  p.sweep = sweep;
  p.start = XtGePoint2d(centre.x + radius * std::cos(startAngle), centre.y + radius * std::sin(startAngle));
  p.end = XtGePoint2d(centre.x + radius * std::cos(startAngle + sweep), centre.y + radius * std::sin(startAngle + sweep));
  return p;
}

Piece Piece::bulged(const XtGePoint2d& start, const XtGePoint2d& end, double bulge) {
  if (bulge == 0.0) return line(start, end);
  // The centre lies off the chord's midpoint along its left normal by
  // c (1 - b^2) / (4 b), c the chord's length.
  const double dx = end.x - start.x;
  const double dy = end.y - start.y;
  const double c = std::hypot(dx, dy);
  const double off = (1.0 - bulge * bulge) / (4.0 * bulge);
  const XtGePoint2d centre(0.5 * (start.x + end.x) - dy * off, 0.5 * (start.y + end.y) + dx * off);
  const double sweep = 4.0 * std::atan(bulge);
  const double radius = 0.5 * c / std::fabs(std::sin(0.5 * sweep));
  Piece p = arcAbout(centre, radius, std::atan2(start.y - centre.y, start.x - centre.x), sweep);
  p.start = start;
  p.end = end;
  return p;
}

double Piece::length() const { return isArc ? radius * std::fabs(sweep) : start.distanceTo(end); }

XtGePoint2d Piece::at(double s) const {
  const double len = length();
  if (s <= 0.0 || len == 0.0) return start;
  if (s >= len) return end;
  if (!isArc) return XtGePoint2d(start.x + (end.x - start.x) * s / len, start.y + (end.y - start.y) * s / len);
  const double a = startAngle + sweep * s / len;
  return XtGePoint2d(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a));
}

double Piece::distanceTo(const XtGePoint2d& p) const {
  if (isArc) {
    const double vx = p.x - centre.x;
    const double vy = p.y - centre.y;
    const double rho = std::hypot(vx, vy);
    if (rho == 0.0) return radius;
    const double rel = wrapAngle((std::atan2(vy, vx) - startAngle) * (sweep < 0.0 ? -1.0 : 1.0));
    if (rel <= std::fabs(sweep)) return std::fabs(rho - radius);
    return std::min(p.distanceTo(start), p.distanceTo(end));
  }
  const double dx = end.x - start.x;
  const double dy = end.y - start.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0.0 ? ((p.x - start.x) * dx + (p.y - start.y) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return p.distanceTo(XtGePoint2d(start.x + t * dx, start.y + t * dy));
}

double Piece::windingAngle(const XtGePoint2d& p) const {
  const double ax = start.x - p.x;
  const double ay = start.y - p.y;
  const double bx = end.x - p.x;
  const double by = end.y - p.y;
  double angle = std::atan2(cross(ax, ay, bx, by), ax * bx + ay * by);
  if (!isArc) return angle;
  const XtGePoint2d mid = at(0.5 * length());
  const double sideP = cross(end.x - start.x, end.y - start.y, p.x - start.x, p.y - start.y);
  // A point on the chord between the ends: the arc turns half round it on
  // the side of its middle (the chord's own angle is +pi or -pi by the sign
  // of a zero).
  if (sideP == 0.0 && ax * bx + ay * by < 0.0)
    return cross(ax, ay, mid.x - p.x, mid.y - p.y) > 0.0 ? XtGe::kPi : -XtGe::kPi;
  // The arc sweeps the chord's angle, and once round more when the point
  // lies between the chord and the arc (on the arc's side of the chord,
  // within its circle).
  if (p.distanceTo(centre) >= radius) return angle;
  const double sideMid = cross(end.x - start.x, end.y - start.y, mid.x - start.x, mid.y - start.y);
  const bool fullCircle = std::fabs(sweep) >= XtGe::kTwoPi - 1e-12;
  if (fullCircle || sideMid * sideP > 0.0) angle += sweep > 0.0 ? XtGe::kTwoPi : -XtGe::kTwoPi;
  return angle;
}

double Piece::signedArea() const {
  double area = 0.5 * cross(start.x, start.y, end.x, end.y);
  if (isArc) {
    const double t = std::fabs(sweep);
    area += (sweep > 0.0 ? 0.5 : -0.5) * radius * radius * (t - std::sin(t));
  }
  return area;
}

std::unique_ptr<XtGeCurve2d> Piece::curve() const {
  if (!isArc) return std::make_unique<XtGeLineSeg2d>(start, end);
  return std::make_unique<XtGeCircArc2d>(start, end, std::tan(0.25 * sweep));
}

void Piece::box(double b[4]) const {
  b[0] = std::min(start.x, end.x);
  b[1] = std::min(start.y, end.y);
  b[2] = std::max(start.x, end.x);
  b[3] = std::max(start.y, end.y);
  if (!isArc) return;
  // The circle's extreme points in the four axis directions that the arc
  // passes (a nearly flat arc's circle would make a box a hundred times the
  // room's).
  for (int k = 0; k < 4; ++k) {
    const double axis = 0.5 * XtGe::kPi * k;
    double from = sweep >= 0.0 ? axis - startAngle : startAngle - axis;
    from -= XtGe::kTwoPi * std::floor(from / XtGe::kTwoPi);
    if (from > std::fabs(sweep)) continue;
    const double x = centre.x + radius * std::cos(axis), y = centre.y + radius * std::sin(axis);
    b[0] = std::min(b[0], x);
    b[1] = std::min(b[1], y);
    b[2] = std::max(b[2], x);
    b[3] = std::max(b[3], y);
  }
}

int windingNumber(const std::vector<Piece>& outline, const XtGePoint2d& p) {
  double total = 0.0;
  for (const Piece& piece : outline) total += piece.windingAngle(p);
  return static_cast<int>(std::lround(total / XtGe::kTwoPi));
}

namespace {

// The unit tangent of the piece at its start (atEnd false) or end.
XtGeVector2d tangentOf(const Piece& piece, bool atEnd) {
  XtGeVector2d t(piece.end.x - piece.start.x, piece.end.y - piece.start.y);
  if (piece.isArc) {
    const double a = piece.startAngle + (atEnd ? piece.sweep : 0.0);
    const double turn = piece.sweep > 0.0 ? 1.0 : -1.0;
    t = XtGeVector2d(-std::sin(a) * turn, std::cos(a) * turn);
  }
  const double len = std::hypot(t.x, t.y);
  return len > 0.0 ? XtGeVector2d(t.x / len, t.y / len) : t;
}

double outlineArea(const std::vector<Piece>& outline) {
  double area = 0.0;
  const XtGePoint2d origin = outline.empty() ? XtGePoint2d() : outline.front().start;
  for (Piece piece : outline) {
    piece.start = XtGePoint2d(piece.start.x - origin.x, piece.start.y - origin.y);
    piece.end = XtGePoint2d(piece.end.x - origin.x, piece.end.y - origin.y);
    area += piece.signedArea();
  }
  return area;
}

}  // namespace

void addReflexCornerAllowances(const Zone& zone, double slack, Options& options) {
  const std::vector<Piece>& outline = zone.outline;
  const double turnSign = outlineArea(outline) >= 0.0 ? 1.0 : -1.0;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const XtGeVector2d in = tangentOf(outline[i], true);
    const XtGeVector2d out = tangentOf(outline[(i + 1) % outline.size()], false);
    if (cross(in.x, in.y, out.x, out.y) * turnSign < -std::sin(XtGe::kPi / 180.0))
      options.wallAllowances.push_back({outline[i].end, outline[i].end, zone.d0,
                                        zone.d0 * std::cos(XtGe::kPi / 4.0) - slack, false, "reflex corner"});
  }
}

void addJogAllowances(const Zone& zone, double shortest, Options& options) {
  const std::vector<Piece>& outline = zone.outline;
  const std::size_t n = outline.size();
  for (std::size_t i = 0; i < n && n >= 3; ++i) {
    const double jog = outline[i].length();
    const Piece& before = outline[(i + n - 1) % n];
    const Piece& after = outline[(i + 1) % n];
    if (jog >= shortest || before.length() < shortest || after.length() < shortest) continue;
    for (const Piece* wall : {&before, &after}) {
      options.wallAllowances.push_back(
          {wall->start, wall->end, zone.d0 + jog, zone.d0 - jog, false, "wall beside a jog"});
      options.allowances.push_back(
          {wall->start, wall->end, zone.d0 + zone.s + jog, zone.s - jog, false, "run beside a jog"});
    }
  }
}

std::optional<Options::Allowance> meanderMiddleGap(const std::vector<Piece>& pipe, const XtGeVector2d& runDirection,
                                                   double s, const std::vector<Options::Allowance>& explained) {
  const double len = std::hypot(runDirection.x, runDirection.y);
  if (!(len > 0.0) || !(s > 0.0)) return std::nullopt;
  const XtGeVector2d along(runDirection.x / len, runDirection.y / len);
  const XtGeVector2d across(-along.y, along.x);
  const auto dot = [](const XtGePoint2d& p, const XtGeVector2d& v) { return p.x * v.x + p.y * v.y; };
  // Each run's position across, and its extent along.
  struct Run {
    double at, from, to;
  };
  std::vector<Run> runs;
  for (const Piece& piece : pipe) {
    const double l = piece.length();
    if (piece.isArc || l < 0.5 * s) continue;
    const double dx = (piece.end.x - piece.start.x) / l, dy = (piece.end.y - piece.start.y) / l;
    if (std::fabs(cross(dx, dy, along.x, along.y)) > std::sin(XtGe::kPi / 180.0)) continue;
    const double a = dot(piece.start, along), b = dot(piece.end, along);
    runs.push_back({0.5 * (dot(piece.start, across) + dot(piece.end, across)), std::min(a, b), std::max(a, b)});
  }
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.at < b.at; });
  // Collinear pieces make one run position, which keeps their extents.
  struct Position {
    double at, from, to;
    std::vector<std::pair<double, double>> extents;
  };
  std::vector<Position> merged;
  for (const Run& run : runs) {
    if (merged.empty() || run.at - merged.back().at > 0.01 * s) merged.push_back({run.at, run.from, run.to, {}});
    Position& p = merged.back();
    p.from = std::min(p.from, run.from);
    p.to = std::max(p.to, run.to);
    p.extents.emplace_back(run.from, run.to);
  }
  // Whether a piece of one position lies side by side with a piece of the
  // other (their extents along overlap by more than 1 % of s: two pieces
  // that only meet end to end across a step of the pipe do not).
  const auto facing = [s](const Position& a, const Position& b) {
    for (const auto& [af, at] : a.extents)
      for (const auto& [bf, bt] : b.extents)
        if (std::min(at, bt) - std::max(af, bf) > 0.01 * s) return true;
    return false;
  };
  const auto point = [&](double acrossAt, double alongAt) {
    return XtGePoint2d(across.x * acrossAt + along.x * alongAt, across.y * acrossAt + along.y * alongAt);
  };
  // Whether an allowance passes the gap: the middle of every pair of
  // facing pieces lies within its reach, on either position.
  const auto isExplained = [&](const Position& a, const Position& b) {
    const double gap = b.at - a.at;
    for (const auto& [af, at] : a.extents)
      for (const auto& [bf, bt] : b.extents) {
        if (!(std::min(at, bt) > std::max(af, bf))) continue;
        const double mid = 0.5 * (std::min(at, bt) + std::max(af, bf));
        bool passed = false;
        for (const Options::Allowance& w : explained)
          passed = passed || (gap >= w.least - 0.01 * s &&
                              (Piece::line(w.from, w.to).distanceTo(point(a.at, mid)) <= w.reach ||
                               Piece::line(w.from, w.to).distanceTo(point(b.at, mid)) <= w.reach));
        if (!passed) return false;
      }
    return true;
  };
  // The narrowest gap between two run positions whose pieces face each
  // other: pieces of different parts of the zone at positions near each
  // other but not side by side make no gap.
  std::size_t bestA = merged.size(), bestB = merged.size();
  double narrowest = 0.99 * s;
  for (std::size_t i = 0; i < merged.size(); ++i) {
    for (std::size_t j = i + 1; j < merged.size() && merged[j].at - merged[i].at < narrowest; ++j) {
      if (!facing(merged[i], merged[j]) || isExplained(merged[i], merged[j])) continue;
      narrowest = merged[j].at - merged[i].at;
      bestA = i;
      bestB = j;
    }
  }
  if (bestA == merged.size()) return std::nullopt;
  const Position& a = merged[bestA];
  const Position& b = merged[bestB];
  const double middle = 0.5 * (a.at + b.at);
  // The gap runs across the whole zone: along both runs' extents (the arms
  // of a U room hold one gap each at one position).
  const double from = std::min(a.from, b.from), to = std::max(a.to, b.to);
  return Options::Allowance{point(middle, from), point(middle, to), 0.5 * (b.at - a.at + s), 0.5 * s, true,
                            "meander middle gap"};
}

namespace {

// The zone's depth (the largest distance of a point inside from the
// outline), from the grid's deepest points climbed uphill in steps halved
// down to a thousandth of the grid step: the grid alone may miss up to half
// a grid diagonal, enough to miss whether one more run fits.
double refinedDepth(const Zone& zone, double step, const std::vector<XtGePoint2d>& points,
                    const std::vector<double>& depths, double deepest) {
  constexpr int kMostStarts = 16;
  constexpr int kMostSteps = 200;
  const double dirs[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
  double best = deepest;
  int starts = 0;
  for (std::size_t k = 0; k < points.size() && starts < kMostStarts; ++k) {
    if (depths[k] < deepest - step) continue;
    ++starts;
    XtGePoint2d p = points[k];
    double depth = depths[k];
    double h = 0.5 * step;
    for (int i = 0; i < kMostSteps && h > 1e-3 * step; ++i) {
      bool moved = false;
      for (const auto& d : dirs) {
        const XtGePoint2d q(p.x + d[0] * h, p.y + d[1] * h);
        if (windingNumber(zone.outline, q) == 0) continue;
        const double dq = distanceToOutline(zone.outline, q);
        if (dq > depth) {
          p = q;
          depth = dq;
          moved = true;
        }
      }
      if (!moved) h *= 0.5;
    }
    best = std::max(best, depth);
  }
  return best;
}

// The depth with a sign: the distance from the outline, negative outside.
double signedDepth(const Zone& zone, const XtGePoint2d& p) {
  const double d = distanceToOutline(zone.outline, p);
  return windingNumber(zone.outline, p) != 0 ? d : -d;
}

// Whether a grid point dp deep (d0 - s/2 <= dp < d0) lies within s/2 of a
// place a run may take (at least d0 from the walls), so that a pipe heats
// it. Walked straight in (up the depth's slope) by d0 - dp it reaches depth
// d0 wherever one wall stays the nearest: beside a straight wall, always.
// Where the walls close in (an acute corner, a narrowing tip) the walk falls
// short, and the point counts when a grid point at least d0 deep lies within
// s/2 of it: near a tip whose sides meet at an angle a the runs end
// d0 / sin(a/2) from the apex, and the points between there and the apex
// that lie more than s/2 from the nearest run are beyond any pipe's reach.
bool withinReachOfARun(const Zone& zone, double step, const XtGePoint2d& p, double dp, long i, long j, long nx, long ny,
                       const std::vector<double>& cells) {
  const double s = zone.s;
  const double h = 1e-3 * step;
  const double gx = signedDepth(zone, {p.x + h, p.y}) - signedDepth(zone, {p.x - h, p.y});
  const double gy = signedDepth(zone, {p.x, p.y + h}) - signedDepth(zone, {p.x, p.y - h});
  const double g = std::hypot(gx, gy);
  if (g > 0.0) {
    const double walk = zone.d0 - dp;
    const XtGePoint2d q(p.x + gx / g * walk, p.y + gy / g * walk);
    if (signedDepth(zone, q) >= zone.d0 - 1e-6 * s) return true;
  }
  const long reach = static_cast<long>(std::ceil(0.5 * s / step));
  for (long a = std::max(0L, i - reach); a <= std::min(nx - 1, i + reach); ++a)
    for (long b = std::max(0L, j - reach); b <= std::min(ny - 1, j + reach); ++b)
      if (cells[a * ny + b] >= zone.d0 && std::hypot(static_cast<double>(a - i), static_cast<double>(b - j)) * step <= 0.5 * s) return true;
  return false;
}

// The grid cells within reach of a cell at least core deep: each cell of
// the core's edge (a neighbour shallower) marks the cells within reach.
std::vector<char> wideParts(const std::vector<double>& cells, long nx, long ny, double step, double core, double reach) {
  std::vector<char> wide(cells.size(), 0);
  const long r = static_cast<long>(std::ceil(reach / step));
  const auto deep = [&](long i, long j) {
    return i >= 0 && j >= 0 && i < nx && j < ny && cells[static_cast<std::size_t>(i * ny + j)] >= core;
  };
  for (long i = 0; i < nx; ++i) {
    for (long j = 0; j < ny; ++j) {
      if (!deep(i, j)) continue;
      wide[static_cast<std::size_t>(i * ny + j)] = 1;
      if (deep(i - 1, j) && deep(i + 1, j) && deep(i, j - 1) && deep(i, j + 1)) continue;
      for (long a = std::max(0L, i - r); a <= std::min(nx - 1, i + r); ++a)
        for (long c = std::max(0L, j - r); c <= std::min(ny - 1, j + r); ++c)
          if (std::hypot(static_cast<double>(a - i), static_cast<double>(c - j)) * step <= reach)
            wide[static_cast<std::size_t>(a * ny + c)] = 1;
    }
  }
  return wide;
}

}  // namespace

ZoneMeasure measureZone(const Zone& zone, double step, double narrowWidth) {
  constexpr double kBarelyFits = 1e-3;
  ZoneMeasure m;
  if (!(step > 0.0) || zone.outline.empty()) return m;
  const double s = zone.s;
  // A run d0 from the wall stands for a band s/2 either side of it: beyond
  // the wall when d0 < s/2, so the grid reaches that far outside.
  const double beyond = std::max(0.0, 0.5 * s - zone.d0);
  double b[4];
  outlineBox(zone.outline, b);
  b[0] -= beyond;
  b[1] -= beyond;
  b[2] += beyond;
  b[3] += beyond;
  const long nx = static_cast<long>((b[2] - b[0]) / step) + 1;
  const long ny = static_cast<long>((b[3] - b[1]) / step) + 1;
  std::vector<XtGePoint2d> points;
  std::vector<double> depths;  // negative outside
  // Each grid cell's depth (-infinity where it is not measured).
  std::vector<double> cells(static_cast<std::size_t>(nx * ny), -std::numeric_limits<double>::infinity());
  for (long i = 0; i < nx; ++i) {
    for (long j = 0; j < ny; ++j) {
      const XtGePoint2d p(b[0] + (i + 0.5) * step, b[1] + (j + 0.5) * step);
      const bool inside = windingNumber(zone.outline, p) != 0;
      if (!inside && beyond == 0.0) continue;
      const double d = distanceToOutline(zone.outline, p);
      points.push_back(p);
      depths.push_back(inside ? d : -d);
      cells[i * ny + j] = depths.back();
      if (inside) m.deepest = std::max(m.deepest, d);
    }
  }
  m.deepest = refinedDepth(zone, step, points, depths, m.deepest);
  // The deepest run a pipe can take lies d0 + k s from the walls, k the
  // most that the zone's depth allows; it heats s/2 beyond itself.
  const double deepestRun =
      s > 0.0 && m.deepest >= zone.d0 ? zone.d0 + std::floor((m.deepest - zone.d0) / s) * s : 0.0;
  // A deepest run beyond the first that fits only to within kBarelyFits s
  // (the zone exactly two runs' spacing deeper than d0 there) may as well
  // be missing: the offset loop it takes has no width.
  const double shallowerRun =
      deepestRun > zone.d0 && m.deepest - deepestRun < kBarelyFits * s ? deepestRun - s : deepestRun;
  // The wide parts reach w + s/2 from their core: to the band round a
  // corner of the heated area down to 60 degrees, whose core's corner lies
  // w/2 / sin(a/2) <= w from it; a narrower stem or tip keeps about a
  // hairpin's width beside them.
  const std::vector<char> wide =
      wideParts(cells, nx, ny, step, zone.d0 + 0.5 * narrowWidth, narrowWidth + 0.5 * s);
  long heated = 0, piped = 0, pipedShallower = 0, pipedWide = 0;
  for (long i = 0; i < nx; ++i) {
    for (long j = 0; j < ny; ++j) {
      const double d = cells[i * ny + j];
      if (d >= zone.d0) ++heated;
      if (d < zone.d0 - 0.5 * s || d > deepestRun + 0.5 * s) continue;
      const XtGePoint2d p(b[0] + (i + 0.5) * step, b[1] + (j + 0.5) * step);
      if (d >= zone.d0 || withinReachOfARun(zone, step, p, d, i, j, nx, ny, cells)) {
        ++piped;
        if (d <= shallowerRun + 0.5 * s) ++pipedShallower;
        if (narrowWidth <= 0.0 || wide[static_cast<std::size_t>(i * ny + j)]) ++pipedWide;
      }
    }
  }
  m.heatedArea = heated * step * step;
  m.pipeArea = piped * step * step;
  m.pipeAreaShallower = pipedShallower * step * step;
  m.pipeAreaWide = pipedWide * step * step;
  return m;
}

// ---- Report ----------------------------------------------------------------------------------

bool Report::sound() const { return continuous.ok && ends.ok && inside.ok && simple.ok && spacing.ok; }

bool Report::ok() const { return sound() && length.ok && coverage.ok; }

std::string Report::summary() const {
  std::ostringstream out;
  auto line = [&](const char* name, const Finding& f) {
    out << (f.ok ? "  ok   " : "  FAIL ") << name << ": " << f.text << "\n";
  };
  line("continuous", continuous);
  line("ends", ends);
  line("inside", inside);
  line("simple", simple);
  line("spacing", spacing);
  line("length", length);
  line("coverage", coverage);
  for (const Finding& f : located) out << "  allowed " << f.text << "\n";
  return out.str();
}

Report checkLayout(const Zone& zone, const std::vector<Piece>& pipe, const Options& options) {
  Report r;
  const double s = zone.s;
  const double eps = spacing_rules::kSlack * s;
  const double tol = 1e-5 * s;
  checkContinuity(pipe, tol, r);
  checkEnds(zone, pipe, tol, r);
  for (const Piece& piece : pipe) r.pipeLength += piece.length();
  // The body: every piece but the leads.
  const std::size_t leads = static_cast<std::size_t>(std::max(0, options.leadIn) + std::max(0, options.leadOut));
  const std::size_t first = std::min(static_cast<std::size_t>(std::max(0, options.leadIn)), pipe.size());
  const std::size_t last = pipe.size() > leads ? pipe.size() - static_cast<std::size_t>(std::max(0, options.leadOut)) : first;
  for (std::size_t i = first; i < last; ++i) r.inZoneLength += pipe[i].length();
  const std::vector<Sample> samples = sampleBody(pipe, first, last, 0.125 * s);
  const SampleGrid grid(samples, s);
  checkInside(zone, options, samples, eps, r);
  checkSimple(pipe, tol, r);
  checkSpacing(zone, options, samples, grid, eps, r);

  r.zoneArea = std::fabs(outlineArea(zone.outline));
  if (options.coverage) {
    checkCoverage(zone, grid, options, r);
  } else {
    r.coverage = {true, 0.0, {}, "not checked"};
  }
  const double expected = (r.zoneArea + r.bandArea) / s;
  const double ratio = expected > 0.0 ? r.inZoneLength / expected : 0.0;
  r.length = {options.lengthLow <= ratio && ratio <= options.lengthHigh, ratio, {}, ""};
  std::ostringstream text;
  text << "in-zone length " << r.inZoneLength << " against (A + A_b) / s = " << expected << ": ratio " << ratio;
  r.length.text = text.str();
  return r;
}

}  // namespace layout_check
