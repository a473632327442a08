// Edge paths over square and L loops, the nearest point of a path, the
// neighbouring node along a loop, unique edges and projections onto loops.
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/LoopProjections.h"
#include "heating/layout/offsets/OffsetEdgePath.h"
#include "heating/layout/record/OffsetGraphQueries.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"

#include <cmath>

namespace {

using Point = XtGePoint2d;
using namespace graph_test;

class OffsetEdgePath : public layout_test::LayoutTest {};

const std::vector<Point> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const std::vector<Point> kL{{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};

// Node places of a loop: every vertex (the loop start among them), every
// section's midpoint and a point at a quarter of it.
std::vector<Point> nodePlaces(const std::vector<Point>& corners) {
  std::vector<Point> places;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Point& p = corners[i];
    const Point& q = corners[(i + 1) % corners.size()];
    places.push_back(p);
    places.push_back(Point(0.5 * (p.x + q.x), 0.5 * (p.y + q.y)));
    places.push_back(Point(0.75 * p.x + 0.25 * q.x, 0.75 * p.y + 0.25 * q.y));
  }
  return places;
}

TEST_F(OffsetEdgePath, AlongTheLoopIsContinuousAndAsLongAsTheLoopWalk) {
  for (const auto& shape : {kSquare, kL}) {
    for (double shift : {0.0, 1e7}) {
      const std::vector<Point> corners = movedBy(shape, shift);
      auto loop = polygonLoop(corners);
      const std::vector<Point> places = nodePlaces(corners);
      for (const Point& pa : places) {
        for (const Point& pb : places) {
          auto a = nodeOn(*loop, pa);
          auto b = nodeOn(*loop, pb);
          for (std::uint8_t direction : {0, 1}) {
            COffsetEdge edge(a.get(), b.get(), direction, false);
            CFloorHeatingCurve::PtrVector pieces;
            ASSERT_TRUE(offsetEdgePathAlongLoop(&edge, pieces));
            const double expected = loop->lengthBetween(*a, *b, direction != 0, workTol);
            SCOPED_TRACE(testing::Message() << "shift " << shift << " a " << pa.x << "," << pa.y << " b " << pb.x
                                            << "," << pb.y << " direction " << int(direction));
            EXPECT_NEAR(totalLength(pieces), expected, 1e-6);
            if (!pieces.empty()) {
              EXPECT_TRUE(pieces.front()->startPoint().isEqualTo(pa, workTol));
              EXPECT_TRUE(pieces.back()->endPoint().isEqualTo(pb, workTol));
            }
            for (std::size_t k = 0; k < pieces.size(); ++k) {
              EXPECT_GT(pieces[k]->startPoint().distanceTo(pieces[k]->endPoint()), workTol.equalPoint());
              EXPECT_TRUE(pieces[k]->tag() == kTagEdgePathPiece && pieces[k]->source() == nullptr);
              EXPECT_TRUE(k == 0 || pieces[k]->startPoint().isEqualTo(pieces[k - 1]->endPoint(), workTol));
            }
            edge.unlink();
          }
        }
      }
    }
  }
}

TEST_F(OffsetEdgePath, BehindGoesOnceRoundStraightEdgesAreOnePieceAndNoPieceIsEmpty) {
  auto loop = polygonLoop(kSquare);
  auto a = nodeOn(*loop, Point(7, 0));
  auto b = nodeOn(*loop, Point(3, 0));
  COffsetEdge round(b.get(), a.get(), 0, false);  // backward from 3 to 7 on the bottom
  CFloorHeatingCurve::PtrVector pieces;
  ASSERT_TRUE(offsetEdgePathAlongLoop(&round, pieces));
  EXPECT_EQ(pieces.size(), 5u);
  EXPECT_NEAR(totalLength(pieces), 36.0, 1e-9) << "40 - |ab|";

  COffsetNode free(Point(5, 5), static_cast<COffsetSection*>(nullptr), nullptr);
  for (std::uint8_t direction : {0, 1}) {
    COffsetEdge straight(a.get(), b.get(), direction, true);
    ASSERT_TRUE(offsetEdgePathAlongLoop(&straight, pieces));
    EXPECT_EQ(pieces.size(), 1u);
    COffsetEdge acrossOwners(a.get(), &free, direction, false);
    ASSERT_TRUE(offsetEdgePathAlongLoop(&acrossOwners, pieces));
    EXPECT_EQ(pieces.size(), 1u) << "a node without owner";
    for (COffsetEdge* e : {&straight, &acrossOwners}) e->unlink();  // the nodes outlive them
  }

  COffsetEdge halfMade(a.get(), nullptr, 1, false);
  EXPECT_FALSE(offsetEdgePathAlongLoop(&halfMade, pieces));
  EXPECT_FALSE(offsetEdgePathAlongLoop(nullptr, pieces));
  auto other = polygonLoop(kL);
  COffsetNode stranger(Point(3, 0), other->section(0), loop.get());  // linked to another loop
  COffsetEdge lost(&stranger, a.get(), 1, false);
  ASSERT_TRUE(offsetEdgePathAlongLoop(&lost, pieces));
  EXPECT_TRUE(pieces.empty());

  auto doubled = polygonLoop({{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}});  // coincident vertices
  auto c = nodeOn(*doubled, Point(5, 0));
  auto d = nodeOn(*doubled, Point(10, 5));
  COffsetEdge overDoubled(c.get(), d.get(), 1, false);
  ASSERT_TRUE(offsetEdgePathAlongLoop(&overDoubled, pieces));
  EXPECT_EQ(pieces.size(), 2u) << "no piece of no length";
}

TEST_F(OffsetEdgePath, BetweenPointsCutsThePathAtLinkPoints) {
  auto loop = polygonLoop(kSquare);
  auto a = nodeOn(*loop, Point(5, 0));
  auto b = nodeOn(*loop, Point(0, 5));
  COffsetEdge edge(a.get(), b.get(), 1, false);
  CFloorHeatingCurve::PtrVector pieces;
  const CLoopPoint cut(Point(10, 4), loop->section(1));
  ASSERT_TRUE(offsetEdgePathBetweenPoints(&edge, CLoopPoint(Point(5, 0)), cut, pieces));  // stands for a
  EXPECT_NEAR(totalLength(pieces), 9.0, 1e-12);
  ASSERT_TRUE(offsetEdgePathBetweenPoints(&edge, cut, CLoopPoint(Point(0, 5)), pieces));
  EXPECT_NEAR(totalLength(pieces), 21.0, 1e-12);
}

TEST_F(OffsetEdgePath, NearestPointLiesOnThePathOnly) {
  auto loop = polygonLoop(kSquare);
  auto a = nodeOn(*loop, Point(2, 0));
  auto b = nodeOn(*loop, Point(8, 0));
  COffsetEdge along(a.get(), b.get(), 1, false);
  COffsetPoint out(Point(-1, -1), loop->section(2));
  ASSERT_TRUE(closestPointOnEdgePath(&along, Point(0, -1), out, workTol));
  EXPECT_TRUE(out.point.isEqualTo(Point(2, 0), workTol)) << "not the section's start (0,0), which is off the edge";
  EXPECT_EQ(out.links(), (std::vector<CLoopElement*>{loop->section(0)}));
  ASSERT_TRUE(closestPointOnEdgePath(&along, Point(5, 3), out, workTol));
  EXPECT_TRUE(out.point.isEqualTo(Point(5, 0), workTol));

  COffsetEdge roundabout(b.get(), a.get(), 1, false);  // 8 -> round -> 2
  ASSERT_TRUE(closestPointOnEdgePath(&roundabout, Point(11, 11), out, workTol));
  EXPECT_TRUE(out.point.isEqualTo(Point(10, 10), workTol));
  EXPECT_EQ(out.links().size(), 2u) << "a joint links both sections";

  COffsetEdge straight(a.get(), b.get(), 1, true);
  ASSERT_TRUE(closestPointOnEdgePath(&straight, Point(9, 3), out, workTol));
  EXPECT_TRUE(out.point.isEqualTo(Point(8, 0), workTol));
  EXPECT_EQ(out.links(), b->links());
  out.point = Point(-1, -1);
  EXPECT_FALSE(closestPointOnEdgePath(&straight, Point(5, 3), out, workTol)) << "neither node";
  EXPECT_TRUE(out.point.isEqualTo(Point(-1, -1), workTol)) << "no stale answer written";
  EXPECT_TRUE(out.links().empty());
}

TEST_F(OffsetEdgePath, NeighbourAlongTheLoopAndUniqueEdges) {
  auto loop = polygonLoop(kSquare);
  auto n1 = nodeOn(*loop, Point(3, 0));
  auto n2 = nodeOn(*loop, Point(7, 0));
  auto n3 = nodeOn(*loop, Point(10, 10));  // a joint
  EXPECT_EQ(nextNodeOnLoop(*loop, *n1, 1, workTol), n2.get());
  EXPECT_EQ(nextNodeOnLoop(*loop, *n2, 1, workTol), n3.get());
  EXPECT_EQ(nextNodeOnLoop(*loop, *n3, 1, workTol), n1.get()) << "cyclically";
  EXPECT_EQ(nextNodeOnLoop(*loop, *n1, 0, workTol), n3.get());
  EXPECT_EQ(nextNodeOnLoop(*loop, *n3, 0, workTol), n2.get());
  n2.reset();
  n3.reset();
  auto lonely = polygonLoop(kSquare);
  auto only = nodeOn(*lonely, Point(3, 0));
  auto twin = nodeOn(*lonely, Point(3, 0));
  EXPECT_EQ(nextNodeOnLoop(*lonely, *only, 1, workTol), nullptr) << "only nodes at its own point";
  auto after = nodeOn(*lonely, Point(1, 0));
  EXPECT_EQ(nextNodeOnLoop(*lonely, *only, 1, workTol), after.get()) << "behind it on its own section, round the loop";

  COffsetNode hub, x, y;
  COffsetEdge in1(&x, &hub, 1, true);
  COffsetEdge out1(&hub, &y, 1, true);
  EXPECT_TRUE(incomingEdgeIfUnique(hub) == &in1 && outgoingEdgeIfUnique(y) == nullptr);
  COffsetEdge in2(&y, &hub, 1, true);
  EXPECT_TRUE(incomingEdgeIfUnique(hub) == nullptr && outgoingEdgeIfUnique(hub) == &out1) << "two incoming edges";
  removeEdgeFromNode(hub, &out1);
  removeEdgeFromNode(hub, &out1);  // no longer there: nothing
  EXPECT_EQ(hub.edges, (std::vector<COffsetEdge*>{&in1, &in2}));
  for (COffsetEdge* e : {&in1, &out1, &in2}) e->unlink();
}

TEST_F(OffsetEdgePath, ProjectionsKeepEveryNearestPointAndPickTheFarthestAlong) {
  auto loop = polygonLoop(kSquare);
  std::vector<COffsetPoint> found;
  ASSERT_TRUE(projectOntoLoop(*loop, Point(5, 5), found, workTol));
  EXPECT_EQ(found.size(), 4u) << "ties are all kept";
  ASSERT_TRUE(projectOntoLoop(*loop, Point(11, -1), found, workTol));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].links().size(), 2u) << "a corner: one point on two sections";
  ASSERT_TRUE(projectOntoLoop(*loop, Point(5, 4.9), found, workTol));
  EXPECT_EQ(found.size(), 1u) << "a strictly nearer candidate replaces the others";

  auto node = nodeOn(*loop, Point(5, 0));
  COffsetPoint best;
  ASSERT_TRUE(bestProjectionOnLoop(*loop, Point(5, 5), *node, 1, best, workTol));
  EXPECT_TRUE(best.point.isEqualTo(Point(0, 5), workTol));
  ASSERT_TRUE(bestProjectionOnLoop(*loop, Point(5, 5), *node, 0, best, workTol));
  EXPECT_TRUE(best.point.isEqualTo(Point(10, 5), workTol));
  COffsetLoop empty;
  EXPECT_FALSE(bestProjectionOnLoop(empty, Point(5, 5), *node, 0, best, workTol));
}

}  // namespace
