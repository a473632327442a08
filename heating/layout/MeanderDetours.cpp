#include "heating/layout/MeanderDetours.h"

#include "heating/layout/COffsetLoop.h"
#include "heating/layout/MeanderCoverage.h"
#include "heating/layout/MeanderPathEdits.h"
#include "heating/layout/PointSegmentDistance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>
#include <vector>

using namespace meander_spacing;

namespace {

constexpr int kMaxDetours = 64;
constexpr int kMaxTargets = 96;
// The width (in s) of the parts whose bare points the farthest left counts.
constexpr double kClearlyWide = 1.25;
// The most path a hairpin leaves out between its feet, in s.
constexpr double kMaxReplaced = 6.0;
// The shortest leg beyond the deeper foot worth a hairpin, in s.
constexpr double kMinLeg = 0.5;
// The hairpins judged exactly per bare point, most promising first.
constexpr int kVerified = 8;
// The depths tried per hairpin, s/8 apart from the deepest its bound allows.
constexpr int kDepthSteps = 24;
// Farther along the pipe than any piece.
constexpr double kFar = 1e300;
// A bare point this many spacings inside the reach of a hairpin is reached.
constexpr double kTie = 1e-6;
using spacing_rules::kNeighbourSpacings;
// The sharpest corner a hairpin's leg may make with the path it leaves.
constexpr double kLeastCorner = std::numbers::pi / 4;

// The frame of a hairpin: u across its legs, v along them (the way they go),
// both from the bare point.
struct Frame {
  XtGePoint2d origin;
  XtGeVector2d d;  // along the legs
  XtGeVector2d e;  // across them
  double u(const XtGePoint2d& p) const { return (p - origin).dotProduct(e); }
  double v(const XtGePoint2d& p) const { return (p - origin).dotProduct(d); }
  XtGePoint2d at(double u, double v) const { return origin + e * u + d * v; }
};

// A straight piece in the frame, with its lengths along the path (t0 < t1;
// none for a loop section).
struct FramedPiece {
  double u0, v0, u1, v1;
  double t0, t1;
};

// Where the path crosses one of the two leg lines: its length along the path,
// its depth and the line (0 the first, 1 the second).
struct Crossing {
  double t;
  double v;
  int line;
};

// A hairpin: the path left from t1 to t2 (t1 < t2) for the polyline from the
// point at t1 through leg1 and leg2 to the point at t2.
struct Hairpin {
  double t1 = 0.0;
  double t2 = 0.0;
  XtGePoint2d foot1, leg1, leg2, foot2;
  int gain = 0;
};

class DetourFinder {
 public:
  DetourFinder(MeanderPath& path, const PipeStretch& pipe, const std::vector<MeanderCoverage::BarePoint>& bare)
      : path_(path), pipe_(pipe), bare_(bare), s_(path.s()), reach_(kBareReach * path.s()) {
    head_ = pipe.pieces.front().length;
    tail_ = pipe.total - pipe.pieces.back().length;
  }

  // The hairpin that reaches the bare point x and leaves the fewest bare
  // points, legs along the runs first.
  std::optional<Hairpin> find(const XtGePoint2d& x) {
    const XtGeVector2d r = path_.across().perpVector();
    const XtGeVector2d a = path_.across();
    for (const auto& dirs : {std::array<XtGeVector2d, 2>{r, -r}, std::array<XtGeVector2d, 2>{a, -a}}) {
      std::vector<Hairpin> found;
      for (const XtGeVector2d& d : dirs) {
        const double len = d.length();
        if (!(len > 0.0)) continue;
        frame(Frame{x, d / len, (d / len).perpVector()});
        for (const double c1 : positions()) hairpinsAt(c1, found);
      }
      // Most gain first; of equal gains the one whose turn lies first on the
      // drawing's lattice of s/64, whichever way the runs point.
      const auto key = [&](const Hairpin& h) {
        const XtGePoint2d m = h.leg1 + (h.leg2 - h.leg1) * 0.5;
        return std::pair(std::llround(m.x / (s_ / 64.0)), std::llround(m.y / (s_ / 64.0)));
      };
      std::sort(found.begin(), found.end(), [&](const Hairpin& p, const Hairpin& q) {
        return p.gain != q.gain ? p.gain > q.gain : key(p) < key(q);
      });
      std::optional<Hairpin> best;
      for (std::size_t k = 0; k < found.size() && k < static_cast<std::size_t>(kVerified); ++k) {
        if (best && found[k].gain <= best->gain) break;
        if (std::optional<Hairpin> sound = soundest(found[k]); sound && (!best || sound->gain > best->gain))
          best = sound;
      }
      if (best) return best;
    }
    return std::nullopt;
  }

 private:
  // The pipe and the loop in the frame.
  void frame(const Frame& f) {
    f_ = f;
    pieces_.clear();
    for (const PipePiece& piece : pipe_.pieces)
      pieces_.push_back({f.u(piece.a), f.v(piece.a), f.u(piece.b), f.v(piece.b), piece.start,
                         piece.start + piece.length});
    loop_.clear();
    for (const CLoopElement* element : path_.loop().elements)
      if (element != nullptr && element->curve != nullptr)
        loop_.push_back({f.u(element->startPoint()), f.v(element->startPoint()), f.u(element->endPoint()),
                         f.v(element->endPoint()), 0.0, 0.0});
  }

  // The first leg lines to try (across coordinates of the hairpin's first
  // leg; the second stands s beyond): every s/4 where the pair reaches the
  // bare point, and s from the pieces along the legs' way near it.
  std::vector<double> positions() const {
    std::vector<double> out;
    const double lo = -s_ - reach_, hi = reach_;
    for (double c = lo; c <= hi; c += 0.25 * s_) out.push_back(c);
    for (const FramedPiece& piece : pieces_) {
      const double length = piece.t1 - piece.t0;
      if (length < 0.5 * s_ || std::fabs(piece.u1 - piece.u0) > 1e-3 * length) continue;
      const double u = 0.5 * (piece.u0 + piece.u1);
      if (u < lo - 4.0 * s_ || u > hi + 4.0 * s_) continue;
      for (int m = -6; m <= 6; ++m) {
        const double c = u + m * s_;
        if (m != 0 && m != -1 && c >= lo && c <= hi) out.push_back(c);
      }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end(), [&](double p, double q) { return q - p < s_ / 64.0; }), out.end());
    return out;
  }

  // The hairpins with legs on the lines c1 and c1 + s: one per pair of
  // crossings of the two lines one right after the other along the path.
  void hairpinsAt(double c1, std::vector<Hairpin>& out) {
    const double c[2] = {c1, c1 + s_};
    crossings_.clear();
    for (const FramedPiece& piece : pieces_) {
      if (piece.t0 < head_ || piece.t1 > tail_ || !(piece.t1 > piece.t0)) continue;
      for (int line = 0; line < 2; ++line) {
        if ((piece.u0 < c[line]) == (piece.u1 < c[line])) continue;
        const double k = (c[line] - piece.u0) / (piece.u1 - piece.u0);
        crossings_.push_back({piece.t0 + k * (piece.t1 - piece.t0), piece.v0 + k * (piece.v1 - piece.v0), line});
      }
    }
    std::sort(crossings_.begin(), crossings_.end(), [](const Crossing& p, const Crossing& q) { return p.t < q.t; });
    for (std::size_t k = 0; k + 1 < crossings_.size(); ++k) {
      const Crossing& p = crossings_[k];
      const Crossing& q = crossings_[k + 1];
      if (p.line == q.line || q.t - p.t > kMaxReplaced * s_ || !(q.t > p.t)) continue;
      // Feet beyond the bare point by more than the reach leave it bare.
      const double v0 = std::max(p.v, q.v);
      if (v0 > reach_) continue;
      double z = deepest(c[0], c[1], p.line == 0 ? p.v : q.v, p.line == 0 ? q.v : p.v, p.t, q.t);
      if (!(z >= v0 + kMinLeg * s_)) continue;
      // On the lattice of s/64 from the bare point: a turn a rounding
      // deeper or shallower is the same turn.
      z = std::floor(z / (s_ / 64.0)) * (s_ / 64.0);
      Hairpin h;
      h.t1 = p.t;
      h.t2 = q.t;
      h.foot1 = f_.at(c[p.line], p.v);
      h.foot2 = f_.at(c[q.line], q.v);
      h.leg1 = f_.at(c[p.line], z);
      h.leg2 = f_.at(c[q.line], z);
      // It must reach the bare point it is laid for.
      if (!reaches(h, f_.origin)) continue;
      h.gain = gain(h);
      if (h.gain > 0) out.push_back(h);
    }
  }

  // The deepest turn the rest of the pipe and the first loop allow for legs
  // on c1 (foot at v1) and c2 (foot at v2): no point of the pipe outside the
  // hairpin's stretch (and the 2 s either side of it) within s of the legs
  // or the turn, no crossing of the loop by the legs or the turn. A point
  // behind a foot lies no nearer its leg than the foot, which is on the
  // pipe already: it bounds nothing.
  double deepest(double c1, double c2, double v1, double v2, double t1, double t2) const {
    const double v0 = std::max(v1, v2);
    const double shallowest = v0 + kMinLeg * s_;
    // Nearer than the spacing allows (its slack taken, as the spacing rule
    // takes it): a leg s from another keeps it with room to spare.
    const double near = (1.0 - kSlack) * s_;
    const double s2 = near * near;
    double z = kFar;
    const auto limit = [&](double u, double v) {
      for (const auto& [c, foot] : {std::pair(c1, v1), std::pair(c2, v2)}) {
        const double du = u - c;
        if (du * du >= s2) continue;
        const double h = std::sqrt(s2 - du * du);
        if (v > foot) z = std::min(z, v - h);
      }
      if (u > c1 && u < c2 && v > v0) z = std::min(z, v - near);
    };
    const double step = 0.125 * s_;
    // Pieces within a millionth of s of lying along or across the legs are
    // taken as lying so (the same pieces however the zone was drawn).
    const double flat = 1e-6 * s_;
    // The stretch left out and the pipe within 2 s of its ends along it.
    const double skipFrom = t1 - kNeighbourSpacings * s_, skipTo = t2 + kNeighbourSpacings * s_;
    for (const FramedPiece& piece : pieces_) {
      if (std::max(piece.u0, piece.u1) <= c1 - s_ || std::min(piece.u0, piece.u1) >= c2 + s_) continue;
      if (std::max(piece.v0, piece.v1) <= std::min(v1, v2) - s_) continue;
      const double length = piece.t1 - piece.t0;
      const double skip0 = length > 0.0 ? (skipFrom - piece.t0) / length : 2.0;
      const double skip1 = length > 0.0 ? (skipTo - piece.t0) / length : -1.0;
      for (const auto& [a, b] : {std::pair(0.0, std::min(1.0, skip0)), std::pair(std::max(0.0, skip1), 1.0)}) {
        if (!(b >= a)) continue;
        const double ua = piece.u0 + a * (piece.u1 - piece.u0), ub = piece.u0 + b * (piece.u1 - piece.u0);
        const double va = piece.v0 + a * (piece.v1 - piece.v0), vb = piece.v0 + b * (piece.v1 - piece.v0);
        if (std::fabs(ub - ua) <= flat) {
          // Along the legs: its nearest point beyond each foot's reach.
          const double lo = std::min(va, vb), hi = std::max(va, vb);
          const double u = 0.5 * (ua + ub);
          for (const auto& [c, foot] : {std::pair(c1, v1), std::pair(c2, v2)}) {
            const double du = u - c;
            if (du * du >= s2) continue;
            const double h = std::sqrt(s2 - du * du);
            if (hi > foot) z = std::min(z, std::max(lo, foot) - h);
          }
          if (u > c1 && u < c2 && hi > v0) z = std::min(z, std::max(lo, v0) - near);
        } else if (std::fabs(vb - va) <= flat) {
          // Across the legs: its point nearest each leg.
          const double lo = std::min(ua, ub), hi = std::max(ua, ub);
          const double v = 0.5 * (va + vb);
          for (const auto& [c, foot] : {std::pair(c1, v1), std::pair(c2, v2)}) {
            const double du = std::max({0.0, lo - c, c - hi});
            if (du * du >= s2) continue;
            const double h = std::sqrt(s2 - du * du);
            if (v > foot) z = std::min(z, v - h);
          }
          if (hi > c1 && lo < c2 && v > v0) z = std::min(z, v - near);
        } else {
          // Any other way: the ends of its part within s of the strip and
          // the piece's own points every s/8 between them.
          double k0 = a, k1 = b;
          double x0 = (c1 - s_ - piece.u0) / (piece.u1 - piece.u0), x1 = (c2 + s_ - piece.u0) / (piece.u1 - piece.u0);
          if (x0 > x1) std::swap(x0, x1);
          k0 = std::max(k0, x0);
          k1 = std::min(k1, x1);
          if (!(k1 >= k0)) continue;
          const auto at = [&](double f) {
            limit(piece.u0 + f * (piece.u1 - piece.u0), piece.v0 + f * (piece.v1 - piece.v0));
          };
          at(k0);
          at(k1);
          const double n = std::max(1.0, std::ceil(length / step));
          for (double k = std::ceil(k0 * n); k <= k1 * n; k += 1.0) at(k / n);
        }
      }
      if (z < shallowest) return z;  // no hairpin worth laying
    }
    // The loop: the legs' lines above their feet, and the parts of it
    // between the lines wholly above the feet.
    const double tol = 1e-6 * s_;
    for (const FramedPiece& section : loop_) {
      const double ua = section.u0, ub = section.u1, va = section.v0, vb = section.v1;
      for (const auto& [c, foot] : {std::pair(c1, v1), std::pair(c2, v2)}) {
        if ((ua < c) == (ub < c)) continue;
        const double v = va + (c - ua) / (ub - ua) * (vb - va);
        if (v > foot + tol) z = std::min(z, v - tol);
      }
      double k0 = 0.0, k1 = 1.0;
      if (std::fabs(ub - ua) > 0.0) {
        double x0 = (c1 - ua) / (ub - ua), x1 = (c2 - ua) / (ub - ua);
        if (x0 > x1) std::swap(x0, x1);
        k0 = std::max(k0, x0);
        k1 = std::min(k1, x1);
      } else if (ua < c1 || ua > c2) {
        continue;
      }
      if (!(k1 >= k0)) continue;
      const double w0 = va + k0 * (vb - va), w1 = va + k1 * (vb - va);
      if (std::min(w0, w1) > v0 + tol) z = std::min(z, std::min(w0, w1) - tol);
    }
    return z;
  }

  // Within the reach less a millionth of s: the legs and turns stand on
  // lines and depths taken from the bare points' lattice, so that some bare
  // points lie at the reach exactly, and a rounding of the drawing's place
  // must not count them in or out.
  bool reaches(const Hairpin& h, const XtGePoint2d& p) const {
    const double r = reach_ - kTie * s_;
    return pointSegmentDistance(p, h.foot1, h.leg1) <= r || pointSegmentDistance(p, h.leg1, h.leg2) <= r ||
           pointSegmentDistance(p, h.leg2, h.foot2) <= r;
  }

  // How many bare points the hairpin brings within reach.
  int gain(const Hairpin& h) const {
    double box[4] = {kFar, kFar, -kFar, -kFar};
    for (const XtGePoint2d& p : {h.foot1, h.leg1, h.leg2, h.foot2}) {
      box[0] = std::min(box[0], p.x - reach_);
      box[1] = std::min(box[1], p.y - reach_);
      box[2] = std::max(box[2], p.x + reach_);
      box[3] = std::max(box[3], p.y + reach_);
    }
    int n = 0;
    for (const MeanderCoverage::BarePoint& p : bare_)
      if (p.at.x >= box[0] && p.at.x <= box[2] && p.at.y >= box[1] && p.at.y <= box[3] && reaches(h, p.at)) ++n;
    return n;
  }

  // The hairpin at the deepest turn that keeps the spacing and lies within
  // the first loop, of the turns s/8 apart up from the one found (halving
  // the steps between a sound and an unsound depth); none when no depth of
  // at least kMinLeg s does.
  std::optional<Hairpin> soundest(const Hairpin& found) const {
    const XtGeVector2d down = found.leg1 - found.foot1;
    const double len = down.length();
    if (!(len > 0.0)) return std::nullopt;
    const XtGeVector2d d = down / len;
    const double top = std::max(0.0, (found.foot2 - found.foot1).dotProduct(d));
    const double deepest = len;
    const auto at = [&](int k) {
      Hairpin h = found;
      const double z = deepest - k * 0.125 * s_;
      h.leg1 = h.foot1 + d * z;
      h.leg2 = h.foot2 + d * (z - (h.foot2 - h.foot1).dotProduct(d));
      return h;
    };
    const int last = std::min(kDepthSteps - 1, static_cast<int>((deepest - top - kMinLeg * s_) / (0.125 * s_)));
    if (last < 0) return std::nullopt;
    int good = -1;
    if (sound(at(0))) {
      good = 0;
    } else if (sound(at(last))) {
      int bad = 0;
      good = last;
      while (good - bad > 1) {  // bad unsound, good sound
        const int mid = (bad + good) / 2;
        (sound(at(mid)) ? good : bad) = mid;
      }
    }
    if (good < 0) return std::nullopt;
    Hairpin h = at(good);
    h.gain = gain(h);
    return h.gain > 0 && reaches(h, f_.origin) ? std::optional<Hairpin>(h) : std::nullopt;
  }

  // Whether the hairpin leaves the runs of the middle gap whole: a foot on
  // a leg in the gap's strip leaves at least s of the leg on either side,
  // so that the two runs still stand facing each other across the gap.
  bool keepsGapRuns(const Hairpin& h) const {
    for (const double t : {h.t1, h.t2}) {
      const PipePiece& piece = pipe_.pieces[pipe_.pieceAt(t)];
      if (!piece.leg || !path_.rule().inGap(pipe_.at(t))) continue;
      const double before = t - piece.start, after = piece.start + piece.length - t;
      if ((before > kNone * s_ && before < s_) || (after > kNone * s_ && after < s_)) return false;
    }
    return true;
  }

  bool sound(const Hairpin& h) const {
    if (!keepsGapRuns(h) || !path_.connectorWithin(h.foot1, h.leg1) || !path_.connectorWithin(h.leg1, h.leg2) ||
        !path_.connectorWithin(h.leg2, h.foot2) || !turnsNoSharperThan(pipe_, h.t1, h.t2, {h.leg1, h.leg2}, kLeastCorner))
      return false;
    const double l1 = h.foot1.distanceTo(h.leg1), l2 = h.leg1.distanceTo(h.leg2), l3 = h.leg2.distanceTo(h.foot2);
    const double shift = l1 + l2 + l3 - (h.t2 - h.t1);
    std::vector<SpacedPiece> pieces;
    pieces.reserve(pipe_.pieces.size() + 5);
    spacedPieces(pipe_, 0.0, h.t1, 0.0, kFar, -kFar, pieces);
    // The new pieces tagged beyond the stretch's: leg 1, turn, leg 2.
    const std::size_t tag = pipe_.pieces.size();
    pieces.push_back({h.foot1, h.leg1, h.t1, true, tag});
    pieces.push_back({h.leg1, h.leg2, h.t1 + l1, true, tag + 1});
    pieces.push_back({h.leg2, h.foot2, h.t1 + l1 + l2, true, tag + 2});
    spacedPieces(pipe_, h.t2, pipe_.total, shift, kFar, -kFar, pieces);
    PipeEnds ends = path_.endsOf(pipe_);
    ends.tailStart += shift;
    // The middle gap's half spacing is for the runs stacked to it: a hairpin
    // keeps the full spacing there too. Each leg is judged against the rest
    // of the pipe ahead of its foot only: a point behind a foot lies no
    // nearer the leg than the foot, which is on the pipe already (and judged
    // with it, but within 2 s of the hairpin along the path and in the pipe's
    // head and tail).
    const Narrowings& given = path_.rule().narrowings();
    const SpacingRule rule(s_, {nullptr, given.bands, given.jogs});
    for (std::size_t k = 0; k < 3; ++k) {
      std::vector<SpacedPiece> judged;
      judged.reserve(pieces.size());
      const XtGePoint2d foot = k == 0 ? h.foot1 : h.foot2;
      const XtGeVector2d d = k == 0 ? h.leg1 - h.foot1 : h.leg2 - h.foot2;
      for (const SpacedPiece& piece : pieces) {
        if (piece.tag >= tag) {
          if (piece.tag == tag + k) judged.push_back(piece);
          continue;
        }
        SpacedPiece rest = piece;
        rest.judged = false;
        // The pipe within 2 s of the hairpin along the path, and the pipe's
        // head and tail, stay whole: the foot's pairs with them went unjudged
        // before and may count now.
        const double length = piece.a.distanceTo(piece.b);
        const bool near = (piece.t + length >= h.t1 - kNeighbourSpacings * s_ && piece.t <= h.t1 + l1 + l2 + l3 + kNeighbourSpacings * s_) ||
                          piece.t <= ends.headEnd || piece.t + length >= ends.tailStart;
        if (k != 1 && !near) {
          // Clipped to the half-plane ahead of the foot.
          const double a = (piece.a - foot).dotProduct(d), b = (piece.b - foot).dotProduct(d);
          if (a <= 0.0 && b <= 0.0) continue;
          if (a <= 0.0 || b <= 0.0) {
            const double f = a / (a - b);
            const XtGePoint2d cut = piece.a + (piece.b - piece.a) * f;
            if (a <= 0.0) {
              rest.t += piece.a.distanceTo(cut);
              rest.a = cut;
            } else {
              rest.b = cut;
            }
          }
        }
        judged.push_back(rest);
      }
      NearPair near;
      if (SpacingSearch(std::move(judged), rule, path_.across(), ends).first(-kFar, near)) return false;
    }
    // The pipe either side of the hairpin now lies its length farther apart
    // along the path: pairs of it that were too near each other to count
    // count now.
    std::vector<SpacedPiece> either;
    spacedPieces(pipe_, std::max(0.0, h.t1 - kNeighbourSpacings * s_), h.t1, 0.0, kFar, -kFar, either);
    for (SpacedPiece& piece : either) piece.judged = true;
    spacedPieces(pipe_, h.t2, std::min(pipe_.total, h.t2 + kNeighbourSpacings * s_), shift, kFar, -kFar, either);
    NearPair near;
    return !SpacingSearch(std::move(either), path_.rule(), path_.across(), ends).first(-kFar, near);
  }

  MeanderPath& path_;
  const PipeStretch& pipe_;
  const std::vector<MeanderCoverage::BarePoint>& bare_;
  double s_;
  double reach_;
  double head_ = 0.0;
  double tail_ = 0.0;
  Frame f_;
  std::vector<FramedPiece> pieces_;
  std::vector<FramedPiece> loop_;
  std::vector<Crossing> crossings_;
};

std::vector<MeanderCoverage::Segment> segmentsOf(const PipeStretch& pipe) {
  std::vector<MeanderCoverage::Segment> out;
  out.reserve(pipe.pieces.size());
  for (const PipePiece& piece : pipe.pieces) out.emplace_back(piece.a, piece.b);
  return out;
}

}  // namespace

MeanderFill fillMeanderGaps(MeanderPath& path, const MeanderCoverage& coverage) {
  MeanderFill fill;
  if (!path.usable() || !coverage.usable()) return fill;
  const double s = path.s();
  const double reach = kBareReach * s;
  {
    const PipeStretch& pipe = path.whole();
    fill.length = pipe.total;
    if (pipe.pieces.size() < 3 || !coverage.anyBare(segmentsOf(pipe), reach)) return fill;
  }
  std::vector<XtGePoint2d> givenUp;
  std::vector<MeanderCoverage::BarePoint> bare;
  const auto left = [&] {
    for (const MeanderCoverage::BarePoint& p : bare) {
      if (!coverage.wide(p.at)) continue;
      ++fill.bare;
      if (coverage.wide(p.at, kClearlyWide * s)) fill.farthest = std::max(fill.farthest, p.distance);
    }
  };
  for (int target = 0; target < kMaxTargets; ++target) {
    const PipeStretch& pipe = path.whole();
    bare = coverage.barePoints(segmentsOf(pipe), reach);
    if (fill.laid >= kMaxDetours) break;
    // The farthest wide point from the pipe not given up; of points as far
    // (to a millionth of s) the first on the lattice, so that the same zone
    // drawn another way round takes the same point.
    std::vector<const MeanderCoverage::BarePoint*> order;
    for (const MeanderCoverage::BarePoint& p : bare)
      if (std::none_of(givenUp.begin(), givenUp.end(), [&](const XtGePoint2d& q) { return q.distanceTo(p.at) < s; }))
        order.push_back(&p);
    const auto key = [&](const MeanderCoverage::BarePoint* p) {
      return std::tuple(-std::llround(p->distance / (1e-6 * s)), p->row, p->column);
    };
    std::sort(order.begin(), order.end(), [&](const auto* p, const auto* q) { return key(p) < key(q); });
    const auto worst = std::find_if(order.begin(), order.end(), [&](const auto* p) { return coverage.wide(p->at); });
    if (worst == order.end()) break;
    const XtGePoint2d x = (*worst)->at;
    std::optional<Hairpin> h = DetourFinder(path, pipe, bare).find(x);
    if (!h || path.detour(pipe, h->t1, h->t2, {h->leg1, h->leg2}) == nullptr) {
      givenUp.push_back(x);
      continue;
    }
    ++fill.laid;
    bare.clear();
  }
  if (bare.empty() && fill.laid > 0) bare = coverage.barePoints(segmentsOf(path.whole()), reach);
  left();
  fill.length = path.whole().total;
  return fill;
}
