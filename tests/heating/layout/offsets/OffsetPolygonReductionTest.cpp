// The reduced polygon of the deeper offset levels: it winds as the whole
// polygon at every point of the domain, and the levels built from it are
// those of the whole polygon.
#include "heating/layout/offsets/OffsetLevelAcceptance.h"
#include "heating/layout/offsets/OffsetLevelSteps.h"
#include "heating/layout/offsets/OffsetPolygonReduction.h"

#include "heating/curves/CGLHTesselationData.h"

#include "geometry/Tolerances.h"

#include "LayoutTestSupport.h"
#include "ZoneFixtures.h"

#include <cmath>
#include <numbers>
#include <random>

namespace {

using layout_test::Levels;
using namespace zone_fixture;

class OffsetPolygonReduction : public layout_test::LayoutTest {
 protected:
  Levels build(const Zone& zone, double d0, double s) {
    curves_ = zone.raw();
    Levels levels;
    COffsetBuilder(curves_, d0, s).buildLoops(levels.levels);
    return levels;
  }

 private:
  std::vector<CFloorHeatingCurve*> curves_;
};

// The winding number of the ring round p, from the angles its edges turn.
int windingAt(const std::vector<XtGePoint2d>& ring, const XtGePoint2d& p) {
  double turned = 0.0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const XtGeVector2d u = ring[i] - p, v = ring[(i + 1) % ring.size()] - p;
    turned += std::atan2(u.crossProduct(v), u.dotProduct(v));
  }
  return static_cast<int>(std::lround(turned / (2.0 * std::numbers::pi)));
}

// The vertices of a loop in micrometres (crossings are computed from edges
// split in another order), from its lowest-leftmost one, so that loops read
// from different starts compare equal.
std::vector<std::pair<long long, long long>> cycle(const CLoop& loop) {
  std::vector<std::pair<long long, long long>> v;
  for (const CLoopElement* e : loop.elements)
    v.emplace_back(std::llround(e->startPoint().x * 1e3), std::llround(e->startPoint().y * 1e3));
  std::rotate(v.begin(), std::min_element(v.begin(), v.end()), v.end());
  return v;
}

TEST_F(OffsetPolygonReduction, RandomRingsWindAsBeforeInsideTwoDomainLoops) {
  Levels l = build(polygon("L", {{0, 0}, {20, 0}, {20, 8}, {8, 8}, {8, 20}, {0, 20}}), 0.0, 0.0);
  Levels square = build(polygon("square", {{30, 30}, {40, 30}, {40, 40}, {30, 40}}), 0.0, 0.0);
  LoopContainment a, b;
  ASSERT_TRUE(a.build(*l[0][0], workTolFine) && b.build(*square[0][0], workTolFine));
  const std::vector<const LoopContainment*> domain{&a, &b};
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(-30.0, 70.0);
  int reducedRings = 0;
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<XtGePoint2d> ring(3 + trial % 40);
    for (XtGePoint2d& p : ring) p.set(coordinate(random), coordinate(random));
    std::vector<XtGePoint2d> reduced;
    if (reduceRingOutsideDomain(ring, domain, 0.5, reduced) == RingReduction::kClearOfDomain) continue;
    reducedRings += reduced.size() < ring.size();
    for (double x = 0.1234; x < 40; x += 0.73)
      for (double y = 0.1234; y < 40; y += 0.73) {
        const XtGePoint2d p(x, y);
        if (a.classify(p) == CLoop::kInside || b.classify(p) == CLoop::kInside) {
          ASSERT_EQ(windingAt(reduced, p), windingAt(ring, p)) << "trial " << trial << " at " << x << ", " << y;
        }
      }
  }
  EXPECT_GT(reducedRings, 100);
}

// Every level after the first, built again from the whole polygon and the
// level before, has the same loops as the builder's.
TEST_F(OffsetPolygonReduction, LevelsEqualThoseOfTheWholePolygon) {
  std::vector<XtGePoint2d> notched;  // 12 x 9 m, three pillars 300 x 500 on each wall
  const XtGeVector2d along[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  XtGePoint2d at(0, 0);
  for (int side = 0; side < 4; ++side) {
    const XtGeVector2d u = along[side], in = along[(side + 1) % 4];
    const double length = side % 2 == 0 ? 12000.0 : 9000.0;
    for (int i = 1; i <= 3; ++i)
      for (const XtGeVector2d& v : {u * (length * i / 4 - 250), u * (length * i / 4 - 250) + in * 300,
                                    u * (length * i / 4 + 250) + in * 300, u * (length * i / 4 + 250)})
        notched.push_back(at + v);
    at += u * length;
    notched.push_back(at);
  }
  for (const Zone& zone : {polygon("notched", notched), z3U(), z5Dumbbell(150), z6Circle()}) {
    Levels levels = build(zone, 100.0, 150.0);
    ASSERT_GT(levels.size(), 2u) << zone.name;
    const std::vector<CFloorHeatingCurve*> curves = zone.raw();
    OffsetBoundary boundary;
    ASSERT_TRUE(makeStraightBoundary(curves, nullptr, boundary));
    for (std::size_t k = 1; k < levels.size(); ++k) {
      std::vector<COffsetPiece*> pieces;
      ASSERT_TRUE(makeOffsetPieces(boundary.curves, std::vector<double>(boundary.curves.size(), 100.0 + 150.0 * k),
                                   pieces));
      joinOffsetPieces(pieces);
      CGLHTesselationData tess;
      feedOffsetPolygon(pieces, tess);
      deletePiecesAndClear(pieces);
      ASSERT_TRUE(tess.tessellateBoundary());
      std::vector<COffsetLoop*> found;
      readContourLoops(tess, found);
      OffsetLevelAcceptance acceptance(levels[k - 1], 75.0, workTolFine);
      std::vector<std::vector<std::pair<long long, long long>>> whole, built;
      for (COffsetLoop* loop : found)
        if (acceptance.accepts(*loop)) whole.push_back(cycle(*loop));
      deleteOffsetLoopsAndFree(found);
      for (const COffsetLoop* loop : levels[k]) built.push_back(cycle(*loop));
      std::sort(whole.begin(), whole.end());
      std::sort(built.begin(), built.end());
      EXPECT_EQ(built, whole) << zone.name << " level " << k;
    }
  }
}

}  // namespace
