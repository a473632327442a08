// The circuit path on meander layouts of circuits of one, two and three zones
// (rectangles, L, U, an arc-wall room, clockwise outlines, far coordinates, a
// narrow corridor), judged by invariants: one continuous pipe from the start
// pipe end to the end pipe end, only the first zone holding segments, four
// link pieces per link, no piece between the link points, sides by half the
// length, one chained run per side, reruns that change nothing; and the link
// that changes nothing when it fails.
#include "heating/design/CFHCircuit.h"

#include "heating/layout/CFHCircuitSegment.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/EdgeChain.h"
#include "heating/layout/OffsetEdgePath.h"

#include "heating/curves/CurveChains.h"

#include "CircuitTestSupport.h"

#include <cmath>
#include <string>

namespace {

using circuit_test::CircuitTest;
using zone_fixture::polygon;
using P = XtGePoint2d;

constexpr std::uint32_t kTagLink = 5;

// A circuit: its zone outlines in flow order, the first zone's pipe ends
// (on its base wall) and, for every further zone, its link point.
struct CircuitCase {
  std::string name;
  std::vector<zone_fixture::Zone> zones;
  P start, end;
  std::vector<P> linkPoints;
};

template <typename... Zones>
std::vector<zone_fixture::Zone> listOf(Zones&&... zones) {
  std::vector<zone_fixture::Zone> list;
  (list.push_back(std::forward<Zones>(zones)), ...);
  return list;
}

zone_fixture::Zone rect(const char* name, double x0, double y0, double x1, double y1) {
  return polygon(name, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

CircuitCase stacked(int n) {
  CircuitCase c{std::to_string(n) + " stacked rooms", {}, {2100, 0}, {1900, 0}, {}};
  for (int i = 0; i < n; ++i) {
    c.zones.push_back(rect("room", 0, 3150.0 * i, 4000, 3150.0 * i + 3000));
    if (i > 0) c.linkPoints.push_back({2000, 3150.0 * i - 75});
  }
  return c;
}

std::vector<CircuitCase> circuitCases() {
  std::vector<CircuitCase> cases;
  for (int n = 1; n <= 3; ++n) cases.push_back(stacked(n));
  cases.push_back({"L and the room in its corner", listOf(zone_fixture::z2L(), rect("corner", 2150, 2150, 4000, 4000)),
                   {2100, 0}, {1900, 0}, {{3000, 2075}}});
  cases.push_back({"U and the room in its slot", listOf(zone_fixture::z3U(), rect("slot", 1900, 1650, 3100, 4000)),
                   {2600, 0}, {2400, 0}, {{2500, 1575}}});
  cases.push_back({"room and an arc-walled room", listOf(rect("below", 0, -3150, 4000, -150), zone_fixture::z6SemicircularEnd()),
                   {2100, -3150}, {1900, -3150}, {{2000, -75}}});
  cases.push_back({"room, narrow corridor, room",
                   listOf(rect("room", 0, 0, 4000, 3000), rect("corridor", 0, 3150, 6000, 4150),
                          rect("room", 0, 4300, 4000, 7300)),
                   {2100, 0}, {1900, 0}, {{2000, 3075}, {2000, 4225}}});
  CircuitCase clockwise = stacked(2);
  clockwise.name = "clockwise";
  for (auto& zone : clockwise.zones) zone = zone_fixture::clockwise(std::move(zone));
  cases.push_back(std::move(clockwise));
  CircuitCase far = stacked(3);
  far.name = "far from the origin";
  for (auto& zone : far.zones) zone = zone_fixture::moved(std::move(zone), 1e7);
  for (P* p : {&far.start, &far.end, &far.linkPoints[0], &far.linkPoints[1]}) *p = P(p->x + 1e7, p->y + 1e7);
  cases.push_back(std::move(far));
  return cases;
}

// The circuit built as the design job builds it: the first zone's pipe ends
// set, then each zone linked to the one before it and laid out.
struct Built {
  Built(const CircuitCase& c, std::uint32_t displayType) {
    model.defaults().displayType = displayType;
    circuit = model.addCircuit(1);
    for (std::size_t i = 0; i < c.zones.size(); ++i) {
      CFHZoneEntry* zone = model.addZone(static_cast<std::uint32_t>(i + 1));
      circuit->addZone(zone);
      circuit_test::giveBoundary(*zone, c.zones[i]);
    }
    CFHZoneDesign& first = *circuit->zones()[0]->design();
    first.setPipeEnd(0, std::make_unique<CFHPipeEnd>(c.start, 1, 0));
    first.setPipeEnd(1, std::make_unique<CFHPipeEnd>(c.end, 1, 0));
    laid = circuit_test::layZone(*circuit->zones()[0], c.start);
    for (std::size_t i = 1; i < c.zones.size() && laid; ++i) {
      CFHZoneEntry& zone = *circuit->zones()[i];
      zone.design()->setLinkPoint(c.linkPoints[i - 1]);
      linked = circuit->linkToPreviousZone(&zone) && linked;
      laid = linked && circuit_test::layZone(zone, zone.design()->pipeEnd(0)->point);
    }
  }
  CFHZoneDesign& design(std::size_t i) const { return *circuit->zones()[i]->design(); }
  const CFHCircuitLayout* layout(std::size_t i, int slot) const {
    const CFHZoneDesign::IdleAccess access(design(i));
    return slot == 0 ? access.layoutIfIdle() : access.secondLayoutIfIdle();
  }
  CFHModel model;
  CFHCircuit* circuit = nullptr;
  bool laid = false;
  bool linked = true;
};

double lengthOf(const CFHCircuitLayout& layout) {
  double length = 0.0;
  for (const CFHCircuitSegment* s : layout.segments) length += s->curve->length();
  return length;
}

// The invariants of the path in one of the first zone's layouts.
void checkPath(const Built& built, const CFHCircuitLayout& layout, std::size_t links, bool halfSplit) {
  const auto& segments = layout.segments;
  ASSERT_FALSE(segments.empty());
  EXPECT_TRUE(segments.front()->curve->startPoint().isEqualTo(built.design(0).pipeEnd(0)->point, workTol));
  EXPECT_TRUE(segments.back()->curve->endPoint().isEqualTo(built.design(0).pipeEnd(1)->point, workTol));
  std::size_t linkPieces = 0;
  double walked = 0.0;
  const double half = 0.5 * lengthOf(layout);
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const CFHCircuitSegment& s = *segments[i];
    EXPECT_TRUE(s.startEnd->point == s.curve->startPoint() && s.endEnd->point == s.curve->endPoint());
    if (i > 0) {
      EXPECT_TRUE(segments[i - 1]->curve->endPoint().isEqualTo(s.curve->startPoint(), workTol))
          << "a gap before segment " << i << " at " << s.curve->startPoint().x << "," << s.curve->startPoint().y;
    }
    if (s.curve->tag() == kTagLink) {
      ++linkPieces;
      EXPECT_TRUE(s.drawn == 1 && s.curve->source() == nullptr);
    }
    if (halfSplit) {
      EXPECT_EQ(s.side, walked < half - 1e-9 ? 1 : 0) << i;
    }
    walked += s.curve->length();
  }
  EXPECT_EQ(linkPieces, 4 * links);
  EXPECT_EQ(layout.pipeEnds.size(), 2 * (segments.size() - 4 * links) + 6 * links) << "records of their own";
}

// The pieces of the first zone's chain (from firstEdge) that no segment of the path covers (by
// their midpoints): they lie between the link points A and B.
void checkSkippedStretch(const Built& built, const CFHCircuitLayout& chain, const CFHCircuitLayout& path) {
  XtGePoint2d a, b;
  for (std::size_t i = 0; i < path.segments.size(); ++i) {
    if (path.segments[i]->curve->tag() != kTagLink) continue;
    a = path.segments[i]->curve->startPoint();
    for (std::size_t j = path.segments.size(); j-- > i;)
      if (path.segments[j]->curve->tag() == kTagLink && path.segments[j]->startEnd->point.distanceTo(
                                                            built.design(0).exitEnd(1)->point) < 1e-9) {
        b = path.segments[j]->curve->endPoint();
        break;
      }
    break;
  }
  EXPECT_GT(a.distanceTo(b), workTol.equalPoint()) << "A and B are apart";
  double skipped = 0.0;
  std::vector<XtGePoint2d> midpoints;
  EdgeSet passed;
  for (const COffsetEdge* e = chain.firstEdge; e != nullptr && passed.insert(e).second; e = nextEdgeOnChain(e)) {
    CFloorHeatingCurve::PtrVector pieces;
    offsetEdgePathAlongLoop(e, pieces);
    for (const auto& piece : pieces) {
      const XtGePoint2d m = piece->midPoint();
      bool covered = false;
      for (const CFHCircuitSegment* s : path.segments) covered = covered || s->curve->distanceTo(m) <= workTol.equalPoint();
      if (!covered) {
        skipped += piece->length();
        midpoints.push_back(m);
      }
    }
  }
  for (const XtGePoint2d& m : midpoints)
    EXPECT_LE(m.distanceTo(a) + m.distanceTo(b), skipped + 1e-6) << "a skipped piece away from A and B";
}

TEST_F(CircuitTest, PathRunsFromStartToEndThroughEveryZone) {
  for (const CircuitCase& c : circuitCases()) {
    SCOPED_TRACE(c.name);
    Built built(c, 0);
    ASSERT_TRUE(built.linked && built.laid);
    built.circuit->buildPath();
    const CFHCircuitLayout& layout = *built.layout(0, 0);
    checkPath(built, layout, c.zones.size() - 1, true);
    for (std::size_t i = 1; i < c.zones.size(); ++i) EXPECT_TRUE(built.layout(i, 0)->segments.empty());
    if (c.zones.size() > 1) checkSkippedStretch(built, layout, layout);

    std::vector<CurveChain> supply, back;
    EXPECT_TRUE(layout.chainSegmentCurvesBothSides(supply, back));
    EXPECT_EQ(supply.size(), 1u);
    EXPECT_EQ(back.size(), 1u);

    // LH of the first zone is the whole pipe; the others have none.
    built.circuit->calculate();
    EXPECT_NEAR(built.circuit->zones()[0]->calc.loopLength, lengthOf(layout) / 1000.0, 1e-9);
    for (std::size_t i = 1; i < c.zones.size(); ++i) EXPECT_EQ(built.circuit->zones()[i]->calc.loopLength, 0.0);
  }
}

// Every display type: a rebuild gives the same segments and lengths; display
// type 1 keeps its link pieces supply in the main layout; the second layout
// is walked on its own and split by half its length.
TEST_F(CircuitTest, RebuildingChangesNothingInAnyDisplayType) {
  for (std::uint32_t type : {0u, 1u, 2u}) {
    SCOPED_TRACE(type);
    Built built(stacked(2), type);
    ASSERT_TRUE(built.linked && built.laid);
    std::vector<std::vector<XtGePoint2d>> runs[2];
    for (int round = 0; round < 2; ++round) {
      built.circuit->buildPath();
      for (int slot = 0; slot < 2; ++slot) {
        const CFHCircuitLayout* layout = built.layout(0, slot);
        std::vector<XtGePoint2d> points;
        if (layout != nullptr)
          for (const CFHCircuitSegment* s : layout->segments) points.push_back(s->curve->endPoint());
        runs[slot].push_back(points);
      }
    }
    for (int slot = 0; slot < 2; ++slot) EXPECT_EQ(runs[slot][0], runs[slot][1]) << slot;
    if (type != 0) checkPath(built, *built.layout(0, 1), 1, true);
    if (type == 1) {
      const CFHCircuitLayout& main = *built.layout(0, 0);
      ASSERT_FALSE(main.segments.empty());
      int returnPieces = 0;
      for (const CFHCircuitSegment* s : main.segments) {
        if (s->curve->tag() == kTagLink) {
          EXPECT_EQ(s->side, 1);
        }
        returnPieces += s->side == 0;
      }
      EXPECT_GT(returnPieces, 0) << "the return runs";
    }
    if (type == 2) {
      EXPECT_TRUE(built.layout(0, 0) == nullptr || built.layout(0, 0)->segments.empty());
    }
    for (int slot = 0; slot < 2; ++slot) {
      const CFHCircuitLayout* other = built.layout(1, slot);
      EXPECT_TRUE(other == nullptr || other->segments.empty()) << "only the first zone holds segments";
    }
  }
}

TEST_F(CircuitTest, LastZoneGoneExitsSwappedOrAtOnePoint) {
  Built built(stacked(2), 0);
  ASSERT_TRUE(built.linked && built.laid);
  CFHZoneEntry* last = built.circuit->zones()[1];
  built.circuit->removeZone(last);
  last->circuit = nullptr;
  built.circuit->buildPath();
  checkPath(built, *built.layout(0, 0), 0, true);
  built.circuit->addZone(last);

  // Exits the other way round: the pipe still leaves the chain at the
  // earlier of the two points and walks nothing twice.
  const XtGePoint2d exits[] = {built.design(0).exitEnd(0)->point, built.design(0).exitEnd(1)->point};
  built.design(0).setExitEnd(0, std::make_unique<CFHPipeEnd>(exits[1], 1, 0));
  built.design(0).setExitEnd(1, std::make_unique<CFHPipeEnd>(exits[0], 1, 0));
  built.circuit->buildPath();
  checkPath(built, *built.layout(0, 0), 1, true);
  checkSkippedStretch(built, *built.layout(0, 0), *built.layout(0, 0));

  // Both exits at one point: the pipe leaves and comes back one spacing apart
  // along the chain (less where the edge ends first).
  const XtGePoint2d exit = built.design(0).exitEnd(0)->point;
  built.design(0).setExitEnd(1, std::make_unique<CFHPipeEnd>(exit, 1, 0));
  built.circuit->buildPath();
  const CFHCircuitLayout& layout = *built.layout(0, 0);
  checkPath(built, layout, 1, true);
  std::vector<XtGePoint2d> ends;
  for (const CFHCircuitSegment* s : layout.segments)
    if (s->curve->tag() == kTagLink) ends.push_back(ends.empty() ? s->curve->startPoint() : s->curve->endPoint());
  ASSERT_EQ(ends.size(), 4u);
  const double apart = ends.front().distanceTo(ends.back());
  EXPECT_GT(apart, 1.0);
  EXPECT_LE(apart, built.design(0).spacing() + 1e-6);
}

// A hand-made chain of straight edges ending where a further edge ends too
// (the walk would go back and forth between them): the walk ends, an edge of
// flag 4 gives an undrawn piece, and the piece that starts at exactly half
// the length is return.
TEST_F(CircuitTest, WalkEndsOnACycleAndHalfTheLengthIsReturn) {
  CFHModel model;
  CFHCircuit& circuit = *model.addCircuit(1);
  CFHZoneEntry& zone = *model.addZone(1);
  circuit.addZone(&zone);
  CFHZoneDesign& design = *zone.design();
  design.setPipeEnd(0, std::make_unique<CFHPipeEnd>(P(0, 0), 1, 0));
  design.setPipeEnd(1, std::make_unique<CFHPipeEnd>(P(400, 0), 1, 0));
  auto layout = std::make_unique<CFHCircuitLayout>(100.0, 200.0, 0.0);
  for (double x : {0.0, 100.0, 250.0, 350.0, 400.0, 500.0})
    layout->nodes.push_back(new COffsetNode(P(x, 0), static_cast<COffsetSection*>(nullptr), nullptr));
  const int ends[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {5, 4}};
  for (const auto& [a, b] : ends) layout->edges.push_back(new COffsetEdge(layout->nodes[a], layout->nodes[b], 1, true));
  layout->edges[1]->setFlags(kEdgeNotDrawn);
  layout->firstEdge = layout->edges[0];
  CFHZoneDesign::BusyScope(design).replaceLayouts(std::move(layout), nullptr);

  circuit.buildPath();
  const CFHCircuitLayout& laid = *CFHZoneDesign::IdleAccess(design).layoutIfIdle();
  ASSERT_EQ(laid.segments.size(), 5u);
  const int sides[] = {1, 1, 0, 0, 0};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(laid.segments[i]->side, sides[i]) << i;
    EXPECT_EQ(laid.segments[i]->drawn, i == 1 ? 0 : 1) << i;
  }
}

// A link that fails leaves every pipe end and exit point as it was.
TEST_F(CircuitTest, FailedLinkChangesNothing) {
  struct Snapshot {
    const CFHPipeEnd* records[4];
    XtGePoint2d points[4];
  };
  auto snapshot = [](const CFHZoneDesign& previous, const CFHZoneDesign& design) {
    Snapshot s{{previous.exitEnd(0), previous.exitEnd(1), design.pipeEnd(0), design.pipeEnd(1)}, {}};
    for (int i = 0; i < 4; ++i)
      if (s.records[i] != nullptr) s.points[i] = s.records[i]->point;
    return s;
  };
  const struct {
    const char* name;
    zone_fixture::Zone second;
    bool withEnds;
  } cases[] = {{"walls that do not face", rect("aside", 4150, 3150, 8000, 6000), true},
               {"no pipe ends in the zone before", rect("above", 0, 3150, 4000, 6000), false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Built built(stacked(2), 0);  // linked once: the records exist
    ASSERT_TRUE(built.linked);
    circuit_test::giveBoundary(*built.circuit->zones()[1], c.second);
    if (!c.withEnds) built.design(0).setPipeEnd(1, nullptr);
    const Snapshot before = snapshot(built.design(0), built.design(1));
    EXPECT_FALSE(CFHZoneDesign::linkToPrevious(built.design(0), built.design(1), XtGePoint2d(2000, 3075), 200.0));
    const Snapshot after = snapshot(built.design(0), built.design(1));
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(before.records[i], after.records[i]) << i;
      EXPECT_TRUE(before.points[i] == after.points[i]) << i;
    }
  }
  Built single(stacked(1), 0);
  EXPECT_FALSE(single.circuit->linkToPreviousZone(single.circuit->zones()[0])) << "the first zone has none";
}

}  // namespace
