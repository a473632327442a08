// Seeded random lines, rays, segments and arcs: every reported intersection
// lies on both curves, and where dense polylines of the two curves cross
// clearly, a reported point (or an overlap) lies nearby.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "platform/ge/internal/GeSimpleIntersect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kCurves = 48;
constexpr int kChords = 96;
constexpr double kWindow = 40.0;  // unbounded curves are drawn within this distance

struct Shape {
  std::unique_ptr<XtGeCurve2d> curve;
  std::vector<XtGePoint2d> poly;
  double deviation = 0.0;  // how far the polyline may stray from the curve
};

Shape makeShape(std::mt19937& rng, const XtGePoint2d& origin, double scale) {
  std::uniform_real_distribution<double> coord(-10.0, 10.0);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto point = [&] { return XtGePoint2d(origin.x + scale * coord(rng), origin.y + scale * coord(rng)); };
  Shape s;
  const int kind = static_cast<int>(unit(rng) * 5.0);
  switch (kind) {
    case 0:
      s.curve = std::make_unique<XtGeLine2d>(point(), point());
      break;
    case 1: {
      auto r = std::make_unique<XtGeRay2d>(point(), point());
      if (unit(rng) < 0.5) r->reverseParam();
      s.curve = std::move(r);
      break;
    }
    case 2:
      s.curve = std::make_unique<XtGeLineSeg2d>(point(), point());
      break;
    default: {
      const double start = (unit(rng) - 0.5) * 20.0;
      const double sweep = unit(rng) < 0.2 ? XtGe::kTwoPi : unit(rng) * XtGe::kTwoPi;
      const XtGeVector2d ref(coord(rng), coord(rng));
      s.curve = std::make_unique<XtGeCircArc2d>(point(), scale * (0.5 + 8.0 * unit(rng)), start,
                                                start + sweep, ref, unit(rng) < 0.5);
      break;
    }
  }
  XtGeInterval iv;
  s.curve->getInterval(iv);
  double lo = iv.isBoundedBelow() ? iv.lowerBound() : -1e300;
  double hi = iv.isBoundedAbove() ? iv.upperBound() : 1e300;
  if (!iv.isBounded()) {
    // Window of the unbounded curve around its base point.
    const auto& lin = static_cast<const XtGeLinearEnt2d&>(*s.curve);
    const double speed = lin.parameterVector().length();
    const double w = scale * kWindow / speed;
    lo = std::max(lo, -w);
    hi = std::min(hi, w);
  }
  for (int i = 0; i <= kChords; ++i) s.poly.push_back(s.curve->xtEvalPoint(lo + (hi - lo) * i / kChords));
  if (s.curve->type() == XtGe::kCircArc2d) {
    const auto& arc = static_cast<const XtGeCircArc2d&>(*s.curve);
    s.deviation = arc.radius() * (1.0 - std::cos(0.5 * (hi - lo) / kChords));
  }
  return s;
}

// Crossing point of two chords and the sine of their angle; false when they
// do not cross.
bool chordsCross(const XtGePoint2d& a0, const XtGePoint2d& a1, const XtGePoint2d& b0,
                 const XtGePoint2d& b1, XtGePoint2d& x, double& sine) {
  const XtGeVector2d u = a1 - a0;
  const XtGeVector2d v = b1 - b0;
  const double c = u.crossProduct(v);
  if (c == 0.0) return false;
  const double s = (b0 - a0).crossProduct(v) / c;
  const double t = (b0 - a0).crossProduct(u) / c;
  if (s < 0.0 || s > 1.0 || t < 0.0 || t > 1.0) return false;
  x = a0 + u * s;
  sine = std::fabs(c) / (u.length() * v.length());
  return true;
}

void runProperty(unsigned seed, const XtGePoint2d& origin, double scale, const XtGeTol& tol) {
  std::mt19937 rng(seed);
  std::vector<Shape> shapes;
  for (int i = 0; i < kCurves; ++i) shapes.push_back(makeShape(rng, origin, scale));
  const double numericSlack = 1e-14 * (std::fabs(origin.x) + std::fabs(origin.y) + 100.0 * scale);
  int checkedCrossings = 0;
  for (int i = 0; i < kCurves; ++i) {
    for (int j = 0; j < kCurves; ++j) {
      if (i == j) continue;
      const XtGeCurve2d& c1 = *shapes[i].curve;
      const XtGeCurve2d& c2 = *shapes[j].curve;
      GeKernel::SimpleIntersection hits;
      ASSERT_TRUE(GeKernel::intersectSimpleCurves(c1, c2, tol, hits));
      for (int k = 0; k < hits.numHits; ++k) {
        const XtGePoint2d& p = hits.hits[k].point;
        EXPECT_LE(c1.distanceTo(p), tol.equalPoint() + numericSlack) << seed << " " << i << " " << j;
        EXPECT_LE(c2.distanceTo(p), tol.equalPoint() + numericSlack) << seed << " " << i << " " << j;
        if (k > 0) {
          EXPECT_LE(hits.hits[k - 1].t1, hits.hits[k].t1);
        }
      }
      for (int k = 0; k < hits.numOverlaps; ++k) {
        const GeKernel::CurveOverlap& o = hits.overlaps[k];
        for (double t : {o.t1Start, o.t1End, 0.5 * (o.t1Start + o.t1End)})
          if (std::isfinite(t)) {
            EXPECT_LE(c2.distanceTo(c1.xtEvalPoint(t)), tol.equalPoint() + numericSlack);
          }
      }
      // Brute force: clear crossings of the polylines must be reported.
      const Shape& a = shapes[i];
      const Shape& b = shapes[j];
      for (size_t m = 1; m < a.poly.size(); ++m) {
        for (size_t n = 1; n < b.poly.size(); ++n) {
          XtGePoint2d x;
          double sine = 0.0;
          if (!chordsCross(a.poly[m - 1], a.poly[m], b.poly[n - 1], b.poly[n], x, sine) || sine < 0.1)
            continue;
          ++checkedCrossings;
          const double reach = 3.0 * (a.deviation + b.deviation) / sine + 1e-6 * scale;
          bool found = hits.numOverlaps > 0;
          for (int k = 0; k < hits.numHits && !found; ++k) found = hits.hits[k].point.distanceTo(x) <= reach;
          EXPECT_TRUE(found) << "missed crossing near (" << x.x << ", " << x.y << ") seed " << seed
                             << " curves " << i << " (type " << c1.type() << ") and " << j
                             << " (type " << c2.type() << ")";
        }
      }
    }
  }
  EXPECT_GT(checkedCrossings, 300);
}

}  // namespace

TEST(GeIntersectionProperty, RandomSimpleCurvesNearTheOrigin) {
  runProperty(20240601u, XtGePoint2d(0, 0), 1.0, XtGeTol(1e-10, 1e-10));
}

TEST(GeIntersectionProperty, RandomSimpleCurvesAtLargeCoordinatesWithCoarseTolerance) {
  runProperty(777u, XtGePoint2d(1e7, -1e7), 100.0, XtGeTol(1e-3, 1e-3));
}

TEST(GeIntersectionProperty, RandomSimpleCurvesWithZeroTolerance) {
  runProperty(4242u, XtGePoint2d(3, 4), 1.0, XtGeTol(0.0, 0.0));
}

namespace {

// Seeded awkward pairs near `origin`: segments lying within the tolerance
// along part of another at a tiny angle must give one overlap and no
// points; a segment crossing an arc at 1 to 10 degrees, ending before its
// line meets the circle again, one crossing that is not tangential.
void runAwkwardPairs(unsigned seed, const XtGePoint2d& origin, double scale, const XtGeTol& tol) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const double ep = std::max(tol.equalPoint(), 1e-14 * (std::fabs(origin.x) + std::fabs(origin.y)));
  int crossings = 0;
  for (int n = 0; n < 400; ++n) {
    const double turn = u(rng) * XtGe::kTwoPi;
    const XtGeVector2d along(std::cos(turn), std::sin(turn));
    const XtGePoint2d p = origin + XtGeVector2d(u(rng) - 0.5, u(rng) - 0.5) * (10.0 * scale);
    // Near-colinear: both ends of `part` within 0.9 ep of `wall`.
    const XtGeLineSeg2d wall(p, p + along * (10.0 * scale));
    const double s0 = 0.8 * u(rng);
    const double s1 = s0 + 0.01 + 0.19 * u(rng);
    XtGeLineSeg2d part(p + along * (10.0 * scale * s0) + along.perpVector() * ((2.0 * u(rng) - 1.0) * 0.9 * ep),
                       p + along * (10.0 * scale * s1) + along.perpVector() * ((2.0 * u(rng) - 1.0) * 0.9 * ep));
    if (u(rng) < 0.5) part.reverseParam();
    for (const XtGeCurveCurveInt2d& x : {XtGeCurveCurveInt2d(part, wall, tol), XtGeCurveCurveInt2d(wall, part, tol)}) {
      EXPECT_EQ(x.numIntPoints(), 0) << seed << " pair " << n;
      EXPECT_EQ(x.overlapCount(), 1) << seed << " pair " << n;
    }
    // Shallow crossing at q, the segment's line re-entering the circle at
    // 2 R sin(theta) beyond q, past the segment's end.
    const double r = scale * (0.5 + 9.5 * u(rng));
    const double theta = (1.0 + 9.0 * u(rng)) * XtGe::kPi / 180.0;
    XtGeCircArc2d arc(p, r, turn, turn + 1.0 + 4.0 * u(rng), XtGeVector2d::kXAxis, u(rng) < 0.5);
    const double phi = turn + 0.5 + (arc.endAng() - arc.startAng() - 1.0) * u(rng);
    const XtGePoint2d q = arc.xtEvalPoint(phi);
    const XtGeVector2d radial = (q - p) / r;
    const XtGeVector2d inward = radial.perpVector().rotateBy(u(rng) < 0.5 ? theta : XtGe::kPi - theta);
    const XtGePoint2d end = q + inward * (2.0 * r * std::sin(theta) * (0.1 + 0.8 * u(rng)));
    if (std::fabs(end.distanceTo(p) - r) < 10.0 * ep) continue;
    XtGeLineSeg2d seg(q - inward * r, end);
    if (u(rng) < 0.5) seg.reverseParam();
    ++crossings;
    for (const XtGeCurveCurveInt2d& x : {XtGeCurveCurveInt2d(seg, arc, tol), XtGeCurveCurveInt2d(arc, seg, tol)}) {
      ASSERT_EQ(x.numIntPoints(), 1) << seed << " arc " << n;
      EXPECT_FALSE(x.isTangential(0)) << seed << " arc " << n << " theta " << theta;
    }
  }
  EXPECT_GT(crossings, 300);
}

}  // namespace

TEST(GeIntersectionProperty, NearlyColinearSegmentsAndShallowCrossingsOfArcs) {
  runAwkwardPairs(15u, XtGePoint2d(0, 0), 1.0, XtGeContext::gTol);
  runAwkwardPairs(16u, XtGePoint2d(7.6e6, 5.8e6), 100.0, XtGeTol(1e-3, 1e-6));
  runAwkwardPairs(17u, XtGePoint2d(1e-3, 2e-3), 1e-3, XtGeContext::gTol);
}
