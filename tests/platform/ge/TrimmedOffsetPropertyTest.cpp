// Property tests of the trimmed offset on random closed polylines with
// bulges (fixed seeds): results are closed, keep their distance from the
// input, and bound the region the offset describes, so that they cross
// neither themselves nor each other. The regions are checked through
// polygons sampled from the curves, independent of the offset's own
// winding numbers.
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "tests/platform/ge/GeShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr double kTwoPi = 6.283185307179586;
using Polygon = std::vector<XtGePoint2d>;

// The curve as a polygon whose chords stay within 1e-6 of it.
Polygon polygonOf(const XtGeCurve2d& c) {
  XtGeCurve2dPtrArray pieces;
  XtGeIntArray flags;
  if (!c.explode(pieces, flags)) pieces.append(const_cast<XtGeCurve2d*>(&c));
  Polygon poly;
  for (const XtGeCurve2d* p : pieces) {
    XtGeInterval iv;
    p->getInterval(iv);
    XtGePoint2dArray pts;
    p->getSamplePoints(iv.lowerBound(), iv.upperBound(), 1e-6, pts);
    for (int i = 0; i + 1 < pts.length(); ++i) poly.push_back(pts[i]);
  }
  return poly;
}

int windingOf(const Polygon& poly, const XtGePoint2d& p) {
  int w = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const XtGePoint2d& a = poly[i];
    const XtGePoint2d& b = poly[(i + 1) % poly.size()];
    const double side = (b - a).crossProduct(p - a);
    if (a.y <= p.y && b.y > p.y && side > 0) ++w;
    if (a.y > p.y && b.y <= p.y && side < 0) --w;
  }
  return w;
}

// Whether no two pieces meet, except neighbours at their common vertex.
bool isSimple(const XtGeCompositeCurve2d& loop) {
  XtGeCurve2dPtrArray pieces;
  loop.getCurveList(pieces);
  const int k = pieces.length();
  for (int i = 0; i < k; ++i) {
    for (int j = i + 1; j < k; ++j) {
      const XtGeCurveCurveInt2d hits(*pieces[i], *pieces[j], XtGeTol(1e-9, 1e-12));
      const bool neighbours = j == i + 1 || (i == 0 && j == k - 1);
      if (hits.overlapCount() > 0 || hits.numIntPoints() > (neighbours ? 1 : 0)) return false;
    }
  }
  return true;
}

// Polygons with their vertices on a grid, untangled by reversing crossing
// stretches (so with collinear edges and equal distances), some edges
// bulged; counter-clockwise. Null when its pieces cross.
std::unique_ptr<XtGeCompositeCurve2d> gridLoop(std::mt19937& rng) {
  std::uniform_int_distribution<int> grid(-10, 10);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<PolyVertex> v;
  const int n = 4 + static_cast<int>(unit(rng) * 16);
  for (int i = 0; i < n; ++i) {
    const PolyVertex p{static_cast<double>(grid(rng)), static_cast<double>(grid(rng))};
    if (std::none_of(v.begin(), v.end(), [&](const PolyVertex& q) { return q.x == p.x && q.y == p.y; }))
      v.push_back(p);
  }
  auto side = [](const PolyVertex& a, const PolyVertex& b, const PolyVertex& c) {
    const double s = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return (s > 0) - (s < 0);
  };
  const size_t m = v.size();
  for (int round = 0; round < 200; ++round) {
    bool changed = false;
    for (size_t i = 0; i < m; ++i) {
      for (size_t j = i + 2; j < m; ++j) {
        const PolyVertex &a = v[i], &b = v[i + 1], &c = v[j], &d = v[(j + 1) % m];
        if ((j + 1) % m == i) continue;
        if (side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0) {
          std::reverse(v.begin() + i + 1, v.begin() + j + 1);
          changed = true;
        }
      }
    }
    if (!changed) break;
  }
  for (PolyVertex& p : v)
    if (unit(rng) < 0.4) p.bulge = (unit(rng) < 0.5 ? -1 : 1) * (1e-4 + 0.45 * unit(rng));
  auto loop = std::make_unique<XtGeCompositeCurve2d>(polyline(v, true));
  double area = 0.0;
  loop->xtArea(0.0, 1.0, area);
  if (area < 0.5) return nullptr;
  if (polygonOf(*loop).size() < 3 || windingOf(polygonOf(*loop), XtGePoint2d(1e3, 1e3)) != 0)
    return nullptr;
  if (!isSimple(*loop)) return nullptr;
  // Counter-clockwise.
  XtGePoint2d s;
  loop->hasStartPoint(s);
  double signedTwice = 0.0;
  const Polygon poly = polygonOf(*loop);
  for (size_t i = 0; i < poly.size(); ++i)
    signedTwice += (poly[i] - s).crossProduct(poly[(i + 1) % poly.size()] - s);
  if (signedTwice < 0) loop->reverseParam();
  return loop;
}

// A star-shaped polygon about the origin with bulged edges.
std::unique_ptr<XtGeCompositeCurve2d> starLoop(std::mt19937& rng) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int n = 5 + static_cast<int>(unit(rng) * 20);
  std::vector<PolyVertex> v;
  for (int i = 0; i < n; ++i) {
    const double a = (i + 0.2 + 0.6 * unit(rng)) * kTwoPi / n;
    const double r = 3.0 + 7.0 * unit(rng);
    const double bulge = unit(rng) < 0.5 ? 0.0 : (unit(rng) < 0.5 ? -1 : 1) * (1e-4 + 0.35 * unit(rng));
    v.push_back({r * std::cos(a), r * std::sin(a), bulge});
  }
  auto loop = std::make_unique<XtGeCompositeCurve2d>(polyline(v, true));
  return isSimple(*loop) ? std::move(loop) : nullptr;
}

// Joints of a counter-clockwise loop with how far from each a chamfer or
// extension may differ from the fillet (the kite reaches |d| / cos of
// half the turn).
std::vector<std::pair<XtGePoint2d, double>> jointReach(const XtGeCompositeCurve2d& loop,
                                                       double dist) {
  XtGeCurve2dPtrArray pieces;
  loop.getCurveList(pieces);
  std::vector<std::pair<XtGePoint2d, double>> out;
  for (int i = 0; i < pieces.length(); ++i) {
    const XtGeCurve2d& a = *pieces[i];
    const XtGeCurve2d& b = *pieces[(i + 1) % pieces.length()];
    XtGeInterval ia, ib;
    a.getInterval(ia);
    b.getInterval(ib);
    XtGePoint2d p, q;
    XtGeVector2d ta, tb, unused;
    a.xtEvalDerivs(ia.upperBound(), p, ta, unused);
    b.xtEvalDerivs(ib.lowerBound(), q, tb, unused);
    const double c = ta.normal().dotProduct(tb.normal());
    out.push_back({p, dist / std::max(std::sqrt(std::max(0.0, 0.5 * (1.0 + c))), 1e-3)});
  }
  return out;
}

struct Stats {
  int offsets = 0;
  int vanished = 0;
  int split = 0;
};

void checkOffset(const XtGeCompositeCurve2d& loop, double d, int extType, std::mt19937& rng,
                 Stats& stats) {
  XtGeCurve2dPtrArray out;
  const bool answered = loop.getTrimmedOffset(d, out, extType, XtGeTol(1e-9, 1e-10));
  std::vector<std::unique_ptr<XtGeCurve2d>> results;
  for (XtGeCurve2d* c : out) results.emplace_back(c);
  if (extType == XtGe::kExtend && !answered) return;  // extensions meeting too far out
  ASSERT_EQ(answered, !results.empty());

  ++stats.offsets;
  stats.vanished += results.empty();
  stats.split += results.size() > 1;
  const double dist = std::fabs(d);
  std::vector<Polygon> polys;
  for (const auto& r : results) {
    ASSERT_TRUE(r->xtIsClosed(XtGeTol(1e-7, 1e-7)));
    // Never nearer to the input than the offset distance (chamfers cut
    // inside it at their joints).
    XtGePoint2dArray samples;
    r->getSamplePoints(200, samples);
    if (extType != XtGe::kChamfer) {
      for (const XtGePoint2d& p : samples) EXPECT_GT(loop.distanceTo(p), dist - 1e-7);
    }
    polys.push_back(polygonOf(*r));
  }
  // Different results only touch.
  for (size_t i = 0; i < results.size(); ++i) {
    for (size_t j = i + 1; j < results.size(); ++j) {
      const XtGeCurveCurveInt2d hits(*results[i], *results[j], XtGeTol(1e-9, 1e-12));
      EXPECT_EQ(hits.overlapCount(), 0);
      for (int k = 0; k < hits.numIntPoints(); ++k) EXPECT_TRUE(hits.isTangential(k));
    }
  }
  // The results wind once around the offset region and nowhere else. With
  // fillets the region is known exactly: inward (d > 0) the points inside
  // at least d from the input, outward the points inside or within |d|.
  const Polygon input = polygonOf(loop);
  const auto joints = jointReach(loop, dist);
  std::uniform_real_distribution<double> coord(-13.0, 13.0);
  for (int k = 0; k < 150; ++k) {
    const XtGePoint2d p(coord(rng), coord(rng));
    int w = 0;
    for (const Polygon& poly : polys) w += windingOf(poly, p);
    ASSERT_TRUE(w == 0 || w == 1) << "winding " << w << " at " << p.x << ", " << p.y;
    const double gap = loop.distanceTo(p);
    if (std::fabs(gap - dist) < 1e-4) continue;
    if (extType != XtGe::kFillet &&
        std::any_of(joints.begin(), joints.end(),
                    [&](const auto& j) { return p.distanceTo(j.first) < j.second + 1e-4; }))
      continue;
    const bool inside = windingOf(input, p) == 1;
    const bool inRegion = d > 0.0 ? inside && gap > dist : inside || gap < dist;
    EXPECT_EQ(w, inRegion ? 1 : 0) << "at " << p.x << ", " << p.y;
  }
}

template <class Make>
Stats checkShapes(unsigned seed, Make make, int shapes, std::initializer_list<double> distances) {
  std::mt19937 rng(seed);
  Stats stats;
  for (int shape = 0; shape < shapes; ++shape) {
    std::unique_ptr<XtGeCompositeCurve2d> loop;
    for (int attempt = 0; attempt < 1000 && !loop; ++attempt) loop = make(rng);
    if (!loop) {
      ADD_FAILURE() << "no simple loop drawn";
      return stats;
    }
    for (double d : distances) {
      for (int ext : {XtGe::kFillet, XtGe::kChamfer, XtGe::kExtend}) {
        SCOPED_TRACE(testing::Message() << "shape " << shape << " d " << d << " extension " << ext);
        checkOffset(*loop, d, ext, rng, stats);
        if (testing::Test::HasFatalFailure()) return stats;
      }
    }
  }
  return stats;
}

}  // namespace

TEST(TrimmedOffsetProperty, StarShapedLoopsWithBulges) {
  const Stats s = checkShapes(20240601, starLoop, 20, {0.3, 1.1, 4.0, -0.4, -1.7});
  EXPECT_GT(s.split, 0);
  EXPECT_GT(s.vanished, 0);
}

TEST(TrimmedOffsetProperty, GridLoopsWithCollinearEdgesAndBulges) {
  const Stats s = checkShapes(7, gridLoop, 20, {0.25, 0.5, 1.0, -0.5, -1.0});
  EXPECT_GT(s.split, 0);
}
