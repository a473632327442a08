// Sorting loose zone curves into closed outlines: every order and direction
// of a room's walls closes it, overshoots at corners are cut off, branches and
// shared walls are refused, and every curve ends in exactly one outline.
#include "heating/design/CFHZoneChaining.h"

#include "tests/heating/curves/CurveTestSupport.h"

#include "resources/ModuleStrings.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace {

using curve_test::line;
using Curves = CFloorHeatingCurve::PtrVector;

class BoundaryChainTest : public curve_test::HeatingCurveTest {};

// The sides of a polygon as lines, in order.
Curves sides(const std::vector<XtGePoint2d>& corners) {
  Curves out;
  for (std::size_t i = 0; i < corners.size(); ++i) out.push_back(line(corners[i], corners[(i + 1) % corners.size()]));
  return out;
}

const std::vector<XtGePoint2d> kRoom = {{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}};

struct Outcome {
  UINT refusal = 0;
  CFHBoundaryChain::Results paths;
};

// Offers the curves in the order given, then finishes.
Outcome chainAll(Curves curves) {
  CFHZoneChaining chaining;
  Outcome out;
  for (CFloorHeatingCurve::Ptr& curve : curves)
    if ((out.refusal = chaining.offer(std::move(curve))) != 0) return out;
  out.refusal = chaining.finish();
  if (out.refusal == 0) out.paths = chaining.takePaths();
  return out;
}

double chainLength(const CFHBoundaryChain& path) {
  double total = 0.0;
  for (const CFloorHeatingCurve::Ptr& c : path.chainCurves()) total += c->length();
  return total;
}

// The path is closed, of `count` curves, and each curve's ends meet another
// curve's ends: one outline without loose ends.
testing::AssertionResult isOutline(const CFHBoundaryChain& path, std::size_t count, double length) {
  const auto& curves = path.chainCurves();
  if (!path.isClosed() || curves.size() != count)
    return testing::AssertionFailure() << curves.size() << " curves, closed " << path.isClosed();
  if (std::abs(chainLength(path) - length) > 1e-6) return testing::AssertionFailure() << "length " << chainLength(path);
  for (const auto& c : curves)
    for (const XtGePoint2d& p : {c->startPoint(), c->endPoint()}) {
      int meeting = 0;
      for (const auto& d : curves)
        if (d != c && (d->startPoint().isEqualTo(p, zoneBoundsTol) || d->endPoint().isEqualTo(p, zoneBoundsTol)))
          ++meeting;
      if (meeting != 1) return testing::AssertionFailure() << "an end meets " << meeting << " curves";
    }
  return testing::AssertionSuccess();
}

// Every order of the walls `make` gives, each wall as drawn or reversed (a
// mask bit per wall), calls `check` with the walls offered.
template <class Make, class Check>
void everyOrderAndDirection(Make make, Check check) {
  std::vector<int> order(make().size());
  std::iota(order.begin(), order.end(), 0);
  do {
    for (unsigned mask = 0; mask < (1u << order.size()); ++mask) {
      Curves walls = make();
      Curves offered;
      for (int i : order) {
        if (mask & (1u << i)) walls[i]->reverse();
        offered.push_back(std::move(walls[i]));
      }
      std::string label;
      for (int i : order) label += std::to_string(i);
      check(std::move(offered), label + " mask " + std::to_string(mask));
    }
  } while (std::next_permutation(order.begin(), order.end()));
}

Curves linesOf(const std::vector<std::pair<XtGePoint2d, XtGePoint2d>>& ends) {
  Curves out;
  for (const auto& [a, b] : ends) out.push_back(line(a, b));
  return out;
}

TEST_F(BoundaryChainTest, FourWallsInEveryOrderAndDirectionCloseOneRoom) {
  // Exact corners; one wall 5 mm short of its corner (within the 25 mm zone
  // bound); every wall 300 mm past both its corners, so that each crosses its
  // neighbours and the overshoots are cut off.
  const std::vector<std::pair<std::vector<std::pair<XtGePoint2d, XtGePoint2d>>, double>> rooms = {
      {{{{0, 0}, {4000, 0}}, {{4000, 0}, {4000, 3000}}, {{4000, 3000}, {0, 3000}}, {{0, 3000}, {0, 0}}}, 14000.0},
      {{{{0, 0}, {4000, 0}}, {{4000, 0}, {4000, 3000}}, {{4000, 3000}, {5, 3000}}, {{0, 3000}, {0, 0}}}, 13995.0},
      {{{{-300, 0}, {4300, 0}}, {{4000, -300}, {4000, 3300}}, {{4300, 3000}, {-300, 3000}}, {{0, 3300}, {0, -300}}},
       14000.0}};
  for (const auto& [walls, length] : rooms) {
    everyOrderAndDirection([&] { return linesOf(walls); }, [&](Curves offered, const std::string& label) {
      Outcome out = chainAll(std::move(offered));
      ASSERT_EQ(out.refusal, 0u) << label;
      ASSERT_EQ(out.paths.size(), 1u) << label;
      EXPECT_TRUE(isOutline(*out.paths[0], 4, length)) << label;
    });
  }
}

TEST_F(BoundaryChainTest, AClosedPolylineIsAnOutlineAtOnceAndNeverTestedForTouching) {
  CFHZoneChaining chaining;
  EXPECT_EQ(chaining.offer(curve_test::rectangle(0, 0, 4000, 3000)), 0u);
  ASSERT_EQ(chaining.finishedPaths().size(), 1u);
  EXPECT_TRUE(chaining.finishedPaths()[0]->isClosed());
  // A neighbour drawn as a closed polyline along the same wall is a zone of its own.
  EXPECT_EQ(chaining.offer(curve_test::rectangle(4000, 0, 7000, 3000)), 0u);
  EXPECT_EQ(chaining.finish(), 0u);
  EXPECT_EQ(chaining.takePaths().size(), 2u);
}

TEST_F(BoundaryChainTest, BranchesAndSharedWallsAreRefused) {
  // Three curves at one point.
  Curves branch;
  branch.push_back(line({0, 0}, {1000, 0}));
  branch.push_back(line({1000, 0}, {1000, 1000}));
  branch.push_back(line({1000, 0}, {2000, 0}));
  EXPECT_EQ(chainAll(std::move(branch)).refusal, IDS_ERR_ZONES_TOUCH);

  // Two rooms sharing one wall drawn once, the wall first or last.
  for (bool wallFirst : {false, true}) {
    Curves rooms = sides({{0, 0}, {3000, 0}, {6000, 0}, {6000, 2000}, {3000, 2000}, {0, 2000}});
    CFloorHeatingCurve::Ptr wall = line({3000, 0}, {3000, 2000});
    rooms.insert(wallFirst ? rooms.begin() : rooms.end(), std::move(wall));
    EXPECT_EQ(chainAll(std::move(rooms)).refusal, IDS_ERR_ZONES_TOUCH) << wallFirst;
  }

  // A line across a finished room touches another zone's outline.
  Curves across = sides(kRoom);
  across.push_back(line({2000, -500}, {2000, 500}));
  EXPECT_EQ(chainAll(std::move(across)).refusal, IDS_ERR_ZONES_TOUCH);

  // A line that crosses a wall held at both of its ends branches off it.
  Curves through = sides({{0, 3000}, {0, 0}, {4000, 0}, {4000, 3000}});
  through.pop_back();  // left, bottom, right: the bottom is held at both ends
  through.push_back(line({2000, -500}, {2000, 500}));
  EXPECT_EQ(chainAll(std::move(through)).refusal, IDS_ERR_ZONES_TOUCH);
}

TEST_F(BoundaryChainTest, OpenCurvesOrSeveralOutlinesAreReportedAtTheEnd) {
  Curves open = sides(kRoom);
  open.pop_back();
  EXPECT_EQ(chainAll(std::move(open)).refusal, IDS_ERR_ZONE_NOT_CLOSED);
  // A wall that touches nothing stays on the rest list.
  Curves stray = sides(kRoom);
  stray.insert(stray.begin() + 1, line({9000, 0}, {9000, 1000}));
  EXPECT_EQ(chainAll(std::move(stray)).refusal, IDS_ERR_ZONE_NOT_CLOSED);
  Outcome empty = chainAll({});
  EXPECT_EQ(empty.refusal, 0u);
  EXPECT_TRUE(empty.paths.empty());
}

TEST_F(BoundaryChainTest, TwoRoomsOfLooseLinesOfferedInterleavedGiveTwoOutlinesEachOnce) {
  // Room A's and room B's walls alternate; B's also wait on A's rest list
  // until A closes, and a room whose walls all wait closes in one round.
  for (bool bFirst : {false, true}) {
    Curves a = sides(kRoom);
    Curves b = sides({{6000, 0}, {9000, 0}, {9000, 2000}, {6000, 2000}});
    Curves offered;
    for (std::size_t i = 0; i < 4; ++i) {
      offered.push_back(std::move(bFirst ? b[i] : a[i]));
      offered.push_back(std::move(bFirst ? a[i] : b[i]));
    }
    Outcome out = chainAll(std::move(offered));
    ASSERT_EQ(out.refusal, 0u);
    ASSERT_EQ(out.paths.size(), 2u);
    std::vector<double> lengths = {chainLength(*out.paths[0]), chainLength(*out.paths[1])};
    std::sort(lengths.begin(), lengths.end());
    EXPECT_EQ(lengths, (std::vector<double>{10000.0, 14000.0}));
    EXPECT_NE(out.paths[0].get(), out.paths[1].get());
  }
  // All of B's walls wait while A is built last: A's closing hands B to a
  // new path that closes at once, and that path is listed once.
  Curves offered = sides({{6000, 0}, {9000, 0}, {9000, 2000}, {6000, 2000}});
  std::swap(offered[1], offered[2]);
  Curves a = sides(kRoom);
  Curves mixed;
  mixed.push_back(std::move(a[0]));
  for (auto& wall : offered) mixed.push_back(std::move(wall));
  for (std::size_t i = 1; i < 4; ++i) mixed.push_back(std::move(a[i]));
  Outcome out = chainAll(std::move(mixed));
  ASSERT_EQ(out.refusal, 0u);
  ASSERT_EQ(out.paths.size(), 2u);
  EXPECT_TRUE(isOutline(*out.paths[0], 4, 14000.0));
  EXPECT_TRUE(isOutline(*out.paths[1], 4, 10000.0));
}

TEST_F(BoundaryChainTest, ArcsChainWithLinesInEitherDirection) {
  // The L room with an arc wall from (2500, 4500) to (0, 4500), bulge 0.3.
  const XtGeCircArc2d wall({2500, 4500}, {0, 4500}, 0.3);
  for (bool reversed : {false, true}) {
    Curves l = sides({{0, 0}, {5000, 0}, {5000, 2500}, {2500, 2500}, {2500, 4500}, {0, 4500}});
    l[4] = std::make_unique<CFloorHeatingArc>(wall, nullptr, 2);
    if (reversed)
      for (auto& c : l) c->reverse();
    std::swap(l[0], l[4]);
    std::swap(l[1], l[3]);
    const double length = std::accumulate(l.begin(), l.end(), 0.0, [](double s, const auto& c) { return s + c->length(); });
    Outcome out = chainAll(std::move(l));
    ASSERT_EQ(out.refusal, 0u);
    ASSERT_EQ(out.paths.size(), 1u);
    EXPECT_TRUE(isOutline(*out.paths[0], 6, length));
  }
}

TEST_F(BoundaryChainTest, TakenChainCurvesLeaveThePathEmpty) {
  Outcome out = chainAll(sides(kRoom));
  ASSERT_EQ(out.paths.size(), 1u);
  Curves taken = out.paths[0]->takeChainCurves();
  EXPECT_EQ(taken.size(), 4u);
  EXPECT_TRUE(out.paths[0]->empty());
  EXPECT_FALSE(out.paths[0]->isClosed());
}

}  // namespace
