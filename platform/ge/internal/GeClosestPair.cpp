#include "platform/ge/internal/GeClosestPair.h"

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/internal/GeCurveView.h"
#include "platform/ge/internal/GeSimpleIntersect.h"

#include <cmath>
#include <limits>

namespace GeKernel {

namespace {

constexpr int kMaxCandidates = 160;
constexpr int kPolishIterations = 32;
constexpr int kSampleCount = 48;

struct Pair {
  XtGePoint2d p1;
  XtGePoint2d p2;
  double dist = std::numeric_limits<double>::infinity();
};

// Keeps the best pair seen; each candidate x (anywhere in the plane) is
// projected onto c1 then c2, and onto c2 then c1.
class PairSearch {
public:
  PairSearch(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol)
      : m_c1(c1), m_c2(c2), m_tol(tol) {}

  void candidate(const XtGePoint2d& x) {
    if (!x.isFinite() || m_count >= kMaxCandidates) return;
    ++m_count;
    const XtGePoint2d a1 = m_c1.closestPointTo(x, m_tol);
    consider(a1, m_c2.closestPointTo(a1, m_tol));
    const XtGePoint2d b2 = m_c2.closestPointTo(x, m_tol);
    consider(m_c1.closestPointTo(b2, m_tol), b2);
  }
  void consider(const XtGePoint2d& p1, const XtGePoint2d& p2) {
    const double d = p1.distanceTo(p2);
    if (d < m_best.dist) m_best = {p1, p2, d};
  }
  // Alternating projections from the best pair while the distance shrinks.
  void polish() {
    if (!std::isfinite(m_best.dist)) return;
    Pair cur = m_best;
    for (int i = 0; i < kPolishIterations; ++i) {
      const XtGePoint2d q2 = m_c2.closestPointTo(cur.p1, m_tol);
      const XtGePoint2d q1 = m_c1.closestPointTo(q2, m_tol);
      const double d = q1.distanceTo(q2);
      if (!(d < cur.dist)) break;
      cur = {q1, q2, d};
    }
    if (cur.dist < m_best.dist) m_best = cur;
  }
  const Pair& best() const { return m_best; }

private:
  const XtGeCurve2d& m_c1;
  const XtGeCurve2d& m_c2;
  const XtGeTol& m_tol;
  Pair m_best;
  int m_count = 0;
};

// The ends of a bounded view, or a point of an unbounded one.
void addEnds(const CurveView& v, PairSearch& search) {
  if (v.hasLo()) search.candidate(v.eval(v.lo()));
  if (v.hasHi()) search.candidate(v.eval(v.hi()));
  if (!v.hasLo() && !v.hasHi()) search.candidate(v.eval(v.kind == CurveView::Kind::kLinear ? 0.0 : v.lo()));
}

// Interior points where the distance between the two curves can be
// smallest: the foot of a circle's centre on a line and the circle points
// across from it, the points of two circles on their centre line, the
// ellipse points whose tangent is parallel to a line.
void addCriticalPoints(const CurveView& a, const CurveView& b, PairSearch& search) {
  using Kind = CurveView::Kind;
  if (a.kind == Kind::kLinear && b.kind == Kind::kArc) {
    const LinearSpan& l = a.lin;
    const ArcFrame& c = b.arc;
    const double len = l.vec.length();
    if (!(len > 0.0)) return;
    const XtGeVector2d n = l.vec.perpVector() / len;
    const double t = (c.centre - l.base).dotProduct(l.vec) / (len * len);
    search.candidate(l.eval(t));
    search.candidate(c.centre + n * c.radius);
    search.candidate(c.centre - n * c.radius);
  } else if (a.kind == Kind::kArc && b.kind == Kind::kArc) {
    const XtGeVector2d v = b.arc.centre - a.arc.centre;
    const double d = v.length();
    if (!(d > 0.0)) return;
    const XtGeVector2d e = v / d;
    search.candidate(a.arc.centre + e * a.arc.radius);
    search.candidate(a.arc.centre - e * a.arc.radius);
    search.candidate(b.arc.centre + e * b.arc.radius);
    search.candidate(b.arc.centre - e * b.arc.radius);
  } else if (a.kind == Kind::kEllipse && b.kind == Kind::kLinear) {
    const EllipseFrame& e = a.ell;
    const XtGeVector2d& u = b.lin.vec;
    // Tangent -sin t a + cos t b parallel to u: tan t = (b x u) / (a x u).
    const double t0 = std::atan2(e.b.crossProduct(u), e.a.crossProduct(u));
    search.candidate(e.eval(t0));
    search.candidate(e.eval(t0 + XtGe::kPi));
  }
}

void addSamples(const CurveView& v, PairSearch& search) {
  if (!v.hasLo() && !v.hasHi() && v.kind == CurveView::Kind::kLinear) return;
  const double lo = v.lo();
  const double hi = v.kind == CurveView::Kind::kLinear ? v.hi() : std::min(v.hi(), v.lo() + XtGe::kTwoPi);
  if (!std::isfinite(lo) || !std::isfinite(hi)) return;
  for (int i = 1; i < kSampleCount; ++i) search.candidate(v.eval(lo + (hi - lo) * i / kSampleCount));
}

}  // namespace

bool closestPointsSimple(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol,
                         XtGePoint2d& p1, XtGePoint2d& p2) {
  CurveView v1;
  CurveView v2;
  if (!CurveView::make(c1, v1) || !CurveView::make(c2, v2)) return false;

  SimpleIntersection meet;
  intersectSimpleCurves(c1, c2, tol, meet);
  if (meet.numHits > 0) {
    p1 = meet.hits[0].point;
    p2 = c2.xtEvalPoint(meet.hits[0].t2);
    return true;
  }
  PairSearch search(c1, c2, tol);
  if (meet.numOverlaps > 0) {
    // Coincident stretches: a finite point of the first one.
    const CurveOverlap& o = meet.overlaps[0];
    const double t = std::isfinite(o.t1Start) ? o.t1Start : (std::isfinite(o.t1End) ? o.t1End : 0.0);
    search.candidate(c1.xtEvalPoint(t));
  }
  addEnds(v1, search);
  addEnds(v2, search);
  addCriticalPoints(v1, v2, search);
  addCriticalPoints(v2, v1, search);
  using Kind = CurveView::Kind;
  const bool exact = (v1.kind != Kind::kEllipse && v2.kind != Kind::kEllipse) ||
                     (v1.kind == Kind::kLinear || v2.kind == Kind::kLinear);
  if (!exact) {
    addSamples(v1, search);
    addSamples(v2, search);
  }
  search.polish();
  if (!std::isfinite(search.best().dist)) return false;
  p1 = search.best().p1;
  p2 = search.best().p2;
  return true;
}

void closestPointsBySampling(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol,
                             XtGePoint2d& p1, XtGePoint2d& p2) {
  PairSearch search(c1, c2, tol);
  XtGePoint2dArray samples;
  for (const XtGeCurve2d* c : {&c1, &c2}) {
    XtGeInterval iv;
    c->getInterval(iv);
    if (iv.isBounded()) {
      c->getSamplePoints(kSampleCount, samples);
      for (const XtGePoint2d& s : samples) search.candidate(s);
    } else {
      const double t0 = iv.isBoundedBelow() ? iv.lowerBound() : (iv.isBoundedAbove() ? iv.upperBound() : 0.0);
      search.candidate(c->xtEvalPoint(t0));
    }
  }
  search.polish();
  if (std::isfinite(search.best().dist)) {
    p1 = search.best().p1;
    p2 = search.best().p2;
  } else {
    p1 = p2 = XtGePoint2d(std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::quiet_NaN());
  }
}

}  // namespace GeKernel
