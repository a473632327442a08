// The meander beside slanted walls and notches, designed as a zone of a one-
// zone circuit and judged by the layout checker: never crossing itself,
// inside the zone at the first offset, neighbouring runs a spacing apart
// (but in the middle gap where the runs from the two sides meet), and
// split into supply and return at half its length. Each room also with its
// pipe drawn the other way (the pipe ends swapped) and its outline drawn the
// other way round.
#include "heating/design/model/CFHCircuit.h"

#include "heating/layout/record/CFHCircuitSegment.h"

#include "heating/curves/VariantValue.h"

#include "ZoneDesignTestSupport.h"

#include "tests/heating/layout/MeanderGap.h"

#include <algorithm>
#include <string>

namespace {

using zone_design_test::DesignTest;
using P = XtGePoint2d;

struct Room {
  std::string name;
  std::vector<P> outline;  // as drawn
  P base;                  // a point of the wall the pipe enters by
  P start, end;            // the pipe ends
  double s;                // spacing
  double r;                // border width R, m
};

// The rooms of the reports, in millimetres: a quadrilateral with a slanted
// west wall (pipe at x 2000, pitch 200), the U room (pipe at x 1930, pitch
// 150) and the 8.71 m room with a slanted west wall (pipe at x 1250, pitch
// 150). R 0.1632 is what the calculation gives a free border of these rooms.
std::vector<Room> reportedRooms() {
  const std::vector<P> slanted = {{0, 2000}, {930, 7440}, {4700, 7440}, {4700, 2000}};
  const std::vector<P> u = {{0, 0}, {4180, 0}, {4180, 4940}, {2580, 4940}, {2580, 2030}, {1500, 2030}, {1500, 4940},
                            {0, 4940}};
  const std::vector<P> wide = {{0, 0}, {8710, 0}, {8710, -10094}, {2860, -10094}};
  return {{"slanted side wall, free border", slanted, {2000, 2000}, {1900, 2000}, {2100, 2000}, 113, 0.1632},
          {"slanted side wall, fixed border", slanted, {2000, 2000}, {1900, 2000}, {2100, 2000}, 113, 0.057},
          {"U room, spacing 0.215", u, {1930, 0}, {1855, 0}, {2005, 0}, 215, 0.143},
          {"U room, spacing 0.2, free border", u, {1930, 0}, {1830, 0}, {2030, 0}, 200, 0.1632},
          {"slanted west wall", wide, {1250, 0}, {1175, 0}, {1325, 0}, 202, 0.1632}};
}

// The room as reported, with the pipe drawn the other way, and with the
// outline drawn the other way round from another vertex.
std::vector<Room> variants(const Room& room) {
  Room swapped = room;
  swapped.name += ", pipe drawn the other way";
  std::swap(swapped.start, swapped.end);
  Room reversed = room;
  reversed.name += ", outline the other way round";
  std::reverse(reversed.outline.begin(), reversed.outline.end());
  std::rotate(reversed.outline.begin(), reversed.outline.begin() + 1, reversed.outline.end());
  return {room, swapped, reversed};
}

struct Designed {
  explicit Designed(const Room& room) : outline(zone_fixture::polygon(room.name, room.outline)) {
    zone = zone_design_test::addZone(model, 1, outline);
    CFHZoneDesign& design = *zone->design();
    design.setDisplayType(0);
    design.setCircuitShape(CFHCircuitLayout::kMeander);
    design.setMeanderBaseId(zone_design_test::sideIdNear(design, room.base));
    design.setPipeEnd1(room.start);
    design.setPipeEnd2(room.end);
    design.setSpacing(room.s);
    zone->calc.borderR = valueOf(room.r);
    design.design();
    CFHCircuit* circuit = model.addCircuit(1);
    circuit->addZone(zone);
    circuit->buildPath();
  }
  CFHModel model;
  zone_fixture::Zone outline;
  CFHZoneEntry* zone = nullptr;
};

TEST_F(DesignTest, ReportedMeandersAreSound) {
  for (const Room& reported : reportedRooms()) {
    for (const Room& room : variants(reported)) {
      SCOPED_TRACE(room.name);
      const Designed designed(room);
      const CFHZoneDesign::IdleAccess access(*designed.zone->design());
      const CFHCircuitLayout* layout = access.layoutIfIdle();
      ASSERT_TRUE(layout != nullptr && layout->outcome == LayoutOutcome::kLaid);
      const layout_check::GraphPath path = layout_check::walkLayoutGraph(*layout);
      ASSERT_TRUE(path.faults.empty()) << path.faults.front();
      const layout_check::Zone zone =
          zone_design_test::checkZone(designed.outline, layout->firstOffset, room.s, room.start, room.end);
      layout_check::Options options(0.75, 1.15, 0.0, false);
      const XtGeVector2d runs = layout->baseItem->curve->direction().perpVector();
      if (const auto gap = meander_test::middleGap(path.pieces, runs, room.s)) options.allowances.push_back(*gap);
      const layout_check::Report report = layout_check::checkLayout(zone, path.pieces, options);
      EXPECT_TRUE(report.ok()) << report.summary();

      // Supply first, then return, split at half the length: the supply
      // the longer by less than two segments.
      double supply = 0.0, back = 0.0, longest = 0.0;
      int switches = 0;
      std::uint8_t side = 1;
      for (const CFHCircuitSegment* segment : layout->segments) {
        const double length = segment->curve->length();
        (segment->side != 0 ? supply : back) += length;
        longest = std::max(longest, length);
        switches += segment->side != side ? 1 : 0;
        side = segment->side;
      }
      EXPECT_EQ(switches, 1);
      EXPECT_GE(supply, back);
      EXPECT_LT(supply - back, 2.0 * longest);
      EXPECT_NEAR(supply + back, report.pipeLength, 1e-6 * report.pipeLength);
    }
  }
}

}  // namespace
