// Rounded pipe bends on runs people lay: meanders with tight and loose
// turns, acute and obtuse corners either way round, pieces that continue a
// line, corners too near for the radius, and runs far from the origin; bends
// beside the walls of a zone kept at its border.
#include "heating/design/BendClearance.h"
#include "heating/design/CFHPipeFillets.h"

#include "heating/curves/CFHBoundLoop.h"

#include "tests/heating/curves/ZoneTestSupport.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Points = std::vector<XtGePoint2d>;

CurveChain runThrough(const Points& points, const XtGeVector2d& shift) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (std::size_t i = 0; i + 1 < points.size(); ++i)
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(points[i] + shift, points[i + 1] + shift));
  return CurveChain(std::move(pieces));
}

XtGeVector2d tangentAt(const XtGeCurve2d& curve, bool atEnd) {
  XtGeInterval interval;
  curve.getInterval(interval);
  XtGePoint2d p;
  XtGeVector2d d1, d2;
  curve.xtEvalDerivs(atEnd ? interval.upperBound() : interval.lowerBound(), p, d1, d2);
  return d1.normal();
}

XtGePoint2d endOf(const XtGeCurve2d& curve, bool atEnd) {
  XtGePoint2d p;
  if (atEnd) curve.hasEndPoint(p);
  else curve.hasStartPoint(p);
  return p;
}

class PipeFillets : public zone_test::ZoneTest {};

TEST_F(PipeFillets, EveryCornerTheRadiusAllowsGetsATangentArcOfTheRadius) {
  const struct {
    const char* name;
    Points points;
    double radius;
    int arcs;  // corners rounded
  } cases[] = {
      {"meander, turns of twice the radius", {{0, 0}, {1000, 0}, {1000, 200}, {0, 200}, {0, 400}, {1000, 400}}, 100, 4},
      {"meander, loose turns", {{0, 0}, {1000, 0}, {1000, 200}, {0, 200}, {0, 400}, {1000, 400}}, 50, 4},
      {"clockwise L with an obtuse corner", {{0, 0}, {0, -800}, {600, -1400}, {1500, -1400}}, 80, 2},
      {"acute corner", {{0, 0}, {2000, 0}, {300, 600}}, 40, 1},
      {"a straight line split in pieces", {{0, 0}, {500, 0}, {1000, 0}, {1000, 30}, {1000, 500}}, 50, 1},
      {"corners nearer than the radius allows stay sharp", {{0, 0}, {1000, 0}, {1000, 30}, {0, 30}}, 100, 0},
      {"a run back on itself", {{0, 0}, {1000, 0}, {0, 0}}, 50, 0},
  };
  for (const XtGeVector2d shift : {XtGeVector2d(0, 0), XtGeVector2d(1e7, -1e7)}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (shift.x != 0 ? " far out" : ""));
      std::vector<CurveChain> runs;
      runs.push_back(runThrough(c.points, shift));
      filletPipeCorners(runs, c.radius, 1000.0);
      CurvePieces pieces = takeSimplePieces(runs[0]);
      ASSERT_FALSE(pieces.empty());
      EXPECT_TRUE(endOf(*pieces.front(), false).isEqualTo(c.points.front() + shift, workTol));
      EXPECT_TRUE(endOf(*pieces.back(), true).isEqualTo(c.points.back() + shift, workTol));
      int arcs = 0;
      for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
          EXPECT_TRUE(endOf(*pieces[i - 1], true).isEqualTo(endOf(*pieces[i], false), workTol)) << i;
        }
        EXPECT_GT(pieces[i]->length(), workTol.equalPoint()) << i;
        if (pieces[i]->type() != XtGe::kCircArc2d) continue;
        ++arcs;
        EXPECT_NEAR(static_cast<const XtGeCircArc2d&>(*pieces[i]).radius(), c.radius, 1e-6);
        // Tangent to the lines on both sides.
        ASSERT_TRUE(i > 0 && i + 1 < pieces.size());
        EXPECT_NEAR(tangentAt(*pieces[i - 1], true).crossProduct(tangentAt(*pieces[i], false)), 0.0, 1e-9);
        EXPECT_GT(tangentAt(*pieces[i - 1], true).dotProduct(tangentAt(*pieces[i], false)), 0.0);
        EXPECT_NEAR(tangentAt(*pieces[i], true).crossProduct(tangentAt(*pieces[i + 1], false)), 0.0, 1e-9);
        EXPECT_GT(tangentAt(*pieces[i], true).dotProduct(tangentAt(*pieces[i + 1], false)), 0.0);
      }
      EXPECT_EQ(arcs, c.arcs);
    }
  }
}

TEST_F(PipeFillets, ARadiusUnderOneMillimetreLeavesTheCornersSharp) {
  const Points meander = {{0, 0}, {100, 0}, {100, 20}, {0, 20}};
  const struct {
    double radius, unitFactor;
    bool rounded;
  } cases[] = {{0.999, 1000, false}, {1.0, 1000, true}, {0.1, 100, true}, {0.00099, 1, false}, {5.0, 0, false}};
  for (const auto& c : cases) {
    std::vector<CurveChain> runs;
    runs.push_back(runThrough(meander, {}));
    filletPipeCorners(runs, c.radius, c.unitFactor);
    EXPECT_EQ(runs[0].curves.length(), c.rounded ? 5 : 3) << c.radius << " at " << c.unitFactor;
  }
}

// The pipe of an L room at a border of 20 turns square round the room's
// reflex corner W (1500, 2000), 28.3 from it: a bend of 50 would cut 20.7
// towards W and lie 7.6 from it; kept clear of the walls its radius is the
// largest whose bend keeps 20 less the tolerance (28.28 - r (sqrt 2 - 1) =
// 19.9: 20.2). A corner that keeps less than the border (pieces 5 from a
// wall, as a lead's) keeps its full radius: the bend lies farther out than
// its corner. Far from the origin alike.
TEST_F(PipeFillets, BendsKeepTheBorderAsTheirCornersDo) {
  for (const XtGeVector2d shift : {XtGeVector2d(0, 0), XtGeVector2d(1e7, -1e7)}) {
    SCOPED_TRACE(shift.x);
    CFHBoundLoop room;
    room.append(zone_test::outline(XtGePoint2d(0, 0) + shift, {{XtGePoint2d(1500, 0) + shift},
                                                               {XtGePoint2d(1500, 2000) + shift},
                                                               {XtGePoint2d(2800, 2000) + shift},
                                                               {XtGePoint2d(2800, 4100) + shift},
                                                               {XtGePoint2d(0, 4100) + shift},
                                                               {XtGePoint2d(0, 0) + shift}}));
    const XtGePoint2d reflex = XtGePoint2d(1500, 2000) + shift;
    BendClearance walls(0.1);
    walls.addZone(room, 20.0);
    const struct {
      Points points;
      bool clear;
      double radius;
      double nearest;  // to the reflex corner
    } cases[] = {{{{1480, 1000}, {1480, 2020}, {2500, 2020}}, false, 50.0, 7.574},
                 {{{1480, 1000}, {1480, 2020}, {2500, 2020}}, true, 20.23, 19.9},
                 {{{5, 500}, {5, 1500}, {500, 1500}}, true, 50.0, -1.0}};
    for (const auto& c : cases) {
      std::vector<CurveChain> runs;
      runs.push_back(runThrough(c.points, shift));
      filletPipeCorners(runs, 50.0, 1000.0, c.clear ? &walls : nullptr);
      CurvePieces pieces = takeSimplePieces(runs[0]);
      ASSERT_EQ(pieces.size(), 3u);
      ASSERT_EQ(pieces[1]->type(), XtGe::kCircArc2d);
      const auto& arc = static_cast<const XtGeCircArc2d&>(*pieces[1]);
      EXPECT_NEAR(arc.radius(), c.radius, 0.05);
      if (c.nearest > 0.0) {
        EXPECT_NEAR(std::fabs(arc.center().distanceTo(reflex) - arc.radius()), c.nearest, 0.05);
      }
    }
  }
}

}  // namespace
