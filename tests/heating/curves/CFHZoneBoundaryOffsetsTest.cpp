// The zone boundary's offsets and reference points over a stand-in source of
// offset levels: what is cached, the measures when there is no offset, and
// the projection onto the innermost level.
#include "heating/curves/CFHZoneBoundary.h"

#include "CLoopTestSupport.h"
#include "ZoneTestSupport.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

using curve_test::near;

// Levels of squares about (5, 5): one level per entry, one square per side
// length. Counts its calls.
class SquareLevels : public CFHOffsetLevelSource {
 public:
  SquareLevels(std::initializer_list<std::vector<double>> levels) : levels_(levels) {}
  void buildLevels(const std::vector<CFloorHeatingCurve*>& /*curves*/, double /*firstOffset*/, double /*spacing*/,
                   std::vector<Level>& out) const override {
    ++calls;
    out.clear();
    for (const std::vector<double>& sides : levels_) {
      Level& level = out.emplace_back();
      for (const double side : sides) {
        const double lo = 5 - side / 2, hi = 5 + side / 2;
        level.push_back(loop_test::polygonLoop({{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}}));
      }
    }
  }
  mutable std::atomic<int> calls{0};

 private:
  std::vector<std::vector<double>> levels_;
};

// One level of the polygons given, each from its vertex `start` and the
// other way round when told: the offset builder gives a level's loops and
// elements in an order that noise in the outline may change.
class OrderedLevel : public CFHOffsetLevelSource {
 public:
  OrderedLevel(std::vector<std::vector<XtGePoint2d>> polygons, std::size_t start, bool reversed)
      : polygons_(std::move(polygons)), start_(start), reversed_(reversed) {}
  void buildLevels(const std::vector<CFloorHeatingCurve*>& /*curves*/, double /*firstOffset*/, double /*spacing*/,
                   std::vector<Level>& out) const override {
    out.clear();
    Level& level = out.emplace_back();
    for (std::vector<XtGePoint2d> points : polygons_) {
      std::rotate(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(start_ % points.size()), points.end());
      if (reversed_) std::reverse(points.begin(), points.end());
      level.push_back(loop_test::polygonLoop(points));
    }
  }

 private:
  std::vector<std::vector<XtGePoint2d>> polygons_;
  std::size_t start_;
  bool reversed_;
};

// The 10 x 10 square zone, both loops prepared.
void prepareSquare(CFHZoneBoundary& zone) {
  zone.addBoundaryCurve(curve_test::rectangle(0, 0, 10, 10));
  ASSERT_TRUE(zone.prepareLoop(true));
  zone.workingLoop.copyFrom(zone.asDrawnLoop);
}

// A drawing in metres: the squares are 10 m wide.
class ZoneBoundaryOffsets : public testing::Test {
  zone_test::ZoneTolerances tolerances_{1};
};

TEST_F(ZoneBoundaryOffsets, WithoutAnOffsetTheMeasuresFallBack) {
  const SquareLevels none{};
  CFHZoneBoundary zone(&none);
  CFHZoneBoundary sourceless;
  for (CFHZoneBoundary* z : {&zone, &sourceless}) {
    prepareSquare(*z);
    std::vector<CFHBoundLoop*> loops{nullptr};
    EXPECT_FALSE(z->offsetLoops(1.0, loops));
    EXPECT_TRUE(loops.empty() && z->offsetCacheSize() == 0u);
    EXPECT_DOUBLE_EQ(z->offsetPerimeter(1.0), 32.0) << "4 x (10 - 2)";
    EXPECT_DOUBLE_EQ(z->offsetPerimeter(6.0), 0.0);
    EXPECT_NEAR(z->offsetArea(1.0), 100.0, 1e-9) << "the area as drawn";
    // Distances not above 0 offset the loop itself, outward with extended
    // corners.
    EXPECT_NEAR(z->offsetArea(0.0), 100.0, 1e-9);
    EXPECT_NEAR(z->offsetArea(-1.0), 144.0, 1e-9);
    EXPECT_NEAR(z->offsetPerimeter(-1.0), 48.0, 1e-9);
    std::unique_ptr<XtGeCompositeCurve2d> curve;
    XtGePoint2d end;
    bool hasEnd = false;
    EXPECT_TRUE(z->trimmedOffset(-1.0, curve, end, hasEnd, false) && hasEnd);
    EXPECT_FALSE(z->trimmedOffset(NAN, curve, end, hasEnd, false) || curve != nullptr);
  }
}

TEST_F(ZoneBoundaryOffsets, EachDistanceIsOffsetOnceAndItsLoopsKept) {
  const SquareLevels one{{4}};
  CFHZoneBoundary zone(&one);
  prepareSquare(zone);
  std::vector<CFHBoundLoop*> first;
  std::vector<CFHBoundLoop*> again;
  ASSERT_TRUE(zone.offsetLoops(3.0, first) && first.size() == 1u);
  EXPECT_EQ(first[0]->itemCount(), 4);
  ASSERT_TRUE(zone.offsetLoops(3.0, again));
  EXPECT_EQ(again, first) << "the same loop objects";
  EXPECT_EQ(one.calls, 1);
  ASSERT_TRUE(zone.offsetLoops(std::nextafter(3.0, 4.0), again));
  EXPECT_NE(again, first) << "a last bit apart is another distance";
  EXPECT_EQ(one.calls, 2);
  EXPECT_NEAR(zone.offsetArea(3.0), 16.0, 1e-9);
  EXPECT_NEAR(zone.offsetPerimeter(3.0), 16.0, 1e-9);
  EXPECT_EQ(zone.offsetCacheSize(), 2u);
  EXPECT_FALSE(zone.offsetLoops(INFINITY, again));

  const SquareLevels two{{4}, {2}};
  CFHZoneBoundary twoLevels(&two);
  prepareSquare(twoLevels);
  EXPECT_FALSE(twoLevels.offsetLoops(3.0, again)) << "not exactly one level";
  EXPECT_FALSE(twoLevels.offsetLoops(3.0, again) || twoLevels.offsetCacheSize() != 0u);
  EXPECT_EQ(two.calls, 2) << "nothing cached, computed again";
}

TEST_F(ZoneBoundaryOffsets, ReferencePointIsTheCentreProjectedOntoTheInnermostLevel) {
  const SquareLevels levels{{8}, {6, 2}};
  CFHZoneBoundary zone(&levels);
  prepareSquare(zone);
  const XtGePoint2d point = zone.cachedPoint(true);
  EXPECT_TRUE(zone.cachedPointValid(true));
  EXPECT_NEAR(point.distanceTo({5, 5}), 1.0, 1e-9) << "on the nearer square of the innermost level";
  EXPECT_FALSE(zone.cachedPointValid(false)) << "each loop has its own point";
  EXPECT_EQ(levels.calls, 1);
  zone.cachedPoint(true);
  EXPECT_EQ(levels.calls, 1) << "kept while valid";
  zone.invalidateCachedPoint(true);
  EXPECT_TRUE(near(zone.cachedPoint(true), point));
  EXPECT_EQ(levels.calls, 2);

  const SquareLevels none{};
  CFHZoneBoundary plain(&none);
  prepareSquare(plain);
  EXPECT_TRUE(near(plain.cachedPoint(false), {5, 5})) << "no level: the centre itself";
  plain.addBoundaryCurve(curve_test::line({20, 0}, {30, 0}));
  EXPECT_FALSE(plain.cachedPointValid(false));

  CFHZoneBoundary empty(&levels);
  empty.computeCachedPoint(true);
  EXPECT_FALSE(empty.cachedPointValid(true)) << "a loop without items has no point";
}

TEST_F(ZoneBoundaryOffsets, EquallyNearProjectionsAreToldApartByPlaceNotByOrder) {
  // The square's centre (5, 5) on the middle line of a strip (the innermost
  // level of a zone symmetric about its centre), between two squares, and
  // nearer one side of a strip by less than workTol (1e-6 here) or by more.
  using Points = std::vector<XtGePoint2d>;
  const Points strip = {{4.9, 1}, {5.1, 1}, {5.1, 9}, {4.9, 9}};
  const Points left = {{3, 4}, {4, 4}, {4, 6}, {3, 6}}, right = {{6, 4}, {7, 4}, {7, 6}, {6, 6}};
  const Points below = {{4, 3}, {6, 3}, {6, 4}, {4, 4}}, above = {{4, 6}, {6, 6}, {6, 7}, {4, 7}};
  const Points almost = {{4.9, 1}, {5.1 - 1e-8, 1}, {5.1 - 1e-8, 9}, {4.9, 9}};
  const Points nearer = {{4.9, 1}, {5.1 - 1e-4, 1}, {5.1 - 1e-4, 9}, {4.9, 9}};
  const struct {
    std::vector<Points> level;
    XtGePoint2d expected;
  } cases[] = {{{strip}, {4.9, 5}},          {{left, right}, {4, 5}},        {{right, left}, {4, 5}},
               {{above, below}, {5, 4}},     {{almost}, {4.9, 5}},           {{nearer}, {5.1 - 1e-4, 5}}};
  for (const auto& c : cases)
    for (std::size_t start = 0; start < 4; ++start)
      for (const bool reversed : {false, true}) {
        const OrderedLevel level(c.level, start, reversed);
        CFHZoneBoundary zone(&level);
        prepareSquare(zone);
        EXPECT_TRUE(near(zone.cachedPoint(true), c.expected))
            << "expected (" << c.expected.x << ", " << c.expected.y << "), from vertex " << start
            << (reversed ? " the other way" : "");
      }
}

}  // namespace
