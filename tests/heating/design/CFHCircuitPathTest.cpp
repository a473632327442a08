// The circuit path on meander layouts of circuits of one to three zones
// (rectangles, L, U, an arc wall, clockwise, far from the origin, a narrow
// corridor), judged by invariants: one pipe from the start pipe end to the
// end pipe end that never runs over itself, only the first zone holding
// segments, four link pieces per link, sides by half the length, one chained
// run per side, reruns that change nothing; and failed links that change
// nothing.
#include "heating/design/CFHCircuit.h"
#include "heating/design/LaidPipeSoundness.h"

#include "heating/layout/CFHCircuitSegment.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LayoutSegmentTags.h"

#include "heating/curves/CurveChains.h"

#include "CircuitTestSupport.h"

#include <string>

namespace {

using circuit_test::CircuitTest;
using P = XtGePoint2d;
using zone_fixture::Zone;


Zone rect(double x0, double y0, double x1, double y1) {
  return zone_fixture::polygon("", {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// The zones in flow order, the first zone's pipe ends and every further
// zone's link point.
struct CircuitCase {
  std::string name;
  std::vector<Zone> zones;
  P start{2100, 0}, end{1900, 0};
  std::vector<P> links;
};

CircuitCase stacked(int n) {
  CircuitCase c;
  c.name = std::to_string(n) + " stacked rooms";
  for (int i = 0; i < n; ++i) c.zones.push_back(rect(0, 3150.0 * i, 4000, 3150.0 * i + 3000));
  for (int i = 1; i < n; ++i) c.links.push_back({2000, 3150.0 * i - 75});
  return c;
}

CircuitCase twoZones(std::string name, Zone first, Zone second, P link, P start = {2100, 0}, P end = {1900, 0}) {
  CircuitCase c{std::move(name), {}, start, end, {link}};
  c.zones.push_back(std::move(first));
  c.zones.push_back(std::move(second));
  return c;
}

std::vector<CircuitCase> circuitCases() {
  std::vector<CircuitCase> cases;
  for (int n = 1; n <= 3; ++n) cases.push_back(stacked(n));
  cases.push_back(twoZones("L and its corner", zone_fixture::z2L(), rect(2150, 2150, 4000, 4000), {3000, 2075}));
  cases.push_back(twoZones("U and its slot", zone_fixture::z3U(), rect(1900, 1650, 3100, 4000), {2500, 1575}, {2600, 0},
                           {2400, 0}));
  cases.push_back(twoZones("arc wall", rect(0, -3150, 4000, -150), zone_fixture::z6SemicircularEnd(), {2000, -75},
                           {2100, -3150}, {1900, -3150}));
  CircuitCase corridor = twoZones("narrow corridor", rect(0, 0, 4000, 3000), rect(0, 3150, 6000, 4150), {2000, 3075});
  corridor.zones.push_back(rect(0, 4300, 4000, 7300));
  corridor.links.push_back({2000, 4225});
  cases.push_back(std::move(corridor));
  CircuitCase turned = stacked(2), far = stacked(3);
  turned.name = "clockwise";
  for (Zone& zone : turned.zones) zone = zone_fixture::clockwise(std::move(zone));
  far.name = "far";
  for (Zone& zone : far.zones) zone = zone_fixture::moved(std::move(zone), 1e7);
  for (P* p : {&far.start, &far.end, &far.links[0], &far.links[1]}) *p = P(p->x + 1e7, p->y + 1e7);
  cases.push_back(std::move(turned));
  cases.push_back(std::move(far));
  return cases;
}

// The circuit as its design job builds it: the first zone laid out, then
// every further zone linked to the one before it and laid out.
// The further zones have the display type `furtherType` when it is not
// negative.
struct Built {
  Built(const CircuitCase& c, std::uint32_t displayType, std::uint32_t shape = CFHCircuitLayout::kMeander,
        int furtherType = -1) {
    model.defaults().displayType = displayType;
    for (std::size_t i = 0; i < c.zones.size(); ++i) {
      circuit->addZone(model.addZone(static_cast<std::uint32_t>(i + 1)));
      circuit_test::giveBoundary(*circuit->zones()[i], c.zones[i]);
      if (i > 0 && furtherType >= 0) design(i).setDisplayType(static_cast<std::uint32_t>(furtherType));
    }
    design(0).setPipeEnd1(c.start);
    design(0).setPipeEnd2(c.end);
    for (std::size_t i = 0; i < c.zones.size(); ++i) {
      circuit_test::chooseMeander(*circuit->zones()[i], i == 0 ? c.start : c.links[i - 1]);
      design(i).setCircuitShape(shape);
    }
    ok = circuit_test::layZone(*circuit->zones()[0]);
    for (std::size_t i = 1; i < c.zones.size() && ok; ++i) {
      design(i).setLinkPoint(c.links[i - 1]);
      ok = circuit->linkToPreviousZone(circuit->zones()[i]) && circuit_test::layZone(*circuit->zones()[i]);
    }
  }
  CFHZoneDesign& design(std::size_t i) const { return *circuit->zones()[i]->design(); }
  const CFHCircuitLayout* layout(std::size_t i, int slot) const {
    const CFHZoneDesign::IdleAccess access(design(i));
    return slot == 0 ? access.layoutIfIdle() : access.secondLayoutIfIdle();
  }
  CFHModel model;
  CFHCircuit* circuit = model.addCircuit(1);
  bool ok = false;
};

// One of the first zone's layouts: continuous from pipe end 1 to pipe end 2,
// no piece of a chain over another piece, the link pieces, the records, the
// sides.
void checkPath(const Built& built, const CFHCircuitLayout& layout, std::size_t links, bool halfSplit) {
  const auto& segments = layout.segments;
  ASSERT_FALSE(segments.empty());
  EXPECT_TRUE(segments.front()->curve->startPoint().isEqualTo(built.design(0).pipeEnd(0)->point, workTol));
  EXPECT_TRUE(segments.back()->curve->endPoint().isEqualTo(built.design(0).pipeEnd(1)->point, workTol));
  double total = 0.0, walked = 0.0;
  for (const CFHCircuitSegment* s : segments) total += s->curve->length();
  std::size_t linkPieces = 0;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const CFHCircuitSegment& s = *segments[i];
    EXPECT_TRUE(s.startEnd->point == s.curve->startPoint() && s.endEnd->point == s.curve->endPoint());
    EXPECT_TRUE(i == 0 || segments[i - 1]->curve->endPoint().isEqualTo(s.curve->startPoint(), workTol)) << i;
    for (std::size_t j = 0; j < segments.size() && s.curve->tag() != kTagLinkSegment; ++j)
      EXPECT_TRUE(j == i || segments[j]->curve->distanceTo(s.curve->midPoint()) > workTol.equalPoint()) << i << "," << j;
    linkPieces += s.curve->tag() == kTagLinkSegment && s.drawn == 1;
    // Links are links; a zone's first and last pieces are its leads.
    EXPECT_EQ(s.part == CFHCircuitSegment::Part::kLink, s.curve->tag() == kTagLinkSegment) << i;
    EXPECT_LT(s.zonePosition, built.circuit->zones().size()) << i;
    EXPECT_TRUE(!halfSplit || s.side == (walked < 0.5 * total - 1e-9 ? 1 : 0)) << i;
    walked += s.curve->length();
  }
  EXPECT_EQ(linkPieces, 4 * links);
  EXPECT_TRUE(segments.front()->part == CFHCircuitSegment::Part::kLead && segments.front()->zonePosition == 0);
  EXPECT_TRUE(segments.back()->part == CFHCircuitSegment::Part::kLead && segments.back()->zonePosition == 0);
  EXPECT_EQ(layout.pipeEnds.size(), 2 * segments.size() - 2 * links) << "records of their own";
}

TEST_F(CircuitTest, PathRunsFromStartToEndThroughEveryZone) {
  for (const CircuitCase& c : circuitCases()) {
    SCOPED_TRACE(c.name);
    Built built(c, 0);
    ASSERT_TRUE(built.ok);
    built.circuit->buildPath();
    const CFHCircuitLayout& layout = *built.layout(0, 0);
    checkPath(built, layout, c.zones.size() - 1, true);
    // Every zone's pipe keeps clear of itself and inside its zone.
    std::vector<std::uint8_t> faults;
    markUnsoundZones(*built.circuit, faults);
    EXPECT_EQ(faults, std::vector<std::uint8_t>(c.zones.size(), 0));
    std::vector<CurveChain> supply, back;
    EXPECT_TRUE(layout.chainSegmentCurvesBothSides(supply, back) && supply.size() == 1 && back.size() == 1);
    // LH: the first zone holds the whole pipe, the others none.
    built.circuit->calculate();
    double length = 0.0;
    for (const CFHCircuitSegment* s : layout.segments) length += s->curve->length();
    EXPECT_NEAR(built.circuit->zones()[0]->calc.loopLength, length / 1000.0, 1e-9);
    for (std::size_t i = 1; i < c.zones.size(); ++i) {
      EXPECT_EQ(built.circuit->zones()[i]->calc.loopLength, 0.0);
      EXPECT_TRUE(built.layout(i, 0)->segments.empty());
    }
  }
}

// A rerun gives the same segments in every display type; display type 1
// keeps its link pieces supply and has its return run; the second layout is
// walked on its own and split by half its length.
TEST_F(CircuitTest, RebuildingChangesNothingInAnyDisplayType) {
  for (std::uint32_t type : {0u, 1u, 2u}) {
    SCOPED_TRACE(type);
    Built built(stacked(2), type);
    ASSERT_TRUE(built.ok);
    std::vector<P> ends[2][2];
    for (int round = 0; round < 2; ++round) {
      built.circuit->buildPath();
      for (int slot = 0; slot < 2; ++slot)
        if (const CFHCircuitLayout* layout = built.layout(0, slot))
          for (const CFHCircuitSegment* s : layout->segments) ends[slot][round].push_back(s->curve->endPoint());
    }
    for (int slot = 0; slot < 2; ++slot) EXPECT_EQ(ends[slot][0], ends[slot][1]);
    if (type != 0) checkPath(built, *built.layout(0, 1), 1, true);
    if (type == 1) {
      int returnPieces = 0;
      for (const CFHCircuitSegment* s : built.layout(0, 0)->segments) {
        EXPECT_TRUE(s->curve->tag() != kTagLinkSegment || s->side == 1);
        returnPieces += s->side == 0;
      }
      EXPECT_GT(returnPieces, 0);
    }
    EXPECT_EQ(ends[0][0].empty(), type == 2);
    for (int slot = 0; slot < 2; ++slot)
      EXPECT_TRUE(built.layout(1, slot) == nullptr || built.layout(1, slot)->segments.empty());
  }
}

// A joined zone of another display type than the first zone's is walked
// through its full layout in the layout the circuit is drawn from (the main
// one for types 0 and 1, else the second): the drawn pipe runs on without a
// gap, one supply and one return, through the joined zone's whole pipe
// (its main layout of type 2 holds levels, of type 1 a connection run with
// an undrawn jump).
TEST_F(CircuitTest, AJoinedZoneOfAnotherDisplayTypeIsDrawnWhole) {
  for (const auto& [first, further] : {std::pair{0u, 1}, {0u, 2}, {1u, 0}, {1u, 2}, {2u, 0}, {2u, 1}}) {
    SCOPED_TRACE(testing::Message() << "display types " << first << " and " << further);
    Built built(stacked(2), first, CFHCircuitLayout::kMeander, further);
    ASSERT_TRUE(built.ok);
    double full = 0.0;
    ASSERT_TRUE(CFHZoneDesign::IdleAccess(built.design(1)).laidPipeLength(full));
    built.circuit->buildPath();
    const CFHCircuitLayout& drawn = *built.layout(0, first <= 1 ? 0 : 1);
    std::vector<CurveChain> supply, back;
    EXPECT_TRUE(drawn.chainSegmentCurvesBothSides(supply, back) && supply.size() == 1 && back.size() == 1);
    double joined = 0.0;
    for (const CFHCircuitSegment* s : drawn.segments)
      if (s->zonePosition == 1 && s->part != CFHCircuitSegment::Part::kLink) joined += s->curve->length();
    EXPECT_GT(joined, 0.9 * full) << "the joined zone's full layout is walked";
  }
}

// The circuit path on double spirals (one room; two rooms linked through the
// middle of their wall), on the main layout and on the second one of
// display type 2: one pipe from pipe end to pipe end, only the first zone
// holding segments, each room's pipe within 10 % of (A + P (s/2 - d0)) / s,
// LH the first zone's whole pipe.
TEST_F(CircuitTest, SpiralLayoutsMakeOnePath) {
  for (const std::uint32_t type : {0u, 2u}) {
    for (int n : {1, 2}) {
      SCOPED_TRACE(testing::Message() << n << " rooms, display type " << type);
      const CircuitCase c = stacked(n);
      Built built(c, type, CFHCircuitLayout::kSpiral);
      ASSERT_TRUE(built.ok);
      built.circuit->buildPath();
      const int slot = type == 0 ? 0 : 1;
      const CFHCircuitLayout& layout = *built.layout(0, slot);
      checkPath(built, layout, c.zones.size() - 1, true);
      std::vector<double> inZone(c.zones.size(), 0.0);
      for (const CFHCircuitSegment* s : layout.segments) {
        const P m = s->curve->midPoint();
        const std::size_t zone = static_cast<std::size_t>(m.y / 3150.0);
        if (m.y - 3150.0 * static_cast<double>(zone) <= 3000 && s->curve->tag() != kTagLinkSegment)
          inZone[zone] += s->curve->length();
      }
      const double s = layout.spacing, d0 = layout.firstOffset;
      for (double length : inZone)
        EXPECT_NEAR(length, (4000.0 * 3000 + 14000 * (s / 2 - d0)) / s, 0.1 * length);
      built.circuit->calculate();
      double total = 0.0;
      for (const CFHCircuitSegment* seg : layout.segments) total += seg->curve->length();
      EXPECT_NEAR(built.circuit->zones()[0]->calc.loopLength, total / 1000.0, 1e-9);
      for (std::size_t i = 1; i < c.zones.size(); ++i) EXPECT_TRUE(built.layout(i, slot)->segments.empty());
    }
  }
}

TEST_F(CircuitTest, LastZoneGoneExitsSwappedOrAtOnePoint) {
  Built built(stacked(2), 0);
  ASSERT_TRUE(built.ok);
  CFHZoneEntry* last = built.circuit->zones()[1];
  built.circuit->popLastZone();  // its exits stay on the first zone
  built.circuit->buildPath();
  checkPath(built, *built.layout(0, 0), 0, true);
  built.circuit->addZone(last);

  // Exits the other way round: the pipe leaves at the earlier point.
  const P exits[] = {built.design(0).exitEnd(0)->point, built.design(0).exitEnd(1)->point};
  built.design(0).setExitEnd1(exits[1]);
  built.design(0).setExitEnd2(exits[0]);
  built.circuit->buildPath();
  checkPath(built, *built.layout(0, 0), 1, true);

  // Both at one point: the ends of the link one spacing apart along the chain.
  built.design(0).setExitEnd2(exits[1]);
  built.circuit->buildPath();
  const CFHCircuitLayout& layout = *built.layout(0, 0);
  checkPath(built, layout, 1, true);
  std::vector<P> ends;
  for (const CFHCircuitSegment* s : layout.segments)
    if (s->curve->tag() == kTagLinkSegment) ends.push_back(ends.empty() ? s->curve->startPoint() : s->curve->endPoint());
  ASSERT_EQ(ends.size(), 4u);
  EXPECT_TRUE(ends.front().distanceTo(ends.back()) > 1.0 &&
              ends.front().distanceTo(ends.back()) <= built.design(0).spacing() + 1e-6);
}

// Straight edges ending where a further edge ends too (a walk would go back
// and forth there): the walk ends, flag 4 gives an undrawn piece, and the
// piece that starts at exactly half the length is return.
TEST_F(CircuitTest, WalkEndsOnACycleAndHalfTheLengthIsReturn) {
  Built built(stacked(1), 0);
  auto layout = std::make_unique<CFHCircuitLayout>(100.0, 200.0, 0.0);
  for (double x : {2100.0, 2200.0, 2350.0, 2450.0, 2500.0, 2600.0})
    layout->nodes.push_back(new COffsetNode(P(x, 0), static_cast<COffsetSection*>(nullptr), nullptr));
  const int ends[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {5, 4}};
  for (const auto& [a, b] : ends)
    layout->edges.push_back(new COffsetEdge(layout->nodes[a], layout->nodes[b], 1, true));
  layout->edges[1]->setFlags(kEdgeNotDrawn);
  layout->firstEdge = layout->edges[0];
  CFHZoneDesign::BusyScope(built.design(0)).replaceLayouts(std::move(layout), nullptr);
  built.circuit->buildPath();
  const auto& segments = built.layout(0, 0)->segments;
  ASSERT_EQ(segments.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(segments[i]->side == (i < 2) && segments[i]->drawn == (i != 1)) << i;
}

// A link that fails leaves every pipe end and exit point as it was.
TEST_F(CircuitTest, FailedLinkChangesNothing) {
  const struct {
    const char* name;
    Zone second;
    bool ends;
  } cases[] = {{"walls that do not face", rect(4150, 3150, 8000, 6000), true},
               {"no pipe end in the zone before", rect(0, 3150, 4000, 6000), false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Built built(stacked(2), 0);
    ASSERT_TRUE(built.ok);
    circuit_test::giveBoundary(*built.circuit->zones()[1], c.second);
    if (!c.ends) built.design(0).setPipeEnd(1, nullptr);
    auto records = [&] {
      std::vector<std::pair<const CFHPipeEnd*, P>> r;
      for (const CFHPipeEnd* e : {built.design(0).exitEnd(0), built.design(0).exitEnd(1), built.design(1).pipeEnd(0),
                                  built.design(1).pipeEnd(1)})
        r.emplace_back(e, e != nullptr ? e->point : P());
      return r;
    };
    const auto before = records();
    EXPECT_FALSE(CFHZoneDesign::linkToPrevious(built.design(0), built.design(1), {2000, 3075}, 200.0));
    EXPECT_EQ(records(), before);
  }
  Built single(stacked(1), 0);
  EXPECT_FALSE(single.circuit->linkToPreviousZone(single.circuit->zones()[0])) << "the first zone has none";
}

}  // namespace
