// Sorting loose zone curves into closed outlines: every order and direction
// of a room's walls closes it, overshoots at corners are cut off, branches and
// shared walls are refused, and every curve ends in exactly one outline.
#include "heating/design/zones/CFHZoneChaining.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "tests/heating/curves/CurveTestSupport.h"

#include "resources/ModuleStrings.h"

#include <algorithm>
#include <functional>

namespace {

using curve_test::line;
using Curves = CFloorHeatingCurve::PtrVector;
using Lines = std::vector<std::pair<XtGePoint2d, XtGePoint2d>>;

class BoundaryChainTest : public curve_test::HeatingCurveTest {};

// The sides of the polygon `corners` in order, then the lines.
Curves curves(const Lines& lines, const std::vector<XtGePoint2d>& corners = {}) {
  Curves out;
  for (std::size_t i = 0; i < corners.size(); ++i) out.push_back(line(corners[i], corners[(i + 1) % corners.size()]));
  for (const auto& [a, b] : lines) out.push_back(line(a, b));
  return out;
}

const std::vector<XtGePoint2d> kRoomA = {{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}};   // 14000 around
const std::vector<XtGePoint2d> kRoomB = {{6000, 0}, {9000, 0}, {9000, 2000}, {6000, 2000}};  // 10000 around

// Offers the curves in the order given and finishes: the refusal, and each
// finished path's length, -1 for a path that is not one closed outline (each
// curve's ends meeting exactly one other curve's ends; a closed curve alone).
std::pair<UINT, std::vector<double>> chained(Curves offered) {
  CFHZoneChaining chaining;
  for (CFloorHeatingCurve::Ptr& curve : offered)
    if (const UINT refusal = chaining.offer(std::move(curve))) return {refusal, {}};
  if (const UINT refusal = chaining.finish()) return {refusal, {}};
  std::vector<double> lengths;
  for (const auto& path : chaining.finishedPaths()) {
    const auto& chain = path->chainCurves();
    bool outline = path->isClosed();
    double total = 0.0;
    for (const auto& c : chain) {
      total += c->length();
      for (const XtGePoint2d& p : {c->startPoint(), c->endPoint()})
        outline = outline && std::count_if(chain.begin(), chain.end(), [&](const auto& d) {
                               return d != c && (d->startPoint().isEqualTo(p, zoneBoundsTol) ||
                                                 d->endPoint().isEqualTo(p, zoneBoundsTol));
                             }) == (chain.size() > 1 ? 1 : 0);
    }
    lengths.push_back(outline ? std::round(total * 1e6) / 1e6 : -1.0);
  }
  return {0, lengths};
}

TEST_F(BoundaryChainTest, FourWallsInEveryOrderAndDirectionCloseOneRoom) {
  // Exact corners; one wall 5 mm short of its corner (within the 25 mm zone
  // bound); every wall 300 mm past both its corners, so that each crosses its
  // neighbours and the overshoots are cut off.
  const std::pair<Lines, double> rooms[] = {
      {{{{0, 0}, {4000, 0}}, {{4000, 0}, {4000, 3000}}, {{4000, 3000}, {0, 3000}}, {{0, 3000}, {0, 0}}}, 14000.0},
      {{{{0, 0}, {4000, 0}}, {{4000, 0}, {4000, 3000}}, {{4000, 3000}, {5, 3000}}, {{0, 3000}, {0, 0}}}, 13995.0},
      {{{{-300, 0}, {4300, 0}}, {{4000, -300}, {4000, 3300}}, {{4300, 3000}, {-300, 3000}}, {{0, 3300}, {0, -300}}},
       14000.0}};
  for (const auto& [walls, length] : rooms) {
    int order[] = {0, 1, 2, 3};
    do {
      for (unsigned reversed = 0; reversed < 16; ++reversed) {
        Curves drawn = curves(walls), offered;
        for (int i : order) {
          if (reversed & (1u << i)) drawn[i]->reverse();
          offered.push_back(std::move(drawn[i]));
        }
        EXPECT_EQ(chained(std::move(offered)), std::make_pair(0u, std::vector<double>{length}))
            << order[0] << order[1] << order[2] << order[3] << " reversed " << reversed;
      }
    } while (std::next_permutation(std::begin(order), std::end(order)));
  }
}

TEST_F(BoundaryChainTest, SelectionsGiveTheirOutlinesOrTheirRefusal) {
  auto interleaved = [] {  // room A's and room B's walls alternating
    Curves a = curves({}, kRoomA), b = curves({}, kRoomB), out;
    for (std::size_t i = 0; i < 4; ++i) {
      out.push_back(std::move(i % 2 ? b[i] : a[i]));
      out.push_back(std::move(i % 2 ? a[i] : b[i]));
    }
    return out;
  };
  // All of B's walls wait while A is built: A's closing hands them to a new
  // path that closes at once and is listed once.
  auto bWaitsOnA = [] {
    Curves a = curves({}, kRoomA), b = curves({}, kRoomB), out;
    std::swap(b[1], b[2]);
    out.push_back(std::move(a[0]));
    for (auto* c : {&b[0], &b[1], &b[2], &b[3], &a[1], &a[2], &a[3]}) out.push_back(std::move(*c));
    return out;
  };
  auto closedPolylines = [] {  // neighbours along one wall are two zones
    Curves out;
    out.push_back(curve_test::rectangle(0, 0, 4000, 3000));
    out.push_back(curve_test::rectangle(4000, 0, 7000, 3000));
    return out;
  };
  auto openRoom = [] {
    Curves out = curves({}, kRoomA);
    out.pop_back();
    return out;
  };
  const struct {
    const char* what;
    std::function<Curves()> make;
    UINT refusal;
    std::vector<double> lengths;
  } cases[] = {
      {"interleaved", interleaved, 0, {14000, 10000}},
      {"B waits on A", bWaitsOnA, 0, {14000, 10000}},
      {"closed polylines", closedPolylines, 0, {14000, 12000}},
      {"nothing", [] { return Curves{}; }, 0, {}},
      {"three at a point", [] { return curves({{{0, 0}, {1000, 0}}, {{1000, 0}, {1000, 1000}}, {{1000, 0}, {2000, 0}}}); },
       IDS_ERR_ZONES_TOUCH, {}},
      {"two rooms sharing one wall drawn once",
       [] { return curves({{{3000, 0}, {3000, 2000}}}, {{0, 0}, {3000, 0}, {6000, 0}, {6000, 2000}, {3000, 2000}, {0, 2000}}); },
       IDS_ERR_ZONES_TOUCH, {}},
      {"a line across a finished room", [] { return curves({{{2000, -500}, {2000, 500}}}, kRoomA); }, IDS_ERR_ZONES_TOUCH, {}},
      // Left, bottom, right: the bottom is held at both ends when the line comes.
      {"a line through a held wall",
       [] { return curves({{{0, 3000}, {0, 0}}, {{0, 0}, {4000, 0}}, {{4000, 0}, {4000, 3000}}, {{2000, -500}, {2000, 500}}}); },
       IDS_ERR_ZONES_TOUCH, {}},
      {"open", openRoom, IDS_ERR_ZONE_NOT_CLOSED, {}},
      {"a stray wall", [] { return curves({{{9000, 0}, {9000, 1000}}}, kRoomA); }, IDS_ERR_ZONE_NOT_CLOSED, {}},
      // Shorter than the 25 mm zone bound: no outline of their own.
      {"a stray short line", [] { return curves({{{9000, 0}, {9000, 20}}}, kRoomA); }, IDS_ERR_ZONE_NOT_CLOSED, {}},
      {"a short spur off a corner", [] { return curves({{{4000, 0}, {4010, 5}}}, kRoomA); }, IDS_ERR_ZONE_NOT_CLOSED, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(chained(c.make()), std::make_pair(c.refusal, c.lengths)) << c.what;
}

// A wall jog shorter than the zone bound, offered first, in between or last,
// either way round: one outline whose prepared loop keeps all six walls.
TEST_F(BoundaryChainTest, AShortJogJoinsItsRoomInAnyOrder) {
  const std::vector<XtGePoint2d> room = {{2000, 0}, {2000, 20}, {4000, 20}, {4000, 3000}, {0, 3000}, {0, 0}};
  for (std::size_t at = 0; at < room.size() * 2; ++at) {
    Curves walls = curves({}, room), offered;  // walls[0] is the jog
    if (at >= room.size()) walls[0]->reverse();
    for (std::size_t i = 1; i <= walls.size(); ++i) {
      if (i - 1 == at % room.size()) offered.push_back(std::move(walls[0]));
      if (i < walls.size()) offered.push_back(std::move(walls[i]));
    }
    CFHZoneChaining chaining;
    for (CFloorHeatingCurve::Ptr& curve : offered) ASSERT_EQ(chaining.offer(std::move(curve)), 0u) << at;
    ASSERT_EQ(chaining.finish(), 0u) << at;
    ASSERT_EQ(chaining.finishedPaths().size(), 1u) << at;
    CFHZoneBoundary boundary;
    for (CFloorHeatingCurve::Ptr& curve : chaining.takePaths().front()->takeChainCurves())
      boundary.addBoundaryCurve(std::move(curve));
    EXPECT_TRUE(boundary.prepareLoop(true)) << at;
    EXPECT_EQ(boundary.asDrawnLoop.itemCount(), 6) << at;
  }
}

}  // namespace
