// Seeded random closed polylines with bulges: intersection points lie on
// both curves, ray crossing parity matches an independent winding number,
// two closed curves cross an even number of times, and the composite's
// lengths, areas, closest points and round trips agree with brute force.
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "tests/platform/ge/GeShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kShapes = 40;
constexpr int kChordsPerArc = 512;

// Around the origin at increasing angles (a loop that may still cross
// itself where bulges are large).
std::vector<PolyVertex> randomLoop(std::mt19937& rng) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int n = 3 + static_cast<int>(unit(rng) * 10);
  std::vector<double> angles;
  for (int i = 0; i < n; ++i) angles.push_back(unit(rng) * XtGe::kTwoPi);
  std::sort(angles.begin(), angles.end());
  std::vector<PolyVertex> v;
  for (double a : angles) {
    const double r = 2.0 + 3.0 * unit(rng);
    const double bulge = unit(rng) < 0.5 ? 0.0 : (unit(rng) - 0.5) * 1.4;
    v.push_back({r * std::cos(a), r * std::sin(a), bulge});
  }
  if (unit(rng) < 0.3) std::reverse(v.begin(), v.end());  // clockwise, bulges keep their pieces
  return v;
}

// The loop as a fine polygon, built from the vertices alone.
std::vector<XtGePoint2d> densePolygon(const std::vector<PolyVertex>& v) {
  std::vector<XtGePoint2d> out;
  const std::size_t n = v.size();
  for (std::size_t i = 0; i < n; ++i) {
    const XtGePoint2d a(v[i].x, v[i].y);
    const XtGePoint2d b(v[(i + 1) % n].x, v[(i + 1) % n].y);
    out.push_back(a);
    if (v[i].bulge == 0.0) continue;
    // The arc through a and b with this bulge: sagitta geometry.
    const double sweep = 4.0 * std::atan(v[i].bulge);  // signed
    const XtGeVector2d chord = b - a;
    const double c = chord.length();
    const double r = 0.5 * c / std::sin(0.5 * std::fabs(sweep));
    const double h = 0.5 * c / std::tan(0.5 * std::fabs(sweep));
    const XtGeVector2d left = chord.perpVector() / c;
    const XtGePoint2d centre = a + chord * 0.5 + left * (sweep > 0 ? h : -h);
    const double a0 = std::atan2(a.y - centre.y, a.x - centre.x);
    for (int k = 1; k < kChordsPerArc; ++k) {
      const double t = a0 + sweep * k / kChordsPerArc;
      out.emplace_back(centre.x + r * std::cos(t), centre.y + r * std::sin(t));
    }
  }
  return out;
}

double windingNumber(const std::vector<XtGePoint2d>& poly, const XtGePoint2d& p) {
  double sum = 0.0;
  for (std::size_t i = 0; i < poly.size(); ++i) {
    const XtGeVector2d a = poly[i] - p;
    const XtGeVector2d b = poly[(i + 1) % poly.size()] - p;
    sum += std::atan2(a.crossProduct(b), a.dotProduct(b));
  }
  return sum / XtGe::kTwoPi;
}

double polygonDistance(const std::vector<XtGePoint2d>& poly, const XtGePoint2d& p) {
  double best = 1e300;
  for (std::size_t i = 0; i < poly.size(); ++i) {
    const XtGeLineSeg2d s(poly[i], poly[(i + 1) % poly.size()]);
    best = std::min(best, s.distanceTo(p));
  }
  return best;
}

double polygonArea(const std::vector<XtGePoint2d>& poly) {
  double a = 0.0;
  for (std::size_t i = 0; i < poly.size(); ++i)
    a += poly[i].asVector().crossProduct(poly[(i + 1) % poly.size()].asVector());
  return 0.5 * a;
}

// Rays from random points, in random directions and through random
// vertices, against random loops scaled and moved into place.
void checkRayParity(unsigned seed, double scale, const XtGePoint2d& origin, const XtGeTol& tol) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> coord(-6.0, 6.0);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int rays = 0;
  for (int s = 0; s < kShapes; ++s) {
    std::vector<PolyVertex> v = randomLoop(rng);
    for (PolyVertex& p : v) {
      p.x = origin.x + scale * p.x;
      p.y = origin.y + scale * p.y;
    }
    const XtGeCompositeCurve2d loop = polyline(v, true);
    const std::vector<XtGePoint2d> poly = densePolygon(v);
    for (int k = 0; k < 25; ++k) {
      const XtGePoint2d p(origin.x + scale * coord(rng), origin.y + scale * coord(rng));
      if (polygonDistance(poly, p) < 1e-2 * scale) continue;  // too near for the dense polygon
      const int winding = static_cast<int>(std::lround(windingNumber(poly, p)));
      // A random direction, and one through a random vertex.
      const PolyVertex& target = v[static_cast<std::size_t>(unit(rng) * v.size())];
      const double angle = unit(rng) * XtGe::kTwoPi;
      for (const XtGeVector2d dir :
           {XtGeVector2d(std::cos(angle), std::sin(angle)), XtGePoint2d(target.x, target.y) - p}) {
        const XtGeRay2d ray(p, dir);
        const XtGeCurveCurveInt2d x(ray, loop, tol);
        ++rays;
        EXPECT_EQ(crossingCount(x) % 2, std::abs(winding) % 2)
            << "shape " << s << " point " << p.x << ", " << p.y << " dir " << dir.x << ", " << dir.y;
        for (int i = 0; i < x.numIntPoints(); ++i) {
          EXPECT_TRUE(ray.isOn(x.intPoint(i), tol));
          EXPECT_TRUE(loop.isOn(x.intPoint(i), tol));
        }
      }
    }
  }
  EXPECT_GT(rays, 800);
}

}  // namespace

TEST(GeCompositeProperty, RayParityMatchesTheWindingNumber) {
  checkRayParity(20240611, 1.0, XtGePoint2d(0, 0), XtGeTol());
}

TEST(GeCompositeProperty, RayParityInDrawingUnitsFarFromTheOrigin) {
  checkRayParity(99, 1000.0, XtGePoint2d(3.1e6, -7.4e6), XtGeTol(1e-3, 1e-8));
}

TEST(GeCompositeProperty, ClosedCurvesCrossAnEvenNumberOfTimes) {
  std::mt19937 rng(77);
  std::uniform_real_distribution<double> shift(-3.0, 3.0);
  for (int s = 0; s < kShapes; ++s) {
    const XtGeCompositeCurve2d a = polyline(randomLoop(rng), true);
    XtGeCompositeCurve2d b = polyline(randomLoop(rng), true);
    b.translateBy(XtGeVector2d(shift(rng), shift(rng)));
    const XtGeCurveCurveInt2d x(a, b);
    EXPECT_EQ(crossingCount(x) % 2, 0) << s;
    double prev = -1.0;
    for (int i = 0; i < x.numIntPoints(); ++i) {
      double t1 = 0, t2 = 0;
      x.getIntParams(i, t1, t2);
      EXPECT_GE(t1, prev);
      prev = t1;
      EXPECT_TRUE(a.isOn(x.intPoint(i)));
      EXPECT_TRUE(b.isOn(x.intPoint(i)));
    }
    // Where they cross, the curve-curve distance is 0.
    if (x.numIntPoints() > 0) {
      EXPECT_EQ(a.distanceTo(b), 0.0);
    }
  }
}

TEST(GeCompositeProperty, MeasuresAgreeWithBruteForce) {
  std::mt19937 rng(4242);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int s = 0; s < kShapes; ++s) {
    const std::vector<PolyVertex> v = randomLoop(rng);
    const XtGeCompositeCurve2d loop = polyline(v, true);
    const std::vector<XtGePoint2d> poly = densePolygon(v);
    // Area (the dense polygon lies inside every convex arc: loose bound).
    double area = 0;
    ASSERT_TRUE(loop.xtArea(0.0, 1.0, area));
    EXPECT_NEAR(area, std::fabs(polygonArea(poly)), 1e-3 * (1.0 + area)) << s;
    for (int k = 0; k < 20; ++k) {
      const double t = unit(rng);
      const XtGePoint2d p = loop.xtEvalPoint(t);
      EXPECT_LE(loop.xtEvalPoint(loop.paramOf(p)).distanceTo(p), 1e-9);
      XtGeCurve2d* a = nullptr;
      XtGeCurve2d* b = nullptr;
      loop.getSplitCurves(t, a, b);
      std::unique_ptr<XtGeCurve2d> ownA(a), ownB(b);
      const double la = a ? a->length() : 0.0;
      const double lb = b ? b->length() : 0.0;
      EXPECT_NEAR(la + lb, loop.length(), 1e-9);
      EXPECT_NEAR(loop.paramAtLength(0.0, la), t, 1e-12);
      // The closest point is never farther than the dense polygon's points.
      const XtGePoint2d q(6.0 * (unit(rng) - 0.5) * 2, 6.0 * (unit(rng) - 0.5) * 2);
      const double d = loop.distanceTo(q);
      double brute = 1e300;
      for (const XtGePoint2d& r : poly) brute = std::min(brute, r.distanceTo(q));
      EXPECT_LE(d, brute + 1e-12);
      EXPECT_NEAR(loop.closestPointTo(q).distanceTo(q), d, 1e-12);
      EXPECT_TRUE(loop.isOn(loop.closestPointTo(q)));
    }
  }
}
