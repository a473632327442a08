// Free stretches of narrow loop sections, the windows pipes take from them,
// and splitting an edge at inserted nodes.
#include "LayoutTestSupport.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/NarrowSectionWindows.h"

namespace {

using Segment = std::pair<XtGePoint2d, XtGePoint2d>;

// A narrow loop section over the segments, prepared at spacing 200.
std::unique_ptr<COffsetNarrowLoopSection> narrowOf(const std::vector<Segment>& segments) {
  auto narrow = std::make_unique<COffsetNarrowLoopSection>();
  for (const auto& [a, b] : segments)
    narrow->appendSection(makeSection(std::make_unique<CFloorHeatingLine>(a, b, nullptr, 2)));
  resetFreeIntervals(*narrow, 200.0);
  return narrow;
}

void expectIntervals(const COffsetFreeIntervals& record, const std::vector<std::pair<double, double>>& want) {
  ASSERT_EQ(record.intervals.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_NEAR(record.intervals[i].lowerBound(), want[i].first, 1e-9);
    EXPECT_NEAR(record.intervals[i].upperBound(), want[i].second, 1e-9);
  }
}

class NarrowSectionWindows : public layout_test::LayoutTest {};

TEST_F(NarrowSectionWindows, ShortSectionsStartInactiveAndCutsDropShortPieces) {
  auto narrow = narrowOf({{{0, 0}, {1000, 0}}, {{1000, 0}, {1000, 199.9}}, {{0, 0}, {0, 199.9999}}});
  EXPECT_TRUE(narrow->freeIntervals[0].active);
  EXPECT_FALSE(narrow->freeIntervals[1].active) << "shorter than s by more than half the point value";
  EXPECT_TRUE(narrow->freeIntervals[2].active);
  COffsetFreeIntervals& record = narrow->freeIntervals[0];
  subtractInterval(record, XtGeInterval(0.4, 0.6), 200.0);
  expectIntervals(record, {{0.0, 0.4}, {0.6, 1.0}});
  subtractInterval(record, XtGeInterval(0.1, 0.2), 200.0);
  expectIntervals(record, {{0.2, 0.4}, {0.6, 1.0}});
  subtractInterval(record, XtGeInterval(0.5, NAN), 200.0);
  expectIntervals(record, {{0.2, 0.4}, {0.6, 1.0}});
}

TEST_F(NarrowSectionWindows, WindowCutsBySectionEnds) {
  // The window of the chord (400,0)-(600,0): x 200..800, y -150..150.
  const std::vector<Segment> sections{
      {{300, -50}, {700, 50}},     // inside: taken
      {{800, 100}, {1300, 600}},   // touches at one end: kept
      {{0, -100}, {1000, -100}},   // through: cut between the crossings
      {{500, 100}, {500, 1000}},   // out of it: cut to the crossing
      {{1500, 0}, {2500, 0}},      // beside it: kept
      {{800, -100}, {300, -100}},  // from the edge inwards: taken
      {{800, 0}, {-1e7, 0}},       // from the edge through it, 1e7 long
  };
  const CFloorHeatingLine chord({0, 0}, {1000, 0}, nullptr, 2);
  for (const double u : {1000.0, 0.0}) {  // a missing unit factor samples as 1
    drawingUnitFactor = u;
    auto narrow = narrowOf(sections);
    cutWindow(*narrow, chord, XtGeInterval(0.4, 0.6), workTol);
    cutWindow(*narrow, chord, XtGeInterval(0.5, 0.5), workTol);  // no chord: nothing
    const std::vector<bool> active{false, true, true, true, true, false, true};
    for (std::size_t i = 0; i < active.size(); ++i) EXPECT_EQ(narrow->freeIntervals[i].active, active[i]) << i;
    expectIntervals(narrow->freeIntervals[1], {{0, 1}});
    expectIntervals(narrow->freeIntervals[2], {{0, 0.2}, {0.8, 1}});
    expectIntervals(narrow->freeIntervals[3], {{50.0 / 900, 1}});
    expectIntervals(narrow->freeIntervals[4], {{0, 1}});
    expectIntervals(narrow->freeIntervals[6], {{600 / (1e7 + 800), 1}});
    EXPECT_TRUE(hasActiveSection(*narrow));
  }
  auto inside = narrowOf({{{300, 0}, {700, 0}}});
  cutWindow(*inside, chord, XtGeInterval(0.4, 0.6), workTol);
  EXPECT_FALSE(hasActiveSection(*inside));
}

TEST_F(NarrowSectionWindows, NothingFreeStaysNearADetour) {
  // A corridor's walls; the detour comes up from the path piece at y -200.
  auto narrow = narrowOf({{{0, 0}, {3000, 0}}, {{3000, 0}, {3000, 100}}, {{3000, 100}, {0, 100}}});
  const CFloorHeatingLine piece({0, -200}, {3000, -200}, nullptr, 3);
  const XtGeLineSeg2d segment({1000, 0}, {1500, 0});
  cutWindowAlongSegment(*narrow, piece, 0, segment, workTol);
  cutWindowAlongSegment(*narrow, piece, 7, segment, workTol);  // no such section: nothing
  for (const COffsetFreeIntervals& record : narrow->freeIntervals) {
    if (!record.active) continue;
    for (const XtGeInterval& free : record.intervals)
      for (int k = 0; k <= 20; ++k) {
        const XtGePoint2d p = record.section->curve->geCurve().evalPoint(
            free.lowerBound() + (free.upperBound() - free.lowerBound()) * k / 20);
        EXPECT_GE(segment.distanceTo(p), 150.0 - workTol.equalPoint()) << p.x << "," << p.y;
      }
  }
  expectIntervals(narrow->freeIntervals[0], {{0, 0.8 / 3}, {1.7 / 3, 1}});
}

TEST_F(NarrowSectionWindows, NextFreeStretchWalksEitherWay) {
  auto narrow = narrowOf({{{0, 0}, {1000, 0}}, {{1000, 0}, {1000, 100}}});
  narrow->freeIntervals[0].intervals = {XtGeInterval(0.0, 0.2), XtGeInterval(0.5, 0.9)};
  FreeStretch stretch;
  ASSERT_TRUE(nextFreeStretch(*narrow, 0, XtGeInterval(0.0, 1.0), false, stretch));
  EXPECT_NEAR(stretch.interval.lowerBound(), 0.7, 1e-9);
  EXPECT_TRUE(stretch.first.isEqualTo({900, 0}, workTol) && stretch.second.isEqualTo({700, 0}, workTol));
  ASSERT_TRUE(nextFreeStretch(*narrow, 0, XtGeInterval(0.0, 1.0), true, stretch));
  EXPECT_TRUE(stretch.first.isEqualTo({0, 0}, workTol) && stretch.second.isEqualTo({200, 0}, workTol));
  ASSERT_TRUE(nextFreeStretch(*narrow, 0, XtGeInterval(0.1, 0.55), false, stretch));
  EXPECT_NEAR(stretch.interval.lowerBound(), 0.1, 1e-9) << "one spacing, not below the overlap";
  // Overlaps under half a spacing, an inactive record, no such record.
  EXPECT_FALSE(nextFreeStretch(*narrow, 0, XtGeInterval(0.15, 0.54), false, stretch));
  EXPECT_FALSE(nextFreeStretch(*narrow, 1, XtGeInterval(0.0, 1.0), false, stretch));
  EXPECT_FALSE(nextFreeStretch(*narrow, 2, XtGeInterval(0.0, 1.0), false, stretch));
}

TEST_F(NarrowSectionWindows, SplittingAnEdgeInsertsItsNodes) {
  COffsetNode a0, b0, k1, k2;
  std::vector<COffsetEdge*> edges{new COffsetEdge(&a0, &b0, 0, true)};
  COffsetEdge* old = edges[0];
  EXPECT_EQ(old->splitAt(&k1, nullptr, edges), nullptr);
  COffsetEdge* first = old->splitAt(&k1, &k2, edges);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->a == &a0 && first->b == &k1 && first->direction == 0 && first->crossesOwners == 1);
  EXPECT_TRUE(old->a == &k2 && old->b == &b0);
  EXPECT_EQ(edges, (std::vector<COffsetEdge*>{old, first}));
  EXPECT_EQ(a0.edges, std::vector<COffsetEdge*>{first});
  // One node as both ends: it is inserted.
  COffsetNode m;
  COffsetEdge* second = old->splitAt(&m, &m, edges);
  EXPECT_EQ(m.edges, (std::vector<COffsetEdge*>{second, old}));
  EXPECT_EQ(k2.edges, std::vector<COffsetEdge*>{second});
  EXPECT_EQ(b0.edges, std::vector<COffsetEdge*>{old});
  m.replaceEdge(old, first);
  EXPECT_EQ(m.edges, (std::vector<COffsetEdge*>{second, first}));
  m.replaceEdge(first, old);
  deleteOffsetEdgesAndClear(edges);
}

}  // namespace
