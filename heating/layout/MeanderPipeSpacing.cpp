#include "heating/layout/MeanderPipeSpacing.h"

#include <algorithm>
#include <cmath>

namespace meander_spacing {

void PipeStretch::add(const XtGePoint2d& a, const XtGePoint2d& b, COffsetEdge* edge, bool walk, bool leg) {
  const double length = a.distanceTo(b);
  pieces.push_back({a, b, edge, walk, leg, total, length});
  total += length;
}

std::size_t PipeStretch::pieceAt(double t) const {
  const auto after = std::upper_bound(pieces.begin(), pieces.end(), t,
                                      [](double v, const PipePiece& piece) { return v < piece.start; });
  return after == pieces.begin() ? 0 : static_cast<std::size_t>(after - pieces.begin()) - 1;
}

XtGePoint2d PipeStretch::at(double t) const {
  const PipePiece& piece = pieces[pieceAt(t)];
  if (!(piece.length > 0.0)) return piece.a;
  return piece.a + (piece.b - piece.a) * (std::clamp(t - piece.start, 0.0, piece.length) / piece.length);
}

void sampleLine(const XtGePoint2d& from, const XtGePoint2d& to, double t0, bool judged, double step,
                std::vector<PipeSample>& out) {
  const double len = from.distanceTo(to);
  const int n = std::max(1, static_cast<int>(std::ceil(len / step)));
  for (int i = 1; i <= n; ++i) {
    const double f = static_cast<double>(i) / n;
    out.push_back({from + (to - from) * f, t0 + len * f, judged});
  }
}

void sampleStretch(const PipeStretch& stretch, double t0, double t1, double shift, double step,
                   std::vector<PipeSample>& out) {
  if (!(t1 > t0) || stretch.pieces.empty()) return;
  XtGePoint2d at = stretch.at(t0);
  out.push_back({at, t0 + shift, stretch.walkAt(t0)});
  for (std::size_t k = stretch.pieceAt(t0); k < stretch.pieces.size(); ++k) {
    const PipePiece& piece = stretch.pieces[k];
    const double end = std::min(piece.start + piece.length, t1);
    if (end > t0 && end > piece.start) {
      const XtGePoint2d to = stretch.at(end);
      sampleLine(at, to, std::max(piece.start, t0) + shift, piece.walk, step, out);
      at = to;
    }
    if (piece.start + piece.length >= t1) break;
  }
}

bool SpacingRule::tooNear(const XtGePoint2d& a, double ta, const XtGePoint2d& b, double tb) const {
  if (std::fabs(tb - ta) <= 2.0 * s_) return false;
  const double d = a.distanceTo(b);
  if (d >= (1.0 - kSlack) * s_) return false;
  return d < (0.5 - kSlack) * s_ || !((inGap(a) && inGap(b)) || (inBand(a) && inBand(b)));
}

bool SpacingRule::inGap(const XtGePoint2d& p) const {
  const GapStrip* gap = narrowings_.gap;
  if (gap == nullptr) return false;
  const double t = (p - gap->origin).dotProduct(gap->n);
  return t >= gap->from - 0.5 * s_ && t <= gap->to + 0.5 * s_;
}

bool SpacingRule::inBand(const XtGePoint2d& p) const {
  if (narrowings_.bands == nullptr) return false;
  for (const MeanderBandEdge& band : *narrowings_.bands) {
    const XtGeVector2d d = band.b - band.a;
    const double len2 = d.dotProduct(d);
    const double t = len2 > 0.0 ? std::clamp((p - band.a).dotProduct(d) / len2, 0.0, 1.0) : 0.0;
    if (p.distanceTo(band.a + d * t) <= band.width + kSlack * s_) return true;
  }
  return false;
}

SampleGrid::SampleGrid(const std::vector<PipeSample>& samples, double s) : s_(s), keyed_(samples.size()) {
  for (std::size_t i = 0; i < samples.size(); ++i)
    keyed_[i] = {key(cell(samples[i].p.x), cell(samples[i].p.y)), static_cast<std::uint32_t>(i)};
  std::sort(keyed_.begin(), keyed_.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
}

std::int64_t SampleGrid::cell(double v) const { return static_cast<std::int64_t>(std::floor(v / s_)); }

std::size_t SampleGrid::lowerBound(std::int64_t k) const {
  return static_cast<std::size_t>(
      std::lower_bound(keyed_.begin(), keyed_.end(), k, [](const Keyed& e, std::int64_t v) { return e.key < v; }) -
      keyed_.begin());
}

bool findNear(const std::vector<PipeSample>& samples, const SpacingRule& rule, double from, NearPair& near) {
  const SampleGrid grid(samples, rule.s());
  bool found = false;
  for (const PipeSample& a : samples) {
    if (a.t < from) continue;
    grid.around(a.p, [&](std::size_t j) {
      const PipeSample& b = samples[j];
      if (b.t <= a.t || (!a.judged && !b.judged) || !rule.tooNear(a.p, a.t, b.p, b.t)) return;
      if (!found || a.t < near.t1) near = {a.t, b.t};
      found = true;
    });
  }
  return found;
}

}  // namespace meander_spacing
