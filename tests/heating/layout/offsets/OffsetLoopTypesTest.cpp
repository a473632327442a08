// Offset-graph nodes, sections and edges keep each other's lists in step;
// the offset loop's own queries and copies.
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/COffsetPointQuad.h"
#include "heating/layout/offsets/DeleteAndClear.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/curveArea.h"

#include "LayoutTestSupport.h"

namespace {

using Point = XtGePoint2d;

// A square loop of side 4 from the origin, counter-clockwise.
std::unique_ptr<COffsetLoop> square(double side = 4.0) {
  auto loop = std::make_unique<COffsetLoop>();
  const Point corners[] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
  for (int i = 0; i < 4; ++i)
    loop->appendSection(makeSection(std::make_unique<CFloorHeatingLine>(corners[i], corners[(i + 1) % 4], nullptr, 2)));
  return loop;
}

class OffsetTypes : public layout_test::LayoutTest {};

TEST_F(OffsetTypes, NodesAndSectionsKeepEachOtherListed) {
  auto loop = square();
  COffsetSection* bottom = loop->section(0);
  std::vector<COffsetNode*> nodes;
  COffsetNode lonely(Point(1, 0), static_cast<COffsetSection*>(nullptr), loop.get());
  EXPECT_TRUE(lonely.links().empty() && bottom->nodes.empty());

  for (double x : {2.8, 0.8, 2.0}) nodes.push_back(new COffsetNode(Point(x, 0), bottom, loop.get()));
  nodes.push_back(new COffsetNode(Point(2.0, 0), bottom, loop.get()));  // equal parameter: behind
  const std::vector<COffsetNode*> order{nodes[1], nodes[2], nodes[3], nodes[0]};
  EXPECT_EQ(bottom->nodes, order);

  nodes[0]->addSection(bottom);  // twice: one link, one entry
  EXPECT_EQ(nodes[0]->links().size(), 1u);
  EXPECT_EQ(bottom->nodes, order);
  EXPECT_TRUE(bottom->insertNode(nodes[0])) << "listed already";
  EXPECT_FALSE(loop->section(1)->insertNode(nodes[0])) << "the node does not name that section";

  nodes[2]->removeSection(bottom);
  EXPECT_FALSE(bottom->hasNode(nodes[2]) || nodes[2]->hasLink(bottom));
  nodes[1]->clearLinks();  // the overridden slot: out of the section's list too
  EXPECT_FALSE(bottom->hasNode(nodes[1]));

  // A node on a joint through a loop point's links.
  CLoopPoint corner(Point(4, 0), loop->section(0));
  corner.addLink(loop->section(1));
  COffsetNode joint(corner, loop.get());
  EXPECT_TRUE(loop->section(1)->hasNode(&joint));
  joint.clearLinks();
  deleteOffsetNodesAndClear(nodes);
}

TEST_F(OffsetTypes, EdgesKnowWhetherTheyCrossOwnersAndSurviveTheirNodes) {
  auto inner = square(2.0);
  auto outer = square();
  std::vector<COffsetNode*> nodes{new COffsetNode(Point(1, 0), outer->section(0), outer.get()),
                                  new COffsetNode(Point(3, 0), outer->section(0), outer.get()),
                                  new COffsetNode(Point(1, 0), inner->section(0), inner.get())};
  std::vector<COffsetEdge*> edges;
  edges.push_back(COffsetEdge::COffsetEdgeFromNodes(nodes[0], nodes[1], 0, false).release());
  edges.push_back(COffsetEdge::COffsetEdgeFromNodes(nodes[1], nodes[2], 1, false).release());
  edges.push_back(COffsetEdge::COffsetEdgeFromNodes(nodes[0], nodes[1], 1, true).release());
  edges.push_back(COffsetEdge::COffsetEdgeFromNodes(nodes[0], nullptr, 1, false).release());
  EXPECT_EQ(edges[0]->crossesOwners, 0) << "one owner loop";
  EXPECT_EQ(edges[1]->crossesOwners, 1) << "owners differ";
  EXPECT_EQ(edges[2]->crossesOwners, 1) << "forced";
  EXPECT_EQ(edges[3]->crossesOwners, 1) << "an end missing";
  EXPECT_EQ(edges[1]->otherNode(nodes[1]), nodes[2]);
  EXPECT_EQ(edges[1]->otherNode(nodes[0]), nullptr);
  EXPECT_EQ(nodes[2]->otherEdgeIfUnique(edges[1]), nullptr) << "only one edge";

  // The node deleted first: its edges lose that end, and unlinking touches
  // only the end that is left.
  delete nodes[0];
  nodes.erase(nodes.begin());
  EXPECT_EQ(edges[0]->a, nullptr);
  EXPECT_EQ(edges[3]->a, nullptr);
  edges[2]->unlink();
  EXPECT_EQ(nodes[0]->edges, (std::vector<COffsetEdge*>{edges[0], edges[1]}));
  EXPECT_EQ(nodes[0]->otherEdgeIfUnique(edges[0]), edges[1]);

  edges[1]->setFlags(kEdgeReturnRun);
  edges[1]->setFlags(kEdgeNotDrawn);
  EXPECT_EQ(edges[1]->isFlag2Set() + edges[1]->isFlag4Set() + edges[0]->isFlag4Set(), 2);

  // Edges that make their own nodes hand them to the node list.
  edges.push_back(new COffsetEdge(Point(0, 5), Point(2, 5), nodes));
  CLoopPoint onLoop(Point(4, 2), outer->section(1));
  edges.push_back(new COffsetEdge(Point(5, 2), onLoop, outer.get(), nodes));
  edges.push_back(new COffsetEdge(onLoop, outer.get(), Point(5, 2), nodes));
  EXPECT_EQ(nodes.size(), 8u);
  EXPECT_EQ(edges[5]->b->owner, outer.get());
  EXPECT_TRUE(outer->section(1)->hasNode(edges[6]->a));

  deleteOffsetEdgesAndClear(edges);
  EXPECT_TRUE(nodes[0]->edges.empty());
  deleteOffsetNodesAndClear(nodes);
}

TEST_F(OffsetTypes, LoopIntersectionsAndCopies) {
  auto loop = square();
  const CFloorHeatingLine probe(Point(-1, 1), Point(5, 1), nullptr, 1);
  std::vector<COffsetPoint> points;
  ASSERT_TRUE(loop->intersectionPoints(probe, points, workTol) && points.size() == 2u);
  COffsetPoint far(Point(9, 9), loop->section(2));
  ASSERT_TRUE(loop->farthestIntersection(probe, CLoopPoint(Point(5, 1)), far, workTol));
  EXPECT_TRUE(far.point.isEqualTo(Point(0, 1), workTol));
  EXPECT_EQ(far.links(), (std::vector<CLoopElement*>{loop->section(3)})) << "old links cleared";
  const CFloorHeatingLine miss(Point(-1, 9), Point(5, 9), nullptr, 1);
  EXPECT_FALSE(loop->farthestIntersection(miss, CLoopPoint(), far, workTol));
  EXPECT_TRUE(far.point.isEqualTo(Point(0, 1), workTol)) << "untouched";

  const auto narrow = makeNarrowLoopSection(*loop);
  ASSERT_EQ(narrow->sectionCount(), 4);
  EXPECT_TRUE(narrow->freeIntervals.empty());
  EXPECT_NE(narrow->section(2)->curve, loop->section(2)->curve);
  double area = 0.0;
  ASSERT_TRUE(getCurveArea(*makeCompositeCurveOfLoop(*narrow), area));
  EXPECT_NEAR(area, 16.0, 1e-9) << "copies of the same sections";

  // The strip beside a line: on its left, as wide as asked.
  const CFloorHeatingLine base(Point(0, 0), Point(10, 0), nullptr, 7);
  const COffsetLoop strip(base, 2.0);
  ASSERT_TRUE(getCurveArea(*makeCompositeCurveOfLoop(strip), area));
  EXPECT_NEAR(area, 20.0, 1e-9);
  EXPECT_EQ(strip.section(3)->curve->tag(), 7u);
  EXPECT_EQ(strip.classifyPoint(Point(5, 1), workTol), CLoop::kInside);
}

}  // namespace
