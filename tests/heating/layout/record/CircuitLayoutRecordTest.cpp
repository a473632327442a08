// The circuit layout record: construction, release of everything it owns,
// its segments, extents and pipe ends, and the appenders of its graph.
#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/CFHCircuitSegment.h"
#include "heating/layout/meander/CFHExtents.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"
#include "ZoneFixtures.h"

#include <cmath>
#include <limits>

namespace {

using Point = XtGePoint2d;
using graph_test::polygonLoop;

class CircuitLayoutRecord : public layout_test::LayoutTest {};

TEST_F(CircuitLayoutRecord, FirstOffsetLoopOfAMissingOrEmptyLevelIsNone) {
  CFHCircuitLayout layout(100.0, 200.0, 350.0);
  EXPECT_EQ(layout.firstOffsetLoop(), nullptr);
  layout.levels.push_back(nullptr);
  EXPECT_EQ(layout.firstOffsetLoop(), nullptr) << "a missing level 0";
  layout.levels[0] = new CFHCircuitLayout::Level;
  EXPECT_EQ(layout.firstOffsetLoop(), nullptr) << "an empty level 0";
  EXPECT_TRUE(layout.skipJoin());
  EXPECT_EQ(layout.outcome, LayoutOutcome::kLevelsOnly);
}

// A layout with every kind of content: levels of Z1, a graph on its first
// loop made by the appenders, two sub-areas with levels and graphs of their
// own, segments and pipe ends.
void fill(CFHCircuitLayout& layout, const zone_fixture::Zone& zone, int subAreas) {
  COffsetBuilder(zone.raw(), layout.firstOffset, layout.spacing).buildLoops(layout.levels);
  ASSERT_NE(layout.firstOffsetLoop(), nullptr);
  COffsetLoop* loop = layout.firstOffsetLoop();
  COffsetSection* s0 = loop->section(0);
  const Point p0 = s0->startPoint();
  const Point p1 = s0->endPoint();
  COffsetNode* a = layout.appendNodeOnSection(nullptr, p0, s0, loop, 1);
  COffsetNode* b = layout.appendNodeOnLoop(a, p1, {s0, loop->section(1)}, loop, 1, false);
  layout.prependNodeOnLoop(a, Point(p0.x, p0.y - 100), {}, nullptr, 1);
  layout.appendNodeOnLoopAt(b, CLoopPoint(loop->section(1)->endPoint(), loop->section(1)), loop, 1);
  layout.firstEdge = layout.edges.front();
  layout.lastEdge = layout.edges.back();
  for (int i = 0; i < subAreas; ++i) {
    auto* sub = new CFHCircuitLayout(layout.firstOffset, layout.spacing, 0.0);
    layout.subAreas.push_back(sub);
    fill(*sub, zone, 0);
  }
  for (int i = 0; i < 3; ++i) {
    auto* from = new CFHPipeEnd(Point(i, 0), 1, 0);
    auto* to = new CFHPipeEnd(Point(i + 1, 0), 1, 0);
    layout.pipeEnds.push_back(from);
    layout.pipeEnds.push_back(to);
    layout.segments.push_back(
        new CFHCircuitSegment(from, to, std::make_unique<CFloorHeatingLine>(from->point, to->point, nullptr, 3), 7));
  }
}

void expectReleased(const CFHCircuitLayout& layout) {
  for (std::size_t capacity : {layout.levels.capacity(), layout.edges.capacity(), layout.nodes.capacity(),
                               layout.subAreas.capacity(), layout.pipeEnds.capacity(), layout.segments.capacity()})
    EXPECT_EQ(capacity, 0u);
  EXPECT_EQ(layout.firstEdge, nullptr);
  EXPECT_EQ(layout.lastEdge, nullptr);
}

TEST_F(CircuitLayoutRecord, ClearReleasesEveryContentAndKeepsTheInputs) {
  const zone_fixture::Zone zone = zone_fixture::z1Rectangle();
  CFHPipeEnd start(Point(2100, 0), 0, 0);
  for (bool loopsFirst : {false, true}) {
    SCOPED_TRACE(loopsFirst ? "clearOffsetLoops, then clear" : "clear");
    CFHCircuitLayout layout(100.0, 200.0, 200.0);
    layout.startEnd = &start;
    layout.connectionMode = 2;
    fill(layout, zone, 2);
    ASSERT_EQ(layout.edges.size(), 4u);
    if (loopsFirst) {
      layout.clearOffsetLoops();
      EXPECT_TRUE(layout.levels.empty());
      EXPECT_TRUE(layout.edges.empty()) << "the graph lay on the levels";
      EXPECT_TRUE(layout.nodes.empty());
      EXPECT_EQ(layout.segments.size(), 3u) << "segments do not depend on the levels";
    }
    layout.clear();
    layout.clear();  // twice is harmless
    expectReleased(layout);
    EXPECT_TRUE(layout.startEnd == &start && layout.connectionMode == 2u) << "the inputs stay";
  }
  // The destructor clears too; the sanitizer build reports anything left.
  CFHCircuitLayout dropped(100.0, 200.0, 0.0);
  fill(dropped, zone, 1);

  std::vector<CFHPipeEnd*> ends{new CFHPipeEnd(start), nullptr};
  deleteZoneRecordsAndClear(ends);
  EXPECT_TRUE(ends.empty());
  std::vector<CFHCircuitLayout*> layouts{new CFHCircuitLayout(100.0, 200.0, 0.0), nullptr};
  fill(*layouts[0], zone, 1);
  deleteCircuitLayoutsAndClear(layouts);
  EXPECT_TRUE(layouts.empty());
}

TEST_F(CircuitLayoutRecord, SegmentsFollowTheirSourceChain) {
  CFloorHeatingLine root(Point(0, 0), Point(1, 0), nullptr, 1);
  CFloorHeatingLine middle(Point(0, 0), Point(1, 0), &root, 1);
  auto last = std::make_unique<CFloorHeatingLine>(Point(0, 0), Point(1, 0), &middle, 1);
  CFHCircuitSegment chained(nullptr, nullptr, std::move(last), 5);
  EXPECT_EQ(chained.rootSource, &root) << "the end of the chain, not the first source";
  EXPECT_EQ(chained.drawn + 10 * chained.side, 10) << "not drawn, supply side";
  CFHCircuitSegment plain(nullptr, nullptr, std::make_unique<CFloorHeatingLine>(Point(0, 0), Point(1, 0), nullptr, 1), 0);
  EXPECT_EQ(plain.rootSource, nullptr);

  CFloorHeatingLine p(Point(0, 0), Point(1, 0), nullptr, 1);
  CFloorHeatingLine q(Point(0, 0), Point(1, 0), &p, 1);
  p.setSource(&q);  // a cycle ends at the bound instead of hanging
  EXPECT_NE(rootSourceOf(&q), nullptr);
}

TEST(CircuitLayoutExtents, StartEmptyAndGrowByEachCoordinate) {
  CFHExtents extents;
  EXPECT_TRUE(extents.isEmpty());
  for (const Point& p : {Point(-5, -3), Point(-2, -7), Point(std::nan(""), -4)}) extents.addPoint(p);
  Point lo;
  Point hi;
  extents.getMinMax(lo, hi);
  EXPECT_TRUE(lo.x == -5.0 && lo.y == -7.0);
  EXPECT_TRUE(hi.x == -2.0 && hi.y == -3.0) << "not the smallest positive double";
}

TEST_F(CircuitLayoutRecord, AppendersLinkNodesSectionsAndEdges) {
  auto loop = polygonLoop({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  COffsetSection* bottom = loop->section(0);
  CFHCircuitLayout layout(0.0, 1.0, 0.0);
  COffsetNode* a = layout.appendNodeOnSection(nullptr, Point(2, 0), bottom, loop.get(), 1);
  COffsetNode* b = layout.appendNodeOnLoop(a, Point(6, 0), {bottom}, loop.get(), 0, true);
  COffsetNode* c = layout.prependNodeOnSection(a, Point(1, 0), bottom, loop.get(), 1);
  COffsetNode* d = layout.prependNodeOnLoopAt(c, CLoopPoint(Point(0, 5), loop->section(3)), loop.get(), 0);
  COffsetNode* e = layout.appendNodeOnLoopAt(b, CLoopPoint(Point(8, 0), bottom), loop.get(), 1);
  COffsetNode* f = layout.prependNodeOnLoop(d, Point(-1, 5), {}, nullptr, 1);

  EXPECT_EQ(layout.nodes, (std::vector<COffsetNode*>{a, b, c, d, e, f}));
  ASSERT_EQ(layout.edges.size(), 6u);
  const COffsetNode* ends[][2] = {{nullptr, a}, {a, b}, {c, a}, {d, c}, {b, e}, {f, d}};
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(layout.edges[i]->a == ends[i][0] && layout.edges[i]->b == ends[i][1]) << i;
  EXPECT_EQ(layout.edges[1]->direction, 0);
  // Forced, one owner, a free node without owner.
  EXPECT_EQ(layout.edges[1]->crossesOwners + 2 * layout.edges[2]->crossesOwners + 4 * layout.edges[5]->crossesOwners, 5);
  EXPECT_EQ(a->edges.size(), 3u);
  EXPECT_EQ(bottom->nodes, (std::vector<COffsetNode*>{c, a, b, e})) << "sections list their nodes by parameter";
}

}  // namespace
