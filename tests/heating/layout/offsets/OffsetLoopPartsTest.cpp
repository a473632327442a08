// Offset loop parts and narrow sections, the gap closing, copies and the
// section join.
#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"
#include "MeanderZones.h"
#include "OffsetLevelChecks.h"
#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/LoopSampling.h"
#include "heating/layout/offsets/OffsetLoopParts.h"

namespace {

using Points = std::vector<XtGePoint2d>;
using graph_test::polygonLoop;

// A loop's start points, and a chain's with its last end.
Points startsOf(const CLoop& loop) {
  Points out;
  for (const CLoopElement* e : loop.elements) out.push_back(e->startPoint());
  return out;
}
Points chainOf(const CLoop& loop) {
  Points out = startsOf(loop);
  if (!loop.elements.empty()) out.push_back(loop.elements.back()->endPoint());
  return out;
}

testing::AssertionResult samePoints(const Points& got, const Points& want) {
  bool same = got.size() == want.size();
  for (std::size_t i = 0; same && i < got.size(); ++i) same = got[i].isEqualTo(want[i], workTol);
  if (same) return testing::AssertionSuccess();
  testing::AssertionResult failure = testing::AssertionFailure() << "got";
  for (const XtGePoint2d& p : got) failure << " (" << p.x << "," << p.y << ")";
  return failure;
}

// The invariants of a split: parts closed, simple, counter-clockwise and
// within the loop, narrow sections continuous, every sample of the loop on a
// part or within s/2 of a narrow section.
testing::AssertionResult soundSplit(const COffsetLoop& loop, const std::vector<COffsetLoop*>& parts,
                                    const std::vector<COffsetNarrowLoopSection*>& narrows, double s) {
  for (const COffsetLoop* part : parts) {
    if (testing::AssertionResult closed = level_check::isClosedSimpleCounterClockwise(*part); !closed) return closed;
    std::vector<COffsetPoint> samples;
    sampleLoopPoints(*part, true, s / 4, samples, workTolFine);
    for (const COffsetPoint& p : samples)
      if (loop.classifyPoint(p.point, workTol) == CLoop::kOutside)
        return testing::AssertionFailure() << "part leaves the loop at (" << p.point.x << "," << p.point.y << ")";
  }
  for (const COffsetNarrowLoopSection* narrow : narrows)
    for (int i = 0; i + 1 < narrow->elementCount(); ++i)
      if (!narrow->elements[i]->endPoint().isEqualTo(narrow->elements[i + 1]->startPoint(), workTol))
        return testing::AssertionFailure() << "broken narrow section";
  std::vector<COffsetPoint> samples;
  sampleLoopPoints(loop, true, s / 4, samples, workTolFine);
  for (const COffsetPoint& p : samples) {
    auto within = [&](const CLoop& l, double d) {
      for (const CLoopElement* e : l.elements)
        if (e->curve->distanceTo(p.point) <= d + workTol.equalPoint()) return true;
      return false;
    };
    const bool covered = std::any_of(parts.begin(), parts.end(), [&](auto* l) { return within(*l, 0.0); }) ||
                         std::any_of(narrows.begin(), narrows.end(), [&](auto* l) { return within(*l, s / 2); });
    if (!covered) return testing::AssertionFailure() << "(" << p.point.x << "," << p.point.y << ") left out";
  }
  return testing::AssertionSuccess();
}

struct Split {
  std::vector<COffsetLoop*> parts;
  std::vector<COffsetNarrowLoopSection*> narrows;
  ~Split() {
    deleteOffsetLoopsAndFree(parts);
    deleteOffsetLoopsAndFree(narrows);
  }
};

class OffsetLoopParts : public layout_test::LayoutTest {};

Points levelLoop(const zone_fixture::Zone& zone, int level) {
  layout_test::Levels levels;
  COffsetBuilder(zone.raw(), zone_fixture::kFirstOffset, zone_fixture::kSpacing).buildLoops(levels.levels);
  return startsOf(*levels[level][0]);
}

TEST_F(OffsetLoopParts, PartsAndNarrowSectionsOfShapesPeopleDraw) {
  const Points caseD{{300, 300},   {1700, 300},  {1700, 950},  {3300, 950},  {3300, 300},  {4700, 300},  {4700, 950},
                     {6300, 950},  {6300, 300},  {7700, 300},  {7700, 1700}, {6300, 1700}, {6300, 1050}, {4700, 1050},
                     {4700, 1700}, {3300, 1700}, {3300, 1050}, {1700, 1050}, {1700, 1700}, {300, 1700}};
  const std::vector<Points> dumbbellNarrows{{{3300, 300}, {3300, 1050}, {1700, 1050}, {1700, 300}},
                                            {{1700, 1700}, {1700, 950}, {3300, 950}, {3300, 1700}}};
  const Points thinArms{{300, 300}, {2300, 300}, {2300, 1900}, {2150, 1900}, {2150, 1300}, {450, 1300}, {450, 1900},
                        {300, 1900}};
  Points thinArmsKinked = thinArms;
  thinArmsKinked.insert(thinArmsKinked.begin() + 5, {1300, 1250});
  struct Case {
    std::string name;
    Points loop;
    std::vector<Points> parts;    // start points
    std::vector<Points> narrows;  // chains
  };
  // clang-format off
  std::vector<Case> cases{
      {"Z3 level 3", levelLoop(zone_fixture::z3U(), 3),
       {{{1050, 700}, {1050, 3300}, {700, 3300}, {700, 700}}, {{4300, 700}, {4300, 3300}, {3950, 3300}, {3950, 700}}},
       {{{1050, 700}, {4300, 700}}, {{3950, 700}, {3950, 800}, {1050, 800}, {1050, 700}}}},
      {"Z5 (700) level 1", levelLoop(zone_fixture::z5Dumbbell(700), 1),
       {{{1700, 300}, {1700, 1700}, {300, 1700}, {300, 300}}, {{3300, 1700}, {3300, 300}, {4700, 300}, {4700, 1700}}},
       dumbbellNarrows},
      // The bar's two arms and its bottom are one narrow loop section,
      // wherever the loop starts (once two, cut where it started).
      {"case C", {{300, 300}, {4700, 300}, {4700, 400}, {3200, 400}, {3200, 2400}, {1800, 2400}, {1800, 400}, {300, 400}},
       {{{3200, 300}, {3200, 2400}, {1800, 2400}, {1800, 300}}},
       {{{1800, 300}, {1800, 400}, {300, 400}, {300, 300}, {4700, 300}, {4700, 400}, {3200, 400}, {3200, 300}}}},
      {"case D, three rooms", caseD,
       {{{1700, 300}, {1700, 1700}, {300, 1700}, {300, 300}},
        {{3300, 1700}, {3300, 300}, {4700, 300}, {4700, 950}, {6300, 950}, {6300, 300}, {7700, 300}, {7700, 1700},
         {6300, 1700}, {6300, 1050}, {4700, 1050}, {4700, 1700}}},
       dumbbellNarrows},
      // Arms 150 wide and 600 long above a room 2000 x 1000: no run closes
      // the chain of the arms' outer sides, and both face the notch's
      // bottom: the room is closed across it, the arms left narrow.
      {"thin arms", thinArms,
       {{{300, 1300}, {300, 300}, {2300, 300}, {2300, 1300}}},
       {{{2300, 1300}, {2300, 1900}, {2150, 1900}, {2150, 1300}, {450, 1300}, {450, 1900}, {300, 1900}, {300, 1300}}}},
      // The same with the notch's bottom in two sections, each facing one
      // arm: the chain of runs closes at the west arm, whose outer side
      // starts across from the notch's end, not at the arm's top.
      {"thin arms, notch bottom in two", thinArmsKinked,
       {{{300, 1300}, {300, 300}, {2300, 300}, {2300, 1300}, {2150, 1300}, {1300, 1250}, {450, 1300}}},
       {{{2300, 1300}, {2300, 1900}, {2150, 1900}, {2150, 1300}}, {{450, 1300}, {450, 1900}, {300, 1900}, {300, 1300}}}},
      // A 56 degree corner cut by a short section (as the offset of a
      // round wall or a tip cut leaves it): the sections either side come
      // within s at the cut, but their legs draw apart: no neck (the part
      // was once closed straight across the room from the cut).
      {"cut corner", {{1349, 0}, {4000, 0}, {4000, 2000}, {100, 2000}, {129, 1809}},
       {{{1349, 0}, {4000, 0}, {4000, 2000}, {100, 2000}, {129, 1809}}}, {}},
      // A wall bowed in between two straight ones (the offset of a round
      // wall as polygon sides 230 long), meeting them at 56 degrees over a
      // short section: the far end of each end side lies 193 from the
      // straight wall, but the legs draw apart beyond it: no neck at
      // either corner (the corners' tips were once closed into parts and
      // the rest of the room left narrow).
      {"bowed wall's acute corners", {{0, 0}, {4000, 0}, {4000, 4000}, {0, 4000}, {0, 3997}, {130, 3807}, {700, 2000},
                                       {130, 193}, {0, 3}},
       {{{0, 0}, {4000, 0}, {4000, 4000}, {0, 4000}, {0, 3997}, {130, 3807}, {700, 2000}, {130, 193}, {0, 3}}}, {}},
      {"1000 x 150", {{0, 0}, {1000, 0}, {1000, 150}, {0, 150}}, {{{0, 0}, {1000, 0}, {1000, 150}, {0, 150}}}, {}},
      {"1000 x 120", {{0, 0}, {1000, 0}, {1000, 120}, {0, 120}}, {}, {{{0, 0}, {1000, 0}, {1000, 120}, {0, 120}, {0, 0}}}},
      // Between 2/3 s and 0.666667 s: still short.
      {"1000 x 133.33335", {{0, 0}, {1000, 0}, {1000, 133.33335}, {0, 133.33335}}, {},
       {{{0, 0}, {1000, 0}, {1000, 133.33335}, {0, 133.33335}, {0, 0}}}},
  };
  // clang-format on
  for (int k = 0; k < 7; ++k) {  // the rectangle: a copy of every level
    const Points level = levelLoop(zone_fixture::z1Rectangle(), k);
    cases.push_back({"Z1 level " + std::to_string(k), level, {level}, {}});
  }
  struct Variant {
    const char* name;
    int unit;
    double scale, shift;
  };
  for (const Variant v :
       {Variant{"mm", 1000, 1.0, 0.0}, Variant{"far", 1000, 1.0, 1e7}, Variant{"metres", 1, 1e-3, 0.0}}) {
    const meander_test::UnitScope unit(v.unit);
    auto place = [&](Points points) {
      for (XtGePoint2d& p : points) p = XtGePoint2d(p.x * v.scale + v.shift, p.y * v.scale + v.shift);
      return points;
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name + ", " + v.name);
      const auto loop = polygonLoop(place(c.loop));
      Split split;
      splitOffsetLoop(*loop, 200 * v.scale, split.parts, split.narrows);
      EXPECT_TRUE(soundSplit(*loop, split.parts, split.narrows, 200 * v.scale));
      ASSERT_EQ(split.parts.size(), c.parts.size());
      for (std::size_t i = 0; i < c.parts.size(); ++i)
        EXPECT_TRUE(samePoints(startsOf(*split.parts[i]), place(c.parts[i])));
      ASSERT_EQ(split.narrows.size(), c.narrows.size());
      for (std::size_t i = 0; i < c.narrows.size(); ++i)
        EXPECT_TRUE(samePoints(chainOf(*split.narrows[i]), place(c.narrows[i])));
    }
  }
}

// The narrow loop sections of a loop are the same wherever the loop starts
// (the tessellator starts a level's loop wherever its sweep left it, and a
// narrow section that ran round the walk's start came out cut in two, with
// the detours reaching other stretches: a hall's layout changed on 1e-8 of
// noise), and a side that two parts shorten at its two ends (the U's
// level 3) stands to them the same way whichever part came first.
TEST_F(OffsetLoopParts, NarrowSectionsDoNotDependOnTheLoopsStart) {
  const Points caseC{{300, 300}, {4700, 300}, {4700, 400}, {3200, 400}, {3200, 2400}, {1800, 2400}, {1800, 400}, {300, 400}};
  const Points thinArmsKinked{{300, 300},   {2300, 300},  {2300, 1900}, {2150, 1900}, {2150, 1300},
                              {1300, 1250}, {450, 1300},  {450, 1900},  {300, 1900}};
  // Each narrow loop section as its points from the lowest-leftmost, sorted.
  const auto narrowsOf = [](const Points& loopPoints) {
    const auto loop = polygonLoop(loopPoints);
    Split split;
    splitOffsetLoop(*loop, 200, split.parts, split.narrows);
    std::vector<std::vector<std::pair<long long, long long>>> out;
    for (const COffsetNarrowLoopSection* narrow : split.narrows) {
      auto& v = out.emplace_back();
      for (const XtGePoint2d& p : chainOf(*narrow)) v.emplace_back(std::llround(p.x * 1e3), std::llround(p.y * 1e3));
      std::sort(v.begin(), v.end());
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  for (const Points& shape : {levelLoop(zone_fixture::z3U(), 3), caseC, thinArmsKinked}) {
    const auto expected = narrowsOf(shape);
    ASSERT_FALSE(expected.empty());
    for (std::size_t r = 1; r < shape.size(); ++r) {
      Points rotated = shape;
      std::rotate(rotated.begin(), rotated.begin() + static_cast<std::ptrdiff_t>(r), rotated.end());
      EXPECT_EQ(narrowsOf(rotated), expected) << "started at vertex " << r << " of " << shape.size();
    }
  }
}

TEST_F(OffsetLoopParts, GapClosing) {
  // Each loop closes into the square (0,0)-(1000,1000) from (0,0).
  using Lines = std::vector<std::pair<XtGePoint2d, XtGePoint2d>>;
  // clang-format off
  for (const Lines& lines : std::vector<Lines>{
           // a last section from the first one's start goes, the first keeps its start
           {{{0, 0}, {1000, 0}}, {{1000, 0}, {1000, 1000}}, {{1000, 1000}, {0, 1000}}, {{0, 1000}, {0, 0}}, {{0, 0}, {50, -50}}},
           // mid-side vertices merge, a section of no length goes
           {{{0, 0}, {500, 0}}, {{500, 0}, {1000, 0}}, {{1000, 0}, {1000, 0}}, {{1000, 0}, {1000, 1000}},
            {{1000, 1000}, {0, 1000}}, {{0, 1000}, {0, 0}}},
           // of two sections from one point the shorter goes; gaps close forward and at the end
           {{{0, 0}, {1000, 0}}, {{1000, 0}, {1000, 300}}, {{1000, 0}, {1000, 990}}, {{1000, 1000}, {0, 1000}}, {{0, 1000}, {0, 10}}},
       }) {  // clang-format on
    COffsetLoop loop;
    for (const auto& [a, b] : lines)
      loop.appendSection(makeSection(std::make_unique<CFloorHeatingLine>(a, b, nullptr, 2)));
    EXPECT_TRUE(closeLoopGaps(loop));
    EXPECT_TRUE(samePoints(chainOf(loop), {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}}));
  }
  const auto two = polygonLoop({{0, 0}, {10, 0}});
  EXPECT_FALSE(closeLoopGaps(*two));
}

TEST_F(OffsetLoopParts, WhatGapClosingLeavesTooSmallIsNoPart) {
  Split flat;  // a triangle flattened onto a line: two sections left
  splitOffsetLoop(*polygonLoop({{0, 0}, {1000, 0}, {2000, 0}}), 200, flat.parts, flat.narrows);
  EXPECT_TRUE(flat.parts.empty());
  ASSERT_EQ(flat.narrows.size(), 1u);
  EXPECT_EQ(flat.narrows[0]->sectionCount(), 2);
  Split point;  // every section of no length
  splitOffsetLoop(*polygonLoop({{5, 5}, {5, 5}, {5, 5}}), 200, point.parts, point.narrows);
  EXPECT_TRUE(point.parts.empty() && point.narrows.empty());
}

TEST_F(OffsetLoopParts, CopiesLeaveTheNodesWithTheOriginal) {
  auto loop = polygonLoop({{0, 0}, {1000, 0}, {1000, 1000}});
  const graph_test::NodePtr node = graph_test::nodeOn(*loop, {500, 0});
  const auto copy = copyOffsetSection(*loop->section(0));
  EXPECT_TRUE(copy->nodes.empty());
  EXPECT_EQ(node->links(), std::vector<CLoopElement*>{loop->section(0)});
  EXPECT_EQ(loop->section(0)->nodes, std::vector<COffsetNode*>{node.get()});
  const OffsetLevelPtr level = copyOffsetLevel({loop.get(), nullptr});
  ASSERT_EQ(level->size(), 1u);
  EXPECT_TRUE(samePoints(startsOf(*(*level)[0]), startsOf(*loop)));
}

TEST_F(OffsetLoopParts, SectionJoinExamples) {
  struct Case {
    XtGePoint2d b0, b1;
    int code;
    XtGePoint2d carried;
    int answer;
    Points part;  // chain after the join
  };
  for (const Case& c : std::vector<Case>{
           {{1200, 0}, {2000, 0}, 3, {}, 16, {{0, 0}, {2000, 0}}},
           {{1200, 0}, {2000, 0}, 2, {}, 16, {{0, 0}, {2000, 0}}},
           {{1000, 200}, {1000, 1000}, 3, {}, 32, {{0, 0}, {1000, 0}, {1000, 1000}}},
           {{500, 200}, {500, 1000}, 3, {}, 32, {{0, 0}, {500, 0}, {500, 1000}}},
           {{500, 200}, {500, 1000}, 2, {}, 32, {{0, 0}, {500, 0}, {500, 1000}}},  // the stand-in is cut too
           {{1200, 0}, {1200, 800}, 3, {}, 0, {{0, 0}, {1200, 0}, {1200, 800}}},
           {{1200, 300}, {2000, 300}, 3, {}, 0, {{0, 0}, {1000, 0}, {1200, 300}, {2000, 300}}},
           {{1200, 300}, {2000, 300}, 1, {}, 0, {{0, 0}, {1000, 0}, {1200, 300}}},
           {{1000, 200}, {1000, 1000}, 7, {-200, 0}, 32, {{-200, 0}, {1000, 0}, {1000, 1000}}},
       }) {
    COffsetLoop loop;
    loop.appendSection(
        makeSection(std::make_unique<CFloorHeatingLine>(XtGePoint2d(0, 0), XtGePoint2d(1000, 0), nullptr, 2)));
    loop.appendSection(makeSection(std::make_unique<CFloorHeatingLine>(c.b0, c.b1, nullptr, 2)));
    LoopPartTable table(2);
    COffsetLoop part;
    if ((c.code & kJoinPlaceA) == 0) part.appendSection(copyOffsetSection(*loop.section(0)).release());
    XtGePoint2d carried = c.carried;
    int code = c.code;
    joinSections(loop, 0, 1, part, table, code, carried);
    EXPECT_EQ(code, c.answer) << c.code << " (" << c.b0.x << "," << c.b0.y << ")";
    EXPECT_TRUE(samePoints(chainOf(part), c.part)) << c.code << " (" << c.b0.x << "," << c.b0.y << ")";
    EXPECT_TRUE(table[0].visited && table[1].visited);
  }
}

TEST_F(OffsetLoopParts, ChainedRunsPlaceEverySectionOnce) {
  // Runs long, single, single, long; the first join draws the single
  // section back along its line (32), the second trims the next one's start.
  const auto loop = polygonLoop({{0, 1000}, {0, 0}, {1000, 0}, {1000, 200}, {1000, 1000}, {900, 1200}, {1800, 1200},
                                 {2000, 1300}, {2000, 2500}, {0, 2500}});
  LoopPartTable table(10);
  COffsetLoop part;
  ASSERT_TRUE(joinRunsIntoPart(*loop, {{0, 1}, {3, 3}, {5, 5}, {7, 8}}, table, part));
  const Points chain{{0, 2500}, {0, 0}, {1000, 0}, {1000, 1200}, {1800, 1200}, {2000, 1300}, {2000, 2500}, {0, 2500}};
  EXPECT_TRUE(samePoints(chainOf(part), chain));
  EXPECT_FALSE(joinRunsIntoPart(*loop, {{0, 10}}, table, part));
}

// Thin arms whose sides face nothing (the table's facing cleared): no run
// closes the chain from the west arm's outer side to the east one's, and
// the part it would make, closed straight across the notch, leaves the
// loop: none is made.
TEST_F(OffsetLoopParts, APartLeavingTheLoopIsNotMade) {
  const auto loop = polygonLoop({{300, 300}, {2300, 300}, {2300, 1900}, {2150, 1900}, {2150, 1300}, {450, 1300},
                                 {450, 1900}, {300, 1900}});
  LoopPartTable table;
  ASSERT_TRUE(fillLoopPartTable(*loop, 200, table));
  for (LoopPartRecord& r : table) {
    r.facing.clear();
    r.flags &= ~kPartFaced;
  }
  std::vector<COffsetLoop*> parts;
  formLoopParts(*loop, 200, table, parts);
  EXPECT_TRUE(parts.empty());
  deleteOffsetLoopsAndFree(parts);
}

TEST_F(OffsetLoopParts, RunWalksThatComeRoundMakeNoPart) {
  const auto loop = polygonLoop({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {-500, 500}});
  LoopPartTable table(5);
  for (LoopPartRecord& r : table) r.flags = kPartEndNear;
  std::vector<COffsetLoop*> parts;
  formLoopParts(*loop, 200, table, parts);
  EXPECT_TRUE(parts.empty());
}

}  // namespace
