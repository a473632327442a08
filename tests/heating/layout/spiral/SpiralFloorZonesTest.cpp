// Double-spiral zones of random floors (hv_random_rooms --floors) whose pipe
// once folded back onto itself, as the design command hands them to the
// layout (work frame, first offset, spacing, pipe ends): the centre's join
// or a level step ran out and back along one line 1 to 90 mm apart (at once
// or over short pieces), turned in a hairpin narrower than the pipe, or
// stepped 2.4 mm back along the piece before. The design named such zones
// by warning 9005 and could not be drawn. Each is judged by the soundness
// rule the drawn pipe must keep (no two points of the pipe within its
// diameter but neighbours along it) and by the layout checker.
#include "SpiralZones.h"

#include "heating/layout/checks/LaidPathPiece.h"
#include "heating/layout/checks/PathSpacingCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using meander_test::UnitScope;
using spiral_zone::Laid;
using zone_fixture::Step;
using zone_set::ZoneCase;

// The pipe's outer diameter the design checks with when the zone gives none.
constexpr double kPipeDiameter = 17.0;
constexpr double kFirstOffset = 163.17844745461633;

struct FloorZone {
  const char* name;
  XtGePoint2d from;
  std::vector<Step> steps;
  XtGePoint2d start, end;
  double firstOffset;
  double spacing;
  // Whether the checker's wall rule is judged here: the first loop along a
  // bowed wall's polygon comes a few millimetres inside d0 beside its corner
  // (the bowed rooms' own tests judge that).
  bool wallKept = true;
};

std::vector<FloorZone> zones() {
  return {
      // A room whose top wall bows in by 418 mm: the centre's join ran 52 mm
      // out and back 2.6 mm beside itself.
      {"seed 41 floor 23 zone 1",
       {-4458, 5894.5},
       {{{-4458, 1455.5}}, {{15, 1455.5}}, {{15, 5894.5}}, {{-4458, 5894.5}, -0.187}},
       {-1852.8144246302741, 1455.5},
       {-1783.1855753697262, 1455.5},
       kFirstOffset,
       168,
       false},
      // A right wall bowing in by 276 mm: two spikes of 65 and 88 mm at the
      // level steps beside the centre.
      {"seed 27 floor 5 zone 1",
       {5095, 9551},
       {{{1386, 9551}}, {{1386, 4879}}, {{5095, 4879}}, {{5095, 9551}, -0.118}},
       {1386, 6862.6528143563519},
       {1386, 6703.347185643649},
       kFirstOffset,
       260},
      // A turned rectangle at s 263: a level step 87 mm out and back.
      {"seed 3 floor 10 zone 2",
       {-343.16696280846827, -3287.2722256662605},
       {{{3082.7044504450805, -5479.0509690279487}},
        {{5490.5805870293461, -1244.0924673578279}},
        {{2278.6681949133435, 810.80115163359505}},
        {{-343.16696280846827, -3287.2722256662605}}},
       {1769.3908621184589, 14.772509999809621},
       {1850.2285339906628, 141.1262626400929},
       131,
       263},
      // A turned quadrilateral at s 198: a run stepping 2.4 mm back.
      {"seed 10 floor 8 zone 4",
       {3721.4129006098956, 3865.7677469262853},
       {{{736.74500893428922, 4427.407824203372}},
        {{19.311691853217781, 1717.7771417032927}},
        {{2947.4142024815083, 942.49868382327259}},
        {{3721.4129006098956, 3865.7677469262853}}},
       {2476.5889004884939, 1067.1598637973698},
       {2422.5493143307162, 1081.4680128013083},
       kFirstOffset,
       198},
      // A turned five-sided room at s 300: the centre's join ran 59 mm out
      // and back 1.2 mm beside itself over two short pieces.
      {"seed 18 floor 70 zone 2",
       {632.40481584804365, 6718.110552744125},
       {{{-1634.6179929220089, 5311.4010644288501}},
        {{440.12032661352714, 1967.7973341026809}},
        {{3969.8102620073623, 4158.0039362247917}},
        {{2313.1831209703523, 6827.7886682921089}},
        {{632.40481584804365, 6718.110552744125}}},
       {-1373.1267013037937, 4889.9873131764971},
       {-1402.6010082796745, 4937.4874734740115},
       kFirstOffset,
       300},
      // A rectangle at s 162, d0 66: the centre turned in a hairpin 15 mm
      // wide, narrower than the pipe.
      {"seed 50 floor 62 zone 1",
       {-2220, 1629},
       {{{843, 1629}}, {{843, 4754}}, {{-2220, 4754}}, {{-2220, 1629}}},
       {60, 1629},
       {260, 1629},
       66,
       162},
  };
}

// Whether two points of the laid pipe that are not neighbours along it come
// within the pipe's diameter (the check that names a zone by 9005).
bool pipeMeetsItself(const std::vector<layout_check::Piece>& path) {
  std::vector<LaidPathPiece> pieces;
  for (const layout_check::Piece& p : path) {
    LaidPathPiece piece;
    piece.geometry = p.isArc ? PathPiece::arc(p.centre, p.radius, p.startAngle, p.sweep) : PathPiece::line(p.start, p.end);
    pieces.push_back(piece);
  }
  std::vector<std::uint8_t> faults;
  PathSpacingCheck check;
  EXPECT_TRUE(check.check(pieces, {kPipeDiameter}, kPipeDiameter, faults));
  return std::find(faults.begin(), faults.end(), 1) != faults.end();
}

TEST(SpiralFloorZones, LayNoFold) {
  const UnitScope units(1000);
  for (const FloorZone& z : zones()) {
    for (const bool reversed : {false, true}) {
      const std::string name = std::string(z.name) + (reversed ? " reversed" : "");
      ZoneCase c = zone_set::make(zone_fixture::outline(z.name, z.from, z.steps), 0, z.start, z.end);
      if (reversed) c = zone_set::clockwise(std::move(c));
      c.firstOffset = z.firstOffset;
      c.spacing = z.spacing;
      const Laid laid(std::move(c));
      ASSERT_TRUE(laid.ok) << name << ": " << layoutOutcomeName(laid.layout().outcome);
      EXPECT_NE(laid.layout().outcome, LayoutOutcome::kPathsCross) << name;
      ASSERT_TRUE(laid.path.faults.empty()) << name << ": " << laid.path.faults.front();
      EXPECT_FALSE(pipeMeetsItself(laid.path.pieces)) << name;
      const layout_check::Report r = laid.check();
      const bool kept = z.wallKept ? r.sound()
                                   : r.continuous.ok && r.ends.ok && r.simple.ok && r.spacing.ok && r.length.ok;
      EXPECT_TRUE(kept) << name << "\n" << r.summary();
    }
  }
}

}  // namespace
