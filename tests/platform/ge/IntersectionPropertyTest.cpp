// Seeded random lines, rays, segments and arcs: every reported intersection
// lies on both curves, and where dense polylines of the two curves cross
// clearly, a reported point (or an overlap) lies nearby.
#include "platform/ge/XtGeCircArc2d.h"
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
