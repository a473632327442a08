// Points against loops: inside, outside or on, on the shapes people draw.
#include "CLoopTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace loop_test;
using curve_test::kPi;
using CLoopClassificationTest = LoopTest;

constexpr int kIn = CLoop::kInside;
constexpr int kOut = CLoop::kOutside;
constexpr int kOn = CLoop::kOnLoop;

struct Probe {
  XtGePoint2d p;
  int expected;
};

void expectPositions(const CLoop& loop, const std::vector<Probe>& probes, const XtGeTol& tol, double dx = 0,
                     double dy = 0) {
  for (const Probe& probe : probes)
    EXPECT_EQ(loop.classifyPoint({probe.p.x + dx, probe.p.y + dy}, tol), probe.expected)
        << "(" << probe.p.x << ", " << probe.p.y << ")";
}

TEST_F(CLoopClassificationTest, SquareLAndUShapesLevelWithTheirEdges) {
  // Points level with a horizontal edge or a vertex make the +X ray turn.
  expectPositions(*polygonLoop(squarePoints()),
                  {{{5, 5}, kIn}, {{15, 5}, kOut}, {{10, 5}, kOn}, {{0, 0}, kOn}, {{-5, 10}, kOut}, {{15, 10}, kOut},
                   {{-5, 0}, kOut}, {{5, 9.5}, kIn}},
                  tol_);
  expectPositions(*polygonLoop(lPoints()),
                  {{{2, 5}, kIn}, {{12, 5}, kOut}, {{7, 7}, kOut}, {{7, 5}, kOn}, {{7, 2}, kIn}, {{-3, 10}, kOut}},
                  tol_);
  const std::vector<Probe> uProbes{{{15, 15}, kOut}, {{5, 15}, kIn},   {{25, 15}, kIn}, {{15, 5}, kIn},
                                   {{5, 10}, kIn},   {{15, 10}, kOn},  {{35, 10}, kOut}, {{15, 20}, kOut},
                                   {{25, 10}, kIn},  {{-2, 20}, kOut}};
  expectPositions(*polygonLoop(uPoints()), uProbes, tol_);
  // Drawn clockwise, and far from the origin: the same answers.
  std::vector<XtGePoint2d> reversed = uPoints();
  std::reverse(reversed.begin(), reversed.end());
  expectPositions(*polygonLoop(reversed), uProbes, tol_);
  expectPositions(*polygonLoop(uPoints(), 1e7, -1e7), uProbes, tol_, 1e7, -1e7);
}

TEST_F(CLoopClassificationTest, ArcsCountEveryCrossing) {
  // The +X ray from (-7, 0) runs along both chords; the next direction
  // crosses the upper half-circle twice: outside.
  for (bool clockwise : {false, true})
    expectPositions(*twoHalfCircles(5.0, clockwise),
                    {{{-7, 0}, kOut}, {{-3, 0}, kIn}, {{7, 0}, kOut}, {{5, 0}, kOn}, {{0, 4.99}, kIn},
                     {{-4, -3}, kOn}, {{3.5, 3.5}, kIn}, {{3.6, 3.6}, kOut}, {{-10, 5}, kOut}},  // tangent ray
                    tol_);
  // A rounded end: rays level with the arc's ends and through the arc.
  OwningLoop stadium;
  stadium.add(curve_test::line({0, 0}, {10, 0}));
  stadium.add(curve_test::arc({10, 5}, 5.0, -kPi / 2, kPi / 2));
  stadium.add(curve_test::line({10, 10}, {0, 10}));
  stadium.add(curve_test::line({0, 10}, {0, 0}));
  expectPositions(stadium, {{{-3, 10}, kOut}, {{12, 9}, kIn}, {{14, 9}, kOut}, {{-1, 5}, kOut}}, tol_);
  // One closed polyline holds the whole L: rays through its inner vertices.
  OwningLoop single;
  single.add(curve_test::polyline({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}, {0, 0}}));
  expectPositions(single, {{{2, 5}, kIn}, {{-2, 5}, kOut}, {{7, 7}, kOut}}, tol_);
}

TEST_F(CLoopClassificationTest, EveryDirectionSpoiltFallsBackToTheWindingNumber) {
  // Vertices in all ten directions the ray can take from the origin: a
  // decagon about it, and an annular sector missing a tenth of the turn.
  std::vector<XtGePoint2d> decagon;
  std::vector<XtGePoint2d> sector;
  auto onRay = [](double r, int k) { return XtGePoint2d(r * std::cos(k * kPi / 5), r * std::sin(k * kPi / 5)); };
  for (int k = 0; k < 10; ++k) decagon.push_back(onRay(7, k));
  for (int k = 0; k <= 9; ++k) sector.push_back(onRay(7, k));
  for (int k = 9; k >= 0; --k) sector.push_back(onRay(14, k));
  EXPECT_EQ(polygonLoop(decagon)->classifyPoint({0, 0}, tol_), kIn);
  EXPECT_EQ(polygonLoop(sector)->classifyPoint({0, 0}, tol_), kOut);

  // The same of arcs (clockwise arcs measure their angles clockwise from +X).
  OwningLoop ring;
  OwningLoop arcSector;
  for (int k = 0; k < 10; ++k) ring.add(curve_test::arc({0, 0}, 7.0, k * kPi / 5, (k + 1) * kPi / 5));
  for (int k = 0; k < 9; ++k) arcSector.add(curve_test::arc({0, 0}, 7.0, k * kPi / 5, (k + 1) * kPi / 5));
  arcSector.add(curve_test::line(onRay(7, 9), onRay(14, 9)));
  for (int k = 9; k > 0; --k) arcSector.add(curve_test::arc({0, 0}, 14.0, (10 - k) * kPi / 5, (11 - k) * kPi / 5, true));
  arcSector.add(curve_test::line({14, 0}, {7, 0}));
  EXPECT_EQ(ring.classifyPoint({0, 0}, tol_), kIn);
  EXPECT_EQ(arcSector.classifyPoint({0, 0}, tol_), kOut);
  EXPECT_EQ(arcSector.windingNumber({10, 1}), -1);  // its inner arcs run counter-clockwise: a clockwise loop
}

TEST_F(CLoopClassificationTest, WindingNumberOfArcsSeesTheirBulge) {
  // A half-disc: points between chord and arc, near the chord, beyond.
  OwningLoop half;
  half.add(curve_test::arc({0, 0}, 5.0, 0.0, kPi));
  half.add(curve_test::line({-5, 0}, {5, 0}));
  for (const XtGePoint2d& p : {XtGePoint2d(0, 4.9), XtGePoint2d(4, 2), XtGePoint2d(-4.5, 0.1), XtGePoint2d(0, 0.001)})
    EXPECT_EQ(half.windingNumber(p), 1) << p.x << ", " << p.y;
  for (const XtGePoint2d& p : {XtGePoint2d(0, 5.1), XtGePoint2d(0, -0.1), XtGePoint2d(-6, 0), XtGePoint2d(6, 1)})
    EXPECT_EQ(half.windingNumber(p), 0) << p.x << ", " << p.y;
  OwningLoop clockwise;
  clockwise.add(curve_test::line({5, 0}, {-5, 0}));
  clockwise.add(curve_test::arc({0, 0}, 5.0, kPi, 2 * kPi, true));  // over the top
  EXPECT_EQ(clockwise.windingNumber({0, 4.9}), -1);
  EXPECT_EQ(clockwise.windingNumber({0, 5.1}), 0);
}

TEST_F(CLoopClassificationTest, SetsOfPoints) {
  auto loop = polygonLoop(squarePoints());
  XtGePoint2dArray points;
  EXPECT_EQ(loop->classifyPoints(points, tol_), kOut);
  points.append(XtGePoint2d(15, 5));
  points.append(XtGePoint2d(10, 5));
  EXPECT_EQ(loop->classifyPoints(points, tol_), kOn);
  points.append(XtGePoint2d(5, 5));
  points.append(XtGePoint2d(20, 5));
  EXPECT_EQ(loop->classifyPoints(points, tol_), kIn);
}

}  // namespace
