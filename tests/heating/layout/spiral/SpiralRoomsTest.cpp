// The double spiral in rooms people draw that once went wrong, judged by the
// layout checker, each as drawn, turned and far from the origin, and run
// the other way round: a U room whose third level has arms narrower than a
// spacing (the supply jumped across the notch), corridors square only to
// within micrometres or slanted at one end (supply and return on top of
// each other at the centre's zigzag), and a narrow corridor with a sharp
// corner (a stub at the entry), a small room whose inner level is
// narrower than a spacing (a corner left bare), a U room whose arm holds a
// lobe narrower than a spacing (its sub-area's leads side by side), a room
// about two and a half spacings deep (a third of it left bare), and rooms
// whose pipe ends lie beside a slanted corner (judged with the checker's
// pipe-ends allowance), and corridors within a few hundredths of a
// millimetre of 2 (d0 + s) wide (two runs or four, as the noise fell). The
// pipe ends and the first offsets are those the design command gives these
// rooms.
#include "SpiralZones.h"

#include "heating/layout/checks/LaidPipeLength.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>

namespace {

using meander_test::UnitScope;
using spiral_zone::Laid;
using zone_set::ZoneCase;
using Points = std::vector<XtGePoint2d>;

struct Room {
  const char* name;
  Points outline;
  XtGePoint2d start;
  XtGePoint2d end;
  double spacing;
  // The least in-zone length against the heated area's (A + P (s/2 - d0)) / s.
  double lengthLow = 0.9;
  bool coverage = true;
};

constexpr double kFirstOffset = 163.1784474545857;  // R = 2.3 / M of these rooms

// The noisy corridor's corners, moved so that the manifold's pipe ends near
// the origin, as the design command's work frame has them.
Points noisyCorridor() {
  const XtGeVector2d work(-6626.958130474184, -3125.0106820203678);
  Points p{{10999.399425977597, 3125.0019108905935}, {10999.401761774623, 4289.405544456722},
           {5099.291849460695, 4289.417380094121}, {5099.289513663667, 3125.0137465279927}};
  for (XtGePoint2d& q : p) q = q + work;
  return p;
}

std::vector<Room> rooms() {
  return {
      {"U room", {{0, 0}, {3180, 0}, {3180, 3390}, {2090, 3390}, {2090, 1860}, {1055, 1860}, {1055, 3390}, {0, 3390}},
       {400, 0}, {200, 0}, 110},
      {"noisy corridor", noisyCorridor(), {75, -0.00015}, {-75, 0.00015}, 258},
      // The bottom 100 longer than the top: the zigzag's side holds a run end.
      {"slanted-end corridor", {{-100, 0}, {5900, 0}, {5900, 1164}, {0, 1164}}, {1602.67, 0}, {1452.67, 0}, 258},
      {"corridor 1.22", {{0, 0}, {6000, 0}, {6000, 1220}, {0, 1220}}, {1600, 0}, {1400, 0}, 260},
      // The sharp corner's tip, narrower than 2 d0 + s, holds no pipe.
      {"sharp corridor", {{603, 0}, {0, 0}, {0, 7507}, {603, 5297}}, {435, 0}, {235, 0}, 200, 0.75, false},
      // Level 1 is 441 x 139, narrower than s everywhere: laid as a level,
      // the supply stepped onto it halfway along level 0 and a corner of
      // the room some 400 x 300 stayed bare.
      {"thin innermost level", {{0, 0}, {1341, 0}, {1341, 1039}, {0, 1039}}, {924.5, 0}, {713.5, 0}, 287, 0.8},
      // Level 2 falls apart into the arms' lobes; the left arm's, 232 wide,
      // was laid as a sub-area whose lead-in and lead-out ran 0.85 s apart.
      {"U room with a thin lobe",
       {{0, 0}, {4700, 0}, {4700, 5000}, {2700, 5000}, {2700, 1300}, {1690, 1300}, {1690, 5000}, {0, 5000}},
       {3600, 0}, {3400, 0}, 283},
      // Level 1 is 283 x 146, too long to be all neck: the out-run's bridge
      // took it at its far corner and the centre's join closed the short
      // way round it, so that three of its sides and a corner of level 0
      // some 200 x 300 stayed bare (0.69 of the heated length).
      {"two and a half spacings deep", {{0, 0}, {959, 0}, {959, 822}, {0, 822}}, {253, 0}, {453, 0}, 175, 0.85},
      // The pipe ends 0.1 apart beside the first loop's corner of 76
      // degrees: the run that turns it comes back 0.9 s from the other end.
      {"ends beside a slanted corner", {{0, 0}, {3000, 0}, {2500, 2000}, {0, 2000}}, {2640, 0}, {2740, 0}, 290},
      {"ends beside a slanted corner, the other way", {{0, 0}, {3000, 0}, {2500, 2000}, {0, 2000}}, {2740, 0},
       {2640, 0}, 290},
  };
}

// The room turned by `degrees` about the origin and moved by (far, far),
// its outline the other way round when `reversed`.
ZoneCase placed(const Room& room, double degrees, double far, bool reversed) {
  const double a = degrees * std::numbers::pi / 180.0;
  auto place = [&](XtGePoint2d p) { return p.rotateBy(a) + XtGeVector2d(far, far); };
  Points outline;
  for (const XtGePoint2d& p : room.outline) outline.push_back(place(p));
  if (reversed) std::reverse(outline.begin(), outline.end());
  ZoneCase c = zone_set::make(zone_fixture::polygon(room.name, outline), 0, place(room.start), place(room.end));
  c.firstOffset = kFirstOffset;
  c.spacing = room.spacing;
  return c;
}

// (A + P (s/2 - d0)) / s of the polygon: the length a spiral at s lays over
// the area inside d0 from its walls.
double heatedLength(const Points& outline, double s, double d0) {
  double twiceArea = 0.0;
  double perimeter = 0.0;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const XtGePoint2d& p = outline[i];
    const XtGePoint2d& q = outline[(i + 1) % outline.size()];
    twiceArea += p.x * q.y - q.x * p.y;
    perimeter += p.distanceTo(q);
  }
  return (0.5 * std::fabs(twiceArea) + perimeter * (0.5 * s - d0)) / s;
}

struct Variant {
  const char* name;
  double degrees;
  double far;
  bool reversed;
};

TEST(SpiralRooms, PassTheChecker) {
  const UnitScope units(1000);
  for (const Room& room : rooms()) {
    for (const Variant& v : {Variant{"", 0, 0, false}, Variant{" turned far", 146.43, 6.9e6, false},
                             Variant{" reversed", 0, 0, true}, Variant{" turned far reversed", 243.49, 6.9e6, true}}) {
      const std::string name = std::string(room.name) + v.name;
      const Laid laid(placed(room, v.degrees, v.far, v.reversed));
      ASSERT_TRUE(laid.ok) << name << ": " << layoutOutcomeName(laid.layout().outcome);
      EXPECT_EQ(laid.layout().outcome, LayoutOutcome::kLaid) << name;
      ASSERT_TRUE(laid.path.faults.empty()) << name << ": " << laid.path.faults.front();
      EXPECT_EQ(laid.path.edgesOffPath, 0) << name;
      // The length is judged below against the heated area, not the outline's.
      const layout_check::Report r = laid.check({0.0, 100.0, 1.3, room.coverage});
      EXPECT_TRUE(r.sound() && (!room.coverage || r.coverage.ok)) << name << "\n" << r.summary();
      const double ratio = r.inZoneLength / heatedLength(room.outline, room.spacing, kFirstOffset);
      EXPECT_TRUE(ratio >= room.lengthLow && ratio <= 1.1) << name << ": length ratio " << ratio;
      EXPECT_FALSE(laysOnlyStub(laid.layout())) << name;
      std::cout << name << ": length " << r.inZoneLength << " (heated ratio " << ratio << "), coverage "
                << r.coverage.value << "\n";
    }
  }
}

// Square to within micrometres lays as square: the noisy corridor's length
// is the exact corridor's.
TEST(SpiralRooms, NoisyCorridorLaysAsTheExactOne) {
  const UnitScope units(1000);
  Room exact = rooms()[1];
  exact.outline = {{-1527.67, -0.01}, {4372.44, -0.01}, {4372.44, 1164.4}, {-1527.67, 1164.4}};
  const Laid noisy(placed(rooms()[1], 0, 0, false));
  const Laid square(placed(exact, 0, 0, false));
  ASSERT_TRUE(noisy.ok && square.ok);
  EXPECT_NEAR(noisy.check().inZoneLength, square.check().inZoneLength, 0.02 * square.check().inZoneLength);
}

// The sharp corner's tip is cut off s across: the prepared first loop turns
// by less than 120 degrees everywhere, and the cut is one spacing long.
TEST(SpiralRooms, SharpTipsAreCutOneSpacingAcross) {
  const UnitScope units(1000);
  const Laid laid(placed(rooms()[4], 0, 0, false));
  ASSERT_TRUE(laid.ok);
  const COffsetLoop& first = *laid.layout().firstOffsetLoop();
  int cuts = 0;
  for (int i = 0; i < first.sectionCount(); ++i) {
    const CFloorHeatingCurve& a = *first.section(i)->curve;
    const CFloorHeatingCurve& b = *first.section(first.nextIndex(i))->curve;
    const XtGeVector2d back = a.startPoint() - a.endPoint();
    const XtGeVector2d on = b.endPoint() - b.startPoint();
    EXPECT_LE(back.dotProduct(on) / (back.length() * on.length()), 0.5 + 1e-9) << i;
    if (a.tag() == 12) {
      ++cuts;
      EXPECT_NEAR(a.length(), 200.0, 1e-6);
    }
  }
  EXPECT_EQ(cuts, 1);
}

// The short thin inner level holds no run of its own: it is set apart for
// the detours, and the loop along the walls goes all the way round.
TEST(SpiralRooms, AThinInnermostLevelIsLeftToTheDetours) {
  const UnitScope units(1000);
  const Room room = rooms()[5];
  const Laid laid(placed(room, 0, 0, false));
  ASSERT_TRUE(laid.ok);
  EXPECT_EQ(laid.layout().levels.size(), 1u);
  const layout_check::Report r = laid.check({0.0, 100.0, 1.3, true});
  EXPECT_TRUE(r.sound() && r.coverage.ok) << r.summary();
  // The corner the early step left bare (nearest pipe 289 away) is laid.
  double nearest = 1e300;
  for (const layout_check::Piece& piece : laid.path.pieces) nearest = std::min(nearest, piece.distanceTo({250, 800}));
  EXPECT_LT(nearest, 0.5 * room.spacing);
  // A long strip as thin stays a level: the runs beside it reach it.
  Room strip = room;
  strip.outline = {{0, 0}, {3500, 0}, {3500, 1039}, {0, 1039}};
  const Laid long_(placed(strip, 0, 0, false));
  ASSERT_TRUE(long_.ok);
  EXPECT_EQ(long_.layout().levels.size(), 2u);
  EXPECT_TRUE(long_.check({0.0, 100.0, 1.3, false}).sound());
}

// Beside the pipe ends the checker lets the pipe come down to s/2 (the
// run that turns a corner right after its lead comes back beside the other
// end), and only there: the rooms whose ends lie beside a slanted corner
// use that allowance, at 0.9 s.
TEST(SpiralRooms, PipeEndsBesideACornerComeBackNoNearerThanHalfASpacing) {
  const UnitScope units(1000);
  for (const std::size_t i : {8u, 9u}) {
    const Room room = rooms()[i];
    const Laid laid(placed(room, 0, 0, false));
    ASSERT_TRUE(laid.ok) << room.name;
    const layout_check::Report r = laid.check({0.0, 100.0, 1.3, false});
    EXPECT_TRUE(r.sound()) << room.name << "\n" << r.summary();
    const auto ends = std::find_if(r.located.begin(), r.located.end(), [](const layout_check::Finding& f) {
      return f.text.rfind("pipe ends", 0) == 0;
    });
    ASSERT_NE(ends, r.located.end()) << room.name;
    EXPECT_GE(ends->value, 0.5 * room.spacing) << room.name;
    EXPECT_LT(ends->value, 0.99 * room.spacing) << room.name;
    EXPECT_LT(std::hypot(ends->at.x - 2690, ends->at.y), 1.5 * room.spacing) << room.name;
  }
}

// A corridor 400 wide has no room for a loop (2 d0 + s is 526): what is
// laid is a stub, which counts as no laid pipe. The stub's length is its
// graph's.
TEST(SpiralRooms, AStubIsNoLaidPipe) {
  const UnitScope units(1000);
  Room narrow = rooms()[4];
  narrow.outline = {{400, 0}, {0, 0}, {0, 7507}, {400, 5297}};
  narrow.start = {300, 0};
  narrow.end = {100, 0};
  const Laid stub(placed(narrow, 0, 0, false));
  ASSERT_TRUE(stub.ok);
  EXPECT_NEAR(laidPipeLength(stub.layout()), stub.check().pipeLength, 1e-6);
  EXPECT_TRUE(laysOnlyStub(stub.layout()));
  const Laid loop(placed(rooms()[4], 0, 0, false));
  ASSERT_TRUE(loop.ok);
  EXPECT_NEAR(laidPipeLength(loop.layout()), loop.check().pipeLength, 1e-6);
  EXPECT_FALSE(laysOnlyStub(loop.layout()));
  CFHCircuitLayout empty(100.0, 200.0, 0.0);
  EXPECT_FALSE(laysOnlyStub(empty));
  EXPECT_EQ(laidPipeLength(empty), 0.0);
}

// A corridor 2 (d0 + s) wide has a level 1 of no width: two runs across.
// Within a few hundredths of a millimetre of that width, on either side,
// as drawn and turned far from the origin, it lays the same runs: a level
// 0.05 wide laid a middle run (four runs across, 40 % more pipe).
TEST(SpiralRooms, CorridorsTwoSpacingsDeepLayAlikeWithinASliver) {
  const UnitScope units(1000);
  const double s = 200.0;
  const double knife = 2.0 * (kFirstOffset + s);
  const double length = 5000.0;
  for (const Variant& v : {Variant{"", 0, 0, false}, Variant{" turned far", 146.43, 6.9e6, true}}) {
    int runsAtKnife = -1;
    double pipeAtKnife = 0.0;
    for (const double delta : {0.0, -0.05, -0.001, 0.001, 0.05}) {
      const std::string name = "width 2 (d0 + s) + " + std::to_string(delta) + v.name;
      const Room room{"corridor", {{0, 0}, {length, 0}, {length, knife + delta}, {0, knife + delta}},
                      {1600, 0},  {1400, 0},
                      s,          0.8};
      const Laid laid(placed(room, v.degrees, v.far, v.reversed));
      ASSERT_TRUE(laid.ok) << name;
      ASSERT_TRUE(laid.path.faults.empty()) << name << ": " << laid.path.faults.front();
      const layout_check::Report r = laid.check({0.0, 100.0, 1.3, false});
      EXPECT_TRUE(r.sound()) << name << "\n" << r.summary();
      // Two runs on each offset level the layout takes.
      const int runs = 2 * static_cast<int>(laid.layout().levels.size());
      if (runsAtKnife < 0) {
        runsAtKnife = runs;
        pipeAtKnife = r.pipeLength;
        EXPECT_EQ(runs, 2) << name;
        continue;
      }
      EXPECT_EQ(runs, runsAtKnife) << name;
      EXPECT_NEAR(r.pipeLength, pipeAtKnife, 5.0) << name;
    }
  }
}

}  // namespace
