#include "heating/layout/MeanderPipeSpacing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

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

void spacedPieces(const PipeStretch& stretch, double t0, double t1, double shift, double judgedFrom,
                  double judgedTo, std::vector<SpacedPiece>& out) {
  if (!(t1 > t0) || stretch.pieces.empty()) return;
  for (std::size_t k = stretch.pieceAt(t0); k < stretch.pieces.size(); ++k) {
    const PipePiece& piece = stretch.pieces[k];
    if (piece.start >= t1) break;
    const double from = std::max(piece.start, t0);
    const double to = std::min(piece.start + piece.length, t1);
    if (!(to > from)) continue;
    const bool whole = from == piece.start && to == piece.start + piece.length;
    const bool inside = judgedFrom <= from + shift && to + shift <= judgedTo;
    if (whole && (inside || to + shift <= judgedFrom || from + shift >= judgedTo)) {
      out.push_back({piece.a, piece.b, piece.start + shift, inside && piece.walk, k});
      continue;
    }
    // Split where the judged window begins and ends.
    double cuts[4] = {from, std::clamp(judgedFrom - shift, from, to), std::clamp(judgedTo - shift, from, to), to};
    std::sort(cuts, cuts + 4);
    for (int c = 0; c < 3; ++c) {
      if (!(cuts[c + 1] > cuts[c])) continue;
      const double middle = 0.5 * (cuts[c] + cuts[c + 1]) + shift;
      const bool judged = piece.walk && middle >= judgedFrom && middle <= judgedTo;
      out.push_back({stretch.at(cuts[c]), stretch.at(cuts[c + 1]), cuts[c] + shift, judged, k});
    }
  }
}

bool turnsNoSharperThan(const PipeStretch& pipe, double t1, double t2, const std::vector<XtGePoint2d>& via,
                        double least) {
  if (pipe.pieces.empty()) return true;
  // The corners: the way before t1, the polyline, the way after t2 (each
  // direction read a thousandth of the first piece's length away, so that
  // a corner at a joint reads the pieces either side of it).
  const double step = 1e-3 * std::max(pipe.total, 1e-300) / static_cast<double>(pipe.pieces.size());
  std::vector<XtGePoint2d> points;
  points.reserve(via.size() + 4);
  if (t1 > 0.0) points.push_back(pipe.at(std::max(0.0, t1 - step)));
  points.push_back(pipe.at(t1));
  points.insert(points.end(), via.begin(), via.end());
  points.push_back(pipe.at(t2));
  if (t2 < pipe.total) points.push_back(pipe.at(std::min(pipe.total, t2 + step)));
  for (std::size_t k = 1; k + 1 < points.size(); ++k) {
    const XtGeVector2d in = points[k - 1] - points[k];
    const XtGeVector2d out = points[k + 1] - points[k];
    if (!(in.length() > 0.0) || !(out.length() > 0.0)) continue;
    if (in.angleTo(out) < least) return false;
  }
  return true;
}

bool SpacingRule::inGap(const XtGePoint2d& p) const {
  const GapStrip* gap = narrowings_.gap;
  if (gap == nullptr) return false;
  const double t = gap->across(p);
  const double u = gap->along(p);
  return t >= gap->from - 0.5 * s_ && t <= gap->to + 0.5 * s_ && u >= gap->alongFrom && u <= gap->alongTo;
}

bool SpacingRule::inBand(const XtGePoint2d& p) const {
  if (narrowings_.bands == nullptr) return false;
  for (const MeanderBandEdge& band : *narrowings_.bands) {
    const XtGeVector2d d = band.b - band.a;
    const double len2 = d.dotProduct(d);
    const double t = len2 > 0.0 ? std::clamp((p - band.a).dotProduct(d) / len2, 0.0, 1.0) : 0.0;
    if (p.distanceTo(band.a + d * t) <= band.width + kBandMargin * s_) return true;
  }
  return false;
}

double SpacingRule::jogLeast(const XtGePoint2d& p) const {
  if (narrowings_.jogs == nullptr) return 0.0;
  double least = 0.0;
  for (const MeanderJogWall& wall : *narrowings_.jogs) {
    const XtGeVector2d d = wall.b - wall.a;
    const double len2 = d.dotProduct(d);
    const double t = len2 > 0.0 ? std::clamp((p - wall.a).dotProduct(d) / len2, 0.0, 1.0) : 0.0;
    if (p.distanceTo(wall.a + d * t) <= wall.reach && (least == 0.0 || wall.least < least)) least = wall.least;
  }
  return least;
}

bool SpacingRule::narrows() const {
  return narrowings_.gap != nullptr || (narrowings_.bands != nullptr && !narrowings_.bands->empty()) ||
         (narrowings_.jogs != nullptr && !narrowings_.jogs->empty());
}

namespace {

// A point of the plane of two pieces' parameters (u along the first, v
// along the second).
struct UV {
  double u = 0.0;
  double v = 0.0;
};

// A convex polygon of at most eight corners, without heap.
struct Polygon {
  std::array<UV, 8> corners;
  int count = 0;
};

// The part of the polygon where a u + b v >= c.
Polygon clip(const Polygon& in, double a, double b, double c) {
  Polygon out;
  const auto side = [&](const UV& p) { return a * p.u + b * p.v - c; };
  for (int i = 0; i < in.count; ++i) {
    const UV& p = in.corners[static_cast<std::size_t>(i)];
    const UV& q = in.corners[static_cast<std::size_t>((i + 1) % in.count)];
    const double sp = side(p);
    const double sq = side(q);
    if (sp >= 0.0 && out.count < 8) out.corners[static_cast<std::size_t>(out.count++)] = p;
    if ((sp < 0.0) != (sq < 0.0) && out.count < 8) {
      const double f = sp / (sp - sq);
      out.corners[static_cast<std::size_t>(out.count++)] = {p.u + f * (q.u - p.u), p.v + f * (q.v - p.v)};
    }
  }
  return out;
}

// The nearest pair of points a0 + u da and b0 + v db (da, db unit) over the
// polygon of (u, v): its squared distance and where.
double nearestOver(const Polygon& polygon, const XtGePoint2d& a0, const XtGeVector2d& da, const XtGePoint2d& b0,
                   const XtGeVector2d& db, UV& at) {
  const XtGeVector2d w = b0 - a0;
  const auto value = [&](const UV& p) { return (w + db * p.v - da * p.u).lengthSqrd(); };
  double best = -1.0;
  // Inside: where the gradient vanishes (none for parallel pieces, whose
  // nearest pairs reach the polygon's edges as well).
  const double k = da.dotProduct(db);
  const double det = 1.0 - k * k;
  if (det > 1e-12) {
    const double alpha = w.dotProduct(da);
    const double beta = -w.dotProduct(db);
    UV p;
    p.u = (alpha + k * beta) / det;
    p.v = beta + k * p.u;
    bool inside = polygon.count >= 3;
    for (int i = 0; i < polygon.count && inside; ++i) {
      const UV& e0 = polygon.corners[static_cast<std::size_t>(i)];
      const UV& e1 = polygon.corners[static_cast<std::size_t>((i + 1) % polygon.count)];
      inside = (e1.u - e0.u) * (p.v - e0.v) - (e1.v - e0.v) * (p.u - e0.u) >= -1e-12;
    }
    if (inside) {
      at = p;
      best = value(p);
    }
  }
  for (int i = 0; i < polygon.count; ++i) {
    const UV& p = polygon.corners[static_cast<std::size_t>(i)];
    const UV& q = polygon.corners[static_cast<std::size_t>((i + 1) % polygon.count)];
    const XtGeVector2d e0 = w + db * p.v - da * p.u;
    const XtGeVector2d e1 = db * (q.v - p.v) - da * (q.u - p.u);
    const double len2 = e1.lengthSqrd();
    const double f = len2 > 0.0 ? std::clamp(-e0.dotProduct(e1) / len2, 0.0, 1.0) : 0.0;
    const UV r{p.u + f * (q.u - p.u), p.v + f * (q.v - p.v)};
    const double d = value(r);
    if (best < 0.0 || d < best) {
      best = d;
      at = r;
    }
  }
  return best;
}

// The squared distance between the segments a0 a1 and b0 b1: none of the
// constrained pairs of two pieces lie nearer.
double segmentGap2(const XtGePoint2d& a0, const XtGePoint2d& a1, const XtGePoint2d& b0, const XtGePoint2d& b1) {
  const XtGeVector2d da = a1 - a0;
  const XtGeVector2d db = b1 - b0;
  const double s1 = da.crossProduct(b0 - a0);
  const double s2 = da.crossProduct(b1 - a0);
  const double s3 = db.crossProduct(a0 - b0);
  const double s4 = db.crossProduct(a1 - b0);
  if (((s1 < 0.0) != (s2 < 0.0)) && ((s3 < 0.0) != (s4 < 0.0))) return 0.0;
  const auto toSegment = [](const XtGePoint2d& p, const XtGePoint2d& q0, const XtGeVector2d& d) {
    const double len2 = d.lengthSqrd();
    const double f = len2 > 0.0 ? std::clamp((p - q0).dotProduct(d) / len2, 0.0, 1.0) : 0.0;
    return (p - (q0 + d * f)).lengthSqrd();
  };
  return std::min(std::min(toSegment(a0, b0, db), toSegment(a1, b0, db)),
                  std::min(toSegment(b0, a0, da), toSegment(b1, a0, da)));
}

}  // namespace

// The parts of a piece with one allowance each: breakpoints where it
// enters or leaves the gap's strip and, to s/8, a band; at most kMaxParts.
int SpacingSearch::partsOf(const SpacedPiece& piece, const SpacingRule& rule, Part (&parts)[kMaxParts]) {
  const double len = piece.a.distanceTo(piece.b);
  const XtGeVector2d d = len > 0.0 ? (piece.b - piece.a) / len : XtGeVector2d();
  double breaks[kMaxParts + 1];
  int n = 0;
  breaks[n++] = 0.0;
  breaks[n++] = len;
  const double s = rule.s();
  if (const GapStrip* gap = rule.narrowings().gap) {
    const double g0 = gap->across(piece.a), g1 = gap->across(piece.b);
    for (const double edge : {gap->from - 0.5 * s, gap->to + 0.5 * s})
      if ((g0 - edge) * (g1 - edge) < 0.0) breaks[n++] = len * (edge - g0) / (g1 - g0);
    const double h0 = gap->along(piece.a), h1 = gap->along(piece.b);
    for (const double edge : {gap->alongFrom, gap->alongTo})
      if ((h0 - edge) * (h1 - edge) < 0.0) breaks[n++] = len * (edge - h0) / (h1 - h0);
  }
  const bool bands = rule.narrowings().bands != nullptr && !rule.narrowings().bands->empty();
  const bool jogs = rule.narrowings().jogs != nullptr && !rule.narrowings().jogs->empty();
  if (bands || jogs) {
    const int steps = std::max(1, static_cast<int>(std::ceil(len / (0.125 * s))));
    bool wasBand = rule.inBand(piece.a);
    double wasJog = rule.jogLeast(piece.a);
    for (int i = 1; i <= steps && n < kMaxParts; ++i) {
      const double u = len * i / steps;
      const bool isBand = bands && rule.inBand(piece.a + d * u);
      const double isJog = jogs ? rule.jogLeast(piece.a + d * u) : 0.0;
      if (isBand != wasBand || isJog != wasJog) breaks[n++] = u - 0.5 * len / steps;
      wasBand = isBand;
      wasJog = isJog;
    }
  }
  std::sort(breaks, breaks + n);
  int count = 0;
  for (int i = 0; i + 1 < n; ++i) {
    if (!(breaks[i + 1] > breaks[i])) continue;
    const XtGePoint2d middle = piece.a + d * (0.5 * (breaks[i] + breaks[i + 1]));
    parts[count++] = {breaks[i], breaks[i + 1], rule.inGap(middle), rule.inBand(middle), rule.jogLeast(middle)};
  }
  return count;
}

SpacingSearch::SpacingSearch(std::vector<SpacedPiece> pieces, const SpacingRule& rule, const XtGeVector2d& across,
                             const PipeEnds& ends)
    : pieces_(std::move(pieces)), rule_(rule), ends_(ends), reach_((1.0 - kSlack) * rule.s()) {
  const double len = across.length();
  across_ = len > 0.0 ? across / len : XtGeVector2d(1.0, 0.0);
  const XtGeVector2d along = across_.perpVector();
  // Unjudged pieces beyond reach of every judged one cannot make a pair.
  double box[4] = {1e300, 1e300, -1e300, -1e300};
  for (const SpacedPiece& piece : pieces_) {
    if (!piece.judged) continue;
    for (const XtGePoint2d& p : {piece.a, piece.b}) {
      box[0] = std::min(box[0], p.x);
      box[1] = std::min(box[1], p.y);
      box[2] = std::max(box[2], p.x);
      box[3] = std::max(box[3], p.y);
    }
  }
  std::erase_if(pieces_, [&](const SpacedPiece& piece) {
    return !piece.judged && (std::max(piece.a.x, piece.b.x) < box[0] - reach_ ||
                             std::min(piece.a.x, piece.b.x) > box[2] + reach_ ||
                             std::max(piece.a.y, piece.b.y) < box[1] - reach_ ||
                             std::min(piece.a.y, piece.b.y) > box[3] + reach_);
  });
  const std::size_t n = pieces_.size();
  lo_.resize(n);
  hi_.resize(n);
  lowY_.resize(n);
  highY_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double xa = (pieces_[i].a - XtGePoint2d()).dotProduct(across_);
    const double xb = (pieces_[i].b - XtGePoint2d()).dotProduct(across_);
    const double ya = (pieces_[i].a - XtGePoint2d()).dotProduct(along);
    const double yb = (pieces_[i].b - XtGePoint2d()).dotProduct(along);
    lo_[i] = std::min(xa, xb);
    hi_[i] = std::max(xa, xb);
    lowY_[i] = std::min(ya, yb);
    highY_[i] = std::max(ya, yb);
  }
  order_.resize(n);
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  std::sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) { return lo_[a] < lo_[b]; });
}

bool SpacingSearch::first(double from, NearPair& near) const {
  bool found = false;
  for (std::size_t i = 0; i < order_.size(); ++i)
    for (std::size_t k = i + 1; k < order_.size() && lo_[order_[k]] <= hi_[order_[i]] + reach_; ++k) {
      NearPair pair;
      if (!pairNear(order_[i], order_[k], from, pair)) continue;
      if (!found || pair.t1 < near.t1) near = pair;
      found = true;
    }
  return found;
}

bool SpacingSearch::any() const {
  for (std::size_t i = 0; i < order_.size(); ++i)
    for (std::size_t k = i + 1; k < order_.size() && lo_[order_[k]] <= hi_[order_[i]] + reach_; ++k) {
      NearPair pair;
      if (pairNear(order_[i], order_[k], -1e300, pair)) return true;
    }
  return false;
}

bool SpacingSearch::pairNear(std::size_t i, std::size_t j, double from, NearPair& near) const {
  if (lowY_[j] > highY_[i] + reach_ || lowY_[i] > highY_[j] + reach_) return false;
  if (pieces_[j].t < pieces_[i].t) std::swap(i, j);
  const SpacedPiece* a = &pieces_[i];
  const SpacedPiece* b = &pieces_[j];
  if (!a->judged && !b->judged) return false;
  const double s = rule_.s();
  const double la = a->a.distanceTo(a->b);
  const double lb = b->a.distanceTo(b->b);
  // The farthest apart along the pipe their points get.
  if (b->t + lb - a->t <= spacing_rules::kNeighbourSpacings * s || a->t + la < from) return false;
  const double atLeast = (1.0 - kSlack) * s;
  if (segmentGap2(a->a, a->b, b->a, b->b) >= atLeast * atLeast) return false;
  const XtGeVector2d da = la > 0.0 ? (a->b - a->a) / la : XtGeVector2d(1.0, 0.0);
  const XtGeVector2d db = lb > 0.0 ? (b->b - b->a) / lb : XtGeVector2d(1.0, 0.0);
  // Pieces one after the other that turn by at most a right angle: points x
  // before the joint and y after it lie at least sqrt(x^2 + y^2) >= (x + y)
  // / sqrt(2) > sqrt(2) s apart.
  if (std::fabs(b->t - (a->t + la)) <= 1e-9 * s && a->b.distanceTo(b->a) <= 1e-9 * s && da.dotProduct(db) >= 0.0)
    return false;
  // The pairs judged: more than two spacings apart along the pipe, (b.t +
  // v) - (a.t + u) > 2 s; the earlier point not before `from`; not the
  // earlier in the head and the later in the tail. Nearest over the region
  // of the pieces' parameters: the box clipped, twice without the head and
  // the tail (the earlier point beyond the head, or the later before the tail).
  const double c = spacing_rules::kNeighbourSpacings * s - (b->t - a->t) + kNone * s;
  const auto nearest = [&](double u0, double u1, double v0, double v1, UV& at) {
    Polygon box;
    box.corners = {UV{u0, v0}, UV{u1, v0}, UV{u1, v1}, UV{u0, v1}};
    box.count = 4;
    Polygon region = clip(box, -1.0, 1.0, c);
    if (from > a->t) region = clip(region, 1.0, 0.0, from - a->t);
    double best = -1.0;
    // Pieces wholly beyond the head or before the tail need no halves.
    const bool beyondHead = a->t + u0 >= ends_.headEnd;
    const bool beforeTail = b->t + v1 <= ends_.tailStart;
    const int halves = beyondHead || beforeTail ? 1 : 2;
    for (int half = 0; half < halves; ++half) {
      Polygon judged = region;
      if (halves == 2 && half == 0) judged = clip(region, 1.0, 0.0, ends_.headEnd - a->t);
      if (half == 1) judged = clip(region, 0.0, -1.0, b->t - ends_.tailStart);
      if (judged.count < 3) continue;
      UV p;
      const double d2 = nearestOver(judged, a->a, da, b->a, db, p);
      if (d2 >= 0.0 && (best < 0.0 || d2 < best)) {
        best = d2;
        at = p;
      }
    }
    return best;
  };
  // Nearest over the whole pieces first: a pair that keeps s keeps every
  // threshold.
  UV at;
  const double d2 = nearest(0.0, la, 0.0, lb, at);
  if (!(d2 >= 0.0) || d2 >= atLeast * atLeast) return false;
  if (!rule_.narrows()) {
    near = {a->t + at.u, b->t + at.v, a->tag, b->tag};
    return true;
  }
  // Each part with its own threshold.
  Part partsA[kMaxParts];
  Part partsB[kMaxParts];
  const int na = partsOf(*a, rule_, partsA);
  const int nb = partsOf(*b, rule_, partsB);
  for (int ka = 0; ka < na; ++ka)
    for (int kb = 0; kb < nb; ++kb) {
      const Part& pa = partsA[ka];
      const Part& pb = partsB[kb];
      double least = ((pa.gap && pb.gap) || (pa.band && pb.band) ? spacing_rules::kNarrowedSpacing - kSlack : 1.0 - kSlack) * s;
      for (const double jog : {pa.jog, pb.jog})
        if (jog > 0.0) least = std::min(least, jog - kSlack * s);
      const double e2 = nearest(pa.u0, pa.u1, pb.u0, pb.u1, at);
      if (!(e2 >= 0.0) || e2 >= least * least) continue;
      near = {a->t + at.u, b->t + at.v, a->tag, b->tag};
      return true;
    }
  return false;
}

}  // namespace meander_spacing
