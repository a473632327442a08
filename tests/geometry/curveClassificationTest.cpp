#include "tests/platform/ge/allocationCounter.h"
#include "tests/geometry/curveShapes.h"
#include "geometry/curveClassification.h"
#include "geometry/savedTolerance.h"
#include "platform/ge/XtGeEllipArc2d.h"

#include <gtest/gtest.h>

#include <random>

using namespace curveShapes;

namespace {

class classify : public WorkTolerances {};

// Random points of the outline's box (grown by a tenth) at least ten
// tolerances from the boundary, checked against the winding number.
int checkAgainstWindingNumber(const XtGeCompositeCurve2d& shape, std::mt19937& rng, int points) {
  const XtGeBoundBlock2d box = shape.orthoBoundBlock();
  const XtGeVector2d margin = (box.maxPoint() - box.minPoint()) * 0.1;
  std::uniform_real_distribution<double> x(box.minPoint().x - margin.x, box.maxPoint().x + margin.x);
  std::uniform_real_distribution<double> y(box.minPoint().y - margin.y, box.maxPoint().y + margin.y);
  int inside = 0;
  for (int k = 0; k < points; ++k) {
    const XtGePoint2d p(x(rng), y(rng));
    if (shape.distanceTo(p) < 10.0 * workTol.equalPoint()) continue;
    const int expected = windingNumber(p, shape) != 0 ? kPositionInside : kPositionOutside;
    EXPECT_EQ(classifyPointInCurve(p, shape), expected) << p.x << ", " << p.y;
    inside += expected == kPositionInside;
  }
  return inside;
}

}  // namespace

TEST_F(classify, PointsAgreeWithTheWindingNumberOnRandomOutlinesWithArcs) {
  // Convex outlines (arcs bulging outward) and concave stars with arcs both
  // ways, near the origin, far from it and tiny, either way round: 10,000
  // points in all.
  std::mt19937 rng(20240611);
  int inside = 0;
  const std::pair<XtGePoint2d, double> places[] = {{{0, 0}, 10.0}, {{1e7, -1e7}, 50.0}, {{1e-3, 2e-3}, 0.05}};
  for (const auto& [centre, size] : places) {
    for (int shape = 0; shape < 6; ++shape) {
      const CompositePtr c = shape < 2 ? randomOutline(rng, centre, 7, size, size, 0.25, true)
                                       : randomOutline(rng, centre, 12, 0.55 * size, size, 0.2);
      inside += checkAgainstWindingNumber(*c, rng, 278);
      c->reverseParam();
      inside += checkAgainstWindingNumber(*c, rng, 278);
    }
  }
  EXPECT_GT(inside, 2000);
}

TEST_F(classify, ProbesThroughVerticesCountOnlyRealCrossings) {
  // The probe runs towards 0.12341234 beyond the bound block's maximum
  // corner: from (1, 1) in a block reaching (4, 4) along y = x.
  const CompositePtr diamond = outline({{1, -1}, {3, 1}, {4, 4}, {1, 3}, {-1, 1}});
  // A notch whose lower edge runs along the probe from (2.5, 2.5) to (4, 4).
  const CompositePtr notch = outline({{0, 0}, {4, 0}, {4, 4}, {2.5, 2.5}, {2.0, 4}, {0, 4}});
  // A notch from the top edge whose tip (7, 7) touches the probe from (2, 2).
  const CompositePtr tip = outline({{0, 0}, {10, 0}, {10, 10}, {5, 10}, {7, 7}, {3, 10}, {0, 10}});
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(classifyPointInCurve(XtGePoint2d(1, 1), *diamond), kPositionInside);
    EXPECT_EQ(classifyPointInCurve(XtGePoint2d(1, 1), *notch), kPositionInside);
    EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3.5, 1.0), *notch), kPositionInside);
    EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3.0, 3.4), *notch), kPositionOutside);
    EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *tip), kPositionInside);
    EXPECT_EQ(classifyPointInCurve(XtGePoint2d(5, 9), *tip), kPositionOutside);
    for (const CompositePtr* shape : {&diamond, &notch, &tip}) (*shape)->reverseParam();
  }
}

TEST_F(classify, ProbeTangentToAnArcDoesNotFlipTheAnswer) {
  // The square (0, 0)-(10, 10) with a round bay pushed in from its bottom
  // edge: the circle about (6, 2) through (4, 0) and (8, 0). The probe from
  // (2, 2) runs along y = x, touches the circle at (4, 4) and leaves through
  // the corner (10, 10).
  const CompositePtr bay = outline({{0, 0}, {4, 0}, {8, 0}, {10, 0}, {10, 10}, {0, 10}},
                                   {0.0, -std::tan(3.0 * XtGe::kPi / 8.0)});
  ASSERT_NEAR(bay->curveAt(1)->distanceTo(XtGePoint2d(4, 4)), 0.0, 1e-12);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *bay), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(6, 3), *bay), kPositionOutside);
  bay->reverseParam();
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *bay), kPositionInside);
}

TEST_F(classify, BoundaryPointsTheBoundBlockAndEllipses) {
  const CompositePtr square = outline({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *square), kPositionOn);
  // On the curve within the tolerance but outside its bound block.
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(1, -0.5e-6), *square), kPositionOn);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2.0 + 0.9e-6, 1), *square), kPositionOn);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3, 1), *square), kPositionOutside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(1, 1e-5), *square), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(NAN, 1), *square), kPositionOutside);
  const XtGeEllipArc2d ellipse(XtGePoint2d(5, 5), XtGeVector2d(1, 1).normal(),
                               XtGeVector2d(-1, 1).normal(), 3.0, 1.0);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(6.5, 6.5), ellipse), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(6.5, 5.0), ellipse), kPositionOutside);
}

TEST_F(classify, PointsAllocateNothing) {
  std::mt19937 rng(7);
  const CompositePtr shape = randomOutline(rng, XtGePoint2d(0, 0), 12, 5.0, 10.0, 0.2);
  std::uniform_real_distribution<double> u(-11.0, 11.0);
  std::vector<XtGePoint2d> points;
  for (int i = 0; i < 200; ++i) points.emplace_back(u(rng), u(rng));
  int inside = 0;
  const std::size_t before = allocationCounter::count();
  for (const XtGePoint2d& p : points) inside += classifyPointInCurve(p, *shape) == kPositionInside;
  EXPECT_EQ(allocationCounter::count(), before);
  EXPECT_GT(inside, 0);
}

TEST_F(classify, CurvesByTheirEndsThenBySampleVotes) {
  const CompositePtr square = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({0, 5}, {5, 5}), *square), kPositionInside);
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({10, 5}, {15, 5}), *square), kPositionOutside);
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({0, 5}, {10, 5}), *square), kPositionInside);
  EXPECT_EQ(classifyCurveInCurve(XtGeCircArc2d({0, 0}, {10, 0}, 0.5), *square), kPositionOutside);
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({2, 0}, {8, 0}), *square), kPositionOn);
  EXPECT_EQ(classifyCurveInCurve(*square, *square), kPositionOn);

  // A path along the bottom edge dipping inside around its first and last
  // quarters: five samples give two inside votes, six samples two more;
  // only votes carried over from the first pass would reach three.
  const CompositePtr path =
      outline({{0, 0}, {1.5, 0}, {2.25, 1}, {3, 0}, {7, 0}, {7.75, 1}, {8.5, 0}, {10, 0}}, {}, false);
  for (const int n : {5, 6}) {
    XtGePoint2dArray samples;
    path->getSamplePoints(n, samples);
    int inside = 0;
    for (int i = 1; i + 1 < n; ++i) inside += classifyPointInCurve(samples[i], *square) == kPositionInside;
    ASSERT_EQ(inside, 2);
  }
  EXPECT_EQ(classifyCurveInCurve(*path, *square), kPositionOn);
}

TEST_F(classify, PointInCurveSetAndRayParity) {
  const CompositePtr outer = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const CompositePtr hole = outline({{3, 3}, {6, 3}, {6, 6}, {3, 6}});
  const XtGeCurve2d* set[] = {outer.get(), hole.get()};
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(1, 1), set), kPositionInside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(4, 4), set), kPositionOutside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(3, 4), set), kPositionInside);  // on the hole
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(1, 1), {}), kPositionOutside);
  const std::vector<std::pair<const XtGeCurve2d*, int>> records{{outer.get(), 1}, {nullptr, 2}, {hole.get(), 3}};
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(4, 4), records, [](const auto& r) { return r.first; }),
            kPositionOutside);
  // An L whose notch edge lies along the +X ray, and a V notch the ray
  // grazes at its tip: the ray runs along or touches the outline there
  // without crossing it.
  const CompositePtr ell = outline({{0, 0}, {6, 0}, {6, 2}, {3, 2}, {3, 4}, {0, 4}});
  const CompositePtr vee = outline({{0, 0}, {2, 1}, {4, 0}, {4, 4}, {0, 4}});
  const XtGeCurve2d* lSet[] = {ell.get()};
  const XtGeCurve2d* vSet[] = {vee.get()};
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(-1, 2), lSet), kPositionOutside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(1, 2), lSet), kPositionInside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(-1, 1), vSet), kPositionOutside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(1, 1), vSet), kPositionInside);

  EXPECT_TRUE(rayCrossingCount(XtGePoint2d(5, 5), *outer));
  EXPECT_FALSE(rayCrossingCount(XtGePoint2d(15, 5), *outer));
  // The +X ray runs along the top edge: the +Y ray decides instead.
  EXPECT_FALSE(rayCrossingCount(XtGePoint2d(-5, 10), *outer));
}

TEST_F(classify, ShallowCrossingsNextToAPieceEndAreCrossings) {
  // The +X probe crosses a piece at a shallow angle near its end, where the
  // piece's line or circle meets the probe's line again: a triangle (inside,
  // 84 degrees) and a millimetre room with a wall bulging inward (7.9 mm
  // outside it, 2.46 degrees); as loose pieces and as one outline.
  const double w = 16763.162153869867;
  const double h = 8447.121089017019;
  struct Case {
    std::vector<XtGePoint2d> corners;
    double bulge;  // of the first wall
    XtGePoint2d point;
    bool inside;
    double unit;  // workTol's unit factor
  } cases[] = {{{{0, 0}, {1, 0}, {0, 10}}, 0.0, {0.5, 0.5}, true, 1.0},
               {{{0, 0}, {w, 0}, {w, h}, {0, h}}, -0.5572991083181795,
                {8535.898761312477, 4661.9780659638345}, false, 1000.0}};
  const savedTolerance keepGTol;
  for (const Case& k : cases) {
    for (const XtGeVector2d at : {XtGeVector2d(0, 0), XtGeVector2d(3e6, -7e6)}) {
      workTol = at.x == 0.0 ? XtGeTol(1e-6 * k.unit, 1e-8 * k.unit) : XtGeTol(1e-3, 1e-5);
      XtGeContext::gTol = at.x == 0.0 ? keepGTol.saved() : XtGeTol(1e-3, 1e-6);
      std::vector<XtGePoint2d> corners = k.corners;
      for (XtGePoint2d& c : corners) c += at;
      const CompositePtr room = outline(corners, {k.bulge});
      const XtGePoint2d p = k.point + at;
      for (int round = 0; round < 2; ++round, room->reverseParam()) {
        XtGeCurve2dPtrArray pieces;
        room->getCurveList(pieces);
        const std::vector<const XtGeCurve2d*> loose(pieces.begin(), pieces.end());
        EXPECT_EQ(classifyPointInCurveSet(p, loose) == kPositionInside, k.inside) << p.x << " " << round;
        EXPECT_EQ(rayCrossingCount(p, *room), k.inside) << p.x << " " << round;
      }
    }
  }
}

TEST_F(classify, WallsAlongTheProbeCountOnlyWhereTheBoundaryCrosses) {
  // A notch from the top with its floor on y = 1 and a slot in the left
  // wall whose end lies on x = 1: from (1, 1) the +X and +Y rays both run
  // along walls the room only touches. From (-1, 2.8) the +X ray meets the
  // loose pieces of the slot's upper wall end to end and crosses there.
  const CompositePtr room = outline({{0, 0}, {4, 0}, {4, 3}, {3, 3}, {3, 1}, {2, 1}, {2, 3}, {0, 3},
                                     {0, 2.8}, {1, 2.8}, {1, 2.5}, {0, 2.5}});
  for (int round = 0; round < 2; ++round) {
    EXPECT_TRUE(rayCrossingCount(XtGePoint2d(1, 1), *room));
    XtGeCurve2dPtrArray pieces;
    room->getCurveList(pieces);
    const std::vector<const XtGeCurve2d*> loose(pieces.begin(), pieces.end());
    EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(-1, 2.8), loose), kPositionOutside);
    EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(1.5, 2.8), loose), kPositionInside);
    room->reverseParam();
  }
}
