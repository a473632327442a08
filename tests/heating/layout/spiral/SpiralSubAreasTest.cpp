// The spiral's sub-areas: where each lobe is linked into the main in-run's
// loop, the order they are threaded in, the lobes left out, and who owns
// their loops and nodes afterwards.
#include "SpiralTestSupport.h"
#include "SpiralZones.h"

#include "heating/layout/spiral/CFHSubLayoutLink.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/spiral/SpiralRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using meander_test::UnitScope;
using spiral_test::Point;

// The main loop L (0,0)-(3000,2000) moved by `shift`, the in-run end at
// (600,0) and the out-run end at (400,0), and one sub-area (spacing 200,
// orientation given) per lobe rectangle, in the order given.
struct Scene {
  Scene(const std::vector<std::array<double, 4>>& lobes, const Point& shift) {
    main = spiral_test::recordWith({spiral_test::rectangle(shift.x, shift.y, shift.x + 3000, shift.y + 2000)});
    l = spiral_test::loopAt(*main, 0);
    in = spiral_test::nodeAt(*main, l, shift + XtGeVector2d(600, 0));
    out = spiral_test::nodeAt(*main, l, shift + XtGeVector2d(400, 0));
    for (const auto& b : lobes) {
      auto sub = spiral_test::recordWith({spiral_test::rectangle(shift.x + b[0], shift.y + b[1], shift.x + b[2],
                                                                  shift.y + b[3])});
      sub->orientationGiven = sub->orientation = 1;
      main->subAreas.push_back(sub.release());
    }
  }
  // The node an edge of L leads to from the node at `from`.
  const COffsetNode* after(const Point& from) const {
    for (const COffsetEdge* e : main->edges)
      if (e->a->point.isEqualTo(from, workTol) && e->b->owner == l) return e->b;
    return nullptr;
  }
  std::unique_ptr<CFHCircuitLayout> main;
  COffsetLoop* l;
  COffsetNode* in;
  COffsetNode* out;
};

// Three lobes: one by the top (listed first), one by the right side and one
// whose probes meet L only within one spacing of the out-run end. The two
// are threaded in the order their entries follow the in-run end along L,
// the third is left out; the in-run end becomes the out-run end.
TEST(SpiralSubAreas, ThreadedInOrderAlongTheLoop) {
  const UnitScope units(1000);
  Scene scene({{1000, 1600, 1400, 1800}, {2600, 800, 2800, 1200}, {320, 200, 380, 260}}, Point(0, 0));
  COffsetNode* in = scene.in;
  COffsetNode* out = scene.out;
  bool leftOut = false;
  scene.main->layoutSubAreas(in, out, true, leftOut);
  EXPECT_TRUE(leftOut);
  EXPECT_EQ(in, out);
  EXPECT_TRUE(scene.main->subAreas.empty());
  const Point order[] = {{600, 0}, {3000, 1000}};  // in-run end -> entry of the right lobe
  const COffsetNode* entry = scene.after(order[0]);
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->point.isEqualTo(order[1], workTol));
  const COffsetNode* next = scene.after(Point(3000, 1200));  // its exit -> the top lobe's entry
  ASSERT_NE(next, nullptr);
  EXPECT_TRUE(next->point.isEqualTo(Point(1200, 2000), workTol));
  EXPECT_EQ(scene.after(Point(1000, 2000)), scene.out);  // the top lobe's exit -> the out-run end
}

// A lobe whose probe meets L just past a corner: the entry is the corner and
// the exit one spacing further along L; moved so that the entry lies on the
// origin, the link is placed just the same.
TEST(SpiralSubAreas, EntryAtTheCornerAndAtTheOrigin) {
  const UnitScope units(1000);
  for (const Point shift : {Point(0, 0), Point(-3000, 0)}) {
    Scene scene({{2600, 20, 2750, 100}}, shift);
    const CFHSubLayoutLink link(*scene.in, *scene.out, scene.main->subAreas.front(), true);
    ASSERT_TRUE(link.usable);
    EXPECT_TRUE(link.entryPoint.isEqualTo(Point(3000, 0) + XtGeVector2d(shift.x, shift.y), workTol));
    EXPECT_TRUE(link.exitPoint.isEqualTo(Point(3000, 200) + XtGeVector2d(shift.x, shift.y), workTol));
  }
}

// The sub-area of a lobe polygon (spacing 200, orientation given).
std::unique_ptr<CFHCircuitLayout> lobeRecord(const std::vector<Point>& lobe) {
  auto sub = spiral_test::recordWith({graph_test::polygonLoop(lobe).release()});
  sub->orientationGiven = sub->orientation = 1;
  return sub;
}

// A lobe whose corner beside L is acute (72 degrees, as where a bowed wall
// meets a straight one): its lead-out leaves L slanted, and the entry one
// spacing back along L would lie 190 from it. The entry moves back along L
// until it lies s from the lead-out; the exit stays where the probe met L.
TEST(SpiralSubAreas, TheEntryKeepsClearOfASlantedLeadOut) {
  const UnitScope units(1000);
  Scene scene({}, Point(0, 0));
  const auto sub = lobeRecord({{2000, 400}, {2800, 400}, {2800, 1000}, {2000, 740}});
  const CFHSubLayoutLink link(*scene.in, *scene.out, sub.get(), true);
  ASSERT_TRUE(link.usable);
  const Point corner(2800, 1000);
  const XtGeVector2d out = corner - link.exitPoint;
  EXPECT_NEAR(link.exitPoint.x, 3000.0, 1e-6);
  EXPECT_NEAR(link.entryPoint.x, 3000.0, 1e-6);
  EXPECT_LT(link.entryPoint.y, link.exitPoint.y - 200.0);
  // The entry's distance to the lead-out's line (the foot lies on it).
  const double across = std::fabs(out.x * (link.entryPoint.y - corner.y) - out.y * (link.entryPoint.x - corner.x));
  EXPECT_NEAR(across / out.length(), 200.0, 0.5);
}

// The distance from p to the segment a-b.
double toSegment(const Point& p, const Point& a, const Point& b) {
  const XtGeVector2d ab = b - a;
  const double t = std::clamp((p - a).dotProduct(ab) / ab.dotProduct(ab), 0.0, 1.0);
  return p.distanceTo(a + ab * t);
}

// A lobe whose top side rises 40 degrees to its corner at (2800, 1000): the
// probe meets L's right side 170 above the corner, so the lead-out, and the
// lead-in parallel to it from the entry, slant back towards the run that
// comes up L to the entry. Beyond the first 2 s of pipe round the entry the
// lead-in keeps s from that run (where the link stood before, it came
// nearer than s to it); the entry and the exit move down L together.
TEST(SpiralSubAreas, TheLeadInKeepsClearOfTheRunToTheEntry) {
  const UnitScope units(1000);
  Scene scene({}, Point(0, 0));
  const auto sub = lobeRecord({{2200, 300}, {2800, 300}, {2800, 1000}, {2200, 490}});
  const CFHSubLayoutLink link(*scene.in, *scene.out, sub.get(), true);
  ASSERT_TRUE(link.usable);
  EXPECT_NEAR(link.entryPoint.x, 3000.0, 1e-6);
  EXPECT_NEAR(link.exitPoint.x, 3000.0, 1e-6);
  CLoopPoint nearest;
  ASSERT_TRUE(sub->firstOffsetLoop()->closestPoint(link.exitPoint, nearest, workTol));
  const XtGeVector2d lead = nearest.point - link.exitPoint;
  const XtGeVector2d unit = lead / lead.length();
  for (double u = 25.0; u <= 600.0 && link.entryPoint.y - u >= 0.0; u += 25.0) {
    const double from = std::max(0.0, 400.0 - u);
    if (from >= lead.length()) continue;
    EXPECT_GE(toSegment(link.entryPoint - XtGeVector2d(0, u), link.entryPoint + unit * from, link.entryPoint + lead),
              198.0)
        << "the run " << u << " below the entry";
  }
}

// The lobe above (72 degree corner at (2800, 1000), its probe meeting L's
// right side at y 1065) beside two other loops L. (a) L's right side bends
// by 2 degrees at y 1000, just behind the probe's meeting (as the polygon of
// a round wall does): the entry at that bend would lie 139 from the
// slanted lead-out; a bend so slight sends the leads off on one side, and
// the entry moves back until it lies s from the lead-out. (b) L turns left
// at (3000, 1250), 185 beyond the probe's meeting, and comes back over the
// lobe: the exit and the entry move back along L until the lead-out keeps s
// from L's top.
TEST(SpiralSubAreas, TheLeadsKeepClearOfLBesideTheExit) {
  const UnitScope units(1000);
  const std::vector<Point> lobe = {{2000, 400}, {2800, 400}, {2800, 1000}, {2000, 740}};
  const std::vector<Point> bent = {{0, 0}, {3000, 0}, {3000, 1000}, {3070, 3000}, {0, 3000}};
  const std::vector<Point> turned = {{0, 0}, {3000, 0}, {3000, 1250}, {0, 1250}};
  for (const double shift : {0.0, -2.5e6}) {
    for (const bool turn : {false, true}) {
      auto main = spiral_test::recordWith({graph_test::polygonLoop(graph_test::movedBy(turn ? turned : bent, shift)).release()});
      COffsetLoop* l = spiral_test::loopAt(*main, 0);
      const COffsetNode* in = spiral_test::nodeAt(*main, l, spiral_test::shifted({600, 0}, shift));
      const COffsetNode* out = spiral_test::nodeAt(*main, l, spiral_test::shifted({400, 0}, shift));
      auto sub = spiral_test::recordWith({graph_test::polygonLoop(graph_test::movedBy(lobe, shift)).release()});
      sub->orientationGiven = sub->orientation = 1;
      const CFHSubLayoutLink link(*in, *out, sub.get(), true);
      ASSERT_TRUE(link.usable);
      const Point corner = spiral_test::shifted({2800, 1000}, shift);  // the lobe's nearest point to the exit
      EXPECT_GE(toSegment(link.entryPoint, link.exitPoint, corner), 200.0 - 0.5) << turn;
      EXPECT_NEAR(link.exitPoint.x - shift, turn ? 3000.0 : 3000.0 + 0.035 * (link.exitPoint.y - shift - 1000.0), 1e-6);
      if (!turn) continue;
      EXPECT_LT(link.exitPoint.y - shift, 1065.0);
      for (double x = 3000; x >= 2600; x -= 25)
        EXPECT_GE(toSegment(spiral_test::shifted({x, 1250}, shift), link.exitPoint, corner), 200.0 - 0.5) << x;
    }
  }
}

// The lobes of Z3's legs and of the two rooms, with one lobe's crossing
// check answering a crossing once (it retries) and one lobe made to fail
// (it is left out, its loops deleted): the path still walks from firstEdge
// to lastEdge and passes the checker.
TEST(SpiralSubAreas, OwnershipOfThreadedAndFailedLobes) {
  const UnitScope units(1000);
  for (zone_set::ZoneCase (*make)() : {zone_set::z3, spiral_zone::twoRooms}) {
    int lobes = 0;
    SpiralHooks hooks;
    hooks.crossingCheck = [](const CFHCircuitLayout& l, int attempt, bool crossed) {
      return crossed || (l.orientationGiven != 0 && attempt == 0);
    };
    hooks.beforeSubArea = [&](const CFHCircuitLayout&) { return ++lobes != 2; };
    const SpiralHookScope scope(hooks);
    const spiral_zone::Laid laid(make());
    ASSERT_TRUE(laid.ok);
    EXPECT_GE(lobes, 2);
    EXPECT_EQ(laid.layout().outcome, LayoutOutcome::kRegionsLeftOut);
    EXPECT_TRUE(laid.path.faults.empty()) << laid.path.faults.front();
    EXPECT_EQ(laid.path.edgesOffPath, 0);
    EXPECT_FALSE(laid.layout().handedOverLoops.empty());
    EXPECT_TRUE(laid.check().sound()) << laid.check().summary();
  }
}

// Where a level falls apart beside a level step or in an acute corner, a
// lobe may be a sliver (a mean width of a few millimetres): a spiral of its
// own lays a hairpin whose legs lie a fraction of s apart. Slivers (mean
// width under s/2) go to the narrow list as one narrow section each, their
// records deleted; a lobe of mean width s/2 or more stays, and so does a
// sliver that a node of the path already lies on.
TEST(SpiralSubAreas, ThinLobesAreLeftToTheDetours) {
  const UnitScope units(1000);
  for (const Point shift : {Point(0, 0), Point(-4.2e6, 3.1e6)}) {
    // A 400 x 200 lobe (mean width 133), a 40 x 1000 strip (38), a thin
    // triangle (a sliver of 60 x 150, as a level step leaves: 24), a
    // 200 x 200 square (exactly s/2: stays) and a strip with a node on it.
    Scene scene({{1000, 1600, 1400, 1800}, {2600, 400, 2640, 1400}, {1400, 600, 1600, 800}, {400, 600, 430, 1400}},
                shift);
    auto triangle = spiral_test::recordWith(
        {graph_test::polygonLoop({shift + XtGeVector2d(2000, 300), shift + XtGeVector2d(2060, 300),
                                  shift + XtGeVector2d(2010, 450)})
             .release()});
    scene.main->subAreas.insert(scene.main->subAreas.begin() + 2, triangle.release());
    CFHCircuitLayout* held = scene.main->subAreas.back();
    spiral_test::nodeAt(*scene.main, spiral_test::loopAt(*held, 0), shift + XtGeVector2d(400, 1000));
    const CFHCircuitLayout* kept[] = {scene.main->subAreas[0], scene.main->subAreas[3], held};
    SpiralRun run(*scene.main);
    setApartThinLobes(run);
    ASSERT_EQ(scene.main->subAreas.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(scene.main->subAreas[i], kept[i]);
    ASSERT_EQ(run.narrows.size(), 2u);
    EXPECT_NEAR(run.narrows[0]->length(workTol), 2080.0, 1e-6);  // the strip, in lobe order
    EXPECT_NEAR(run.narrows[1]->length(workTol), 60.0 + std::hypot(50.0, 150.0) + std::hypot(10.0, 150.0), 1e-6);
  }
}

}  // namespace
