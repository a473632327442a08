// Loop points and elements, and where loops meet rays, curves and points.
#include "CLoopTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace loop_test;
using CLoopTest = LoopTest;

// A loop point that counts how often its links are cleared.
struct CountingPoint : CLoopPoint {
  void clearLinks() override {
    ++clears;
    CLoopPoint::clearLinks();
  }
  int clears = 0;
};

TEST_F(CLoopTest, LinksAndTheElementsOneLeavesAndReachesAJointBy) {
  auto loop = polygonLoop(squarePoints());
  CLoopPoint joint({10, 0}, loop->at(1));
  joint.addLink(nullptr);
  joint.addLink(loop->at(1));
  joint.addLink(loop->at(0));
  EXPECT_EQ(linkIndices(*loop, joint), (std::vector<int>{1, 0}));
  // Bottom (0) ends at the joint, right (1) starts there; link order aside.
  EXPECT_EQ(joint.outgoingLink(true, tol_), loop->at(1));
  EXPECT_EQ(joint.incomingLink(true, tol_), loop->at(0));
  EXPECT_EQ(joint.outgoingLink(false, tol_), loop->at(0));
  EXPECT_EQ(joint.incomingLink(false, tol_), loop->at(1));
  XtGeRay2d ray;
  ASSERT_TRUE(joint.linkRay(true, ray, 1));  // up the right side: its left is -X
  EXPECT_TRUE(ray.direction().isEqualTo(XtGeVector2d(-1, 0), tol_) && near(ray.pointOnLine(), {10, 0}));

  CountingPoint out;
  out.addLink(loop->at(3));
  out.assignPointAndLinks(joint);
  EXPECT_EQ(out.clears, 1);  // through the virtual operation, which derived points override
  EXPECT_EQ(out.links(), joint.links());
  out.removeLink(loop->at(2));
  out.removeLink(loop->at(1));
  EXPECT_EQ(out.outgoingLink(true, tol_), loop->at(0));  // one link: that link
  EXPECT_TRUE(out.hasLink(loop->at(0)) && !out.hasLink(loop->at(1)));
  EXPECT_EQ(CLoopPoint({5, 0}).outgoingLink(true, tol_), nullptr);
  EXPECT_FALSE(CLoopPoint({5, 0}).linkRay(true, ray, 1));
}

TEST_F(CLoopTest, ElementsDeleteOnlyCurvesTheyOwnAndChainsGrowAtBothEnds) {
  auto kept = curve_test::line({0, 0}, {1, 0});
  { CLoopElement borrowing(kept.get(), false); }
  EXPECT_DOUBLE_EQ(kept->length(), 1.0);  // alive; the sanitizer build checks the owning case

  auto loop = polygonLoop(squarePoints());
  std::vector<CLoopElement*> chain;
  for (int i : {1, 0, 2, 3}) addToElementChain(chain, loop->at(i), tol_);
  addToElementChain(chain, nullptr, tol_);
  // 0 ends where 1 starts, 2 does not end at 0's start, 3 does.
  EXPECT_EQ(chain, (std::vector<CLoopElement*>{loop->at(3), loop->at(0), loop->at(1), loop->at(2)}));
}

TEST_F(CLoopTest, RayIntersectionsLinkJointsToBothElements) {
  auto loop = polygonLoop(squarePoints());
  std::vector<CLoopPoint> points;
  ASSERT_TRUE(loop->intersectRay(XtGeRay2d({5, 5}, XtGePoint2d(10, 10)), points, tol_));
  ASSERT_EQ(points.size(), 1u);
  EXPECT_TRUE(near(points[0].point, {10, 10}));
  EXPECT_EQ(linkIndices(*loop, points[0]), (std::vector<int>{1, 2}));
  ASSERT_TRUE(loop->intersectRay(XtGeRay2d({5, 5}, XtGePoint2d(0, 0)), points, tol_));  // where the loop closes
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(linkIndices(*loop, points[0]), (std::vector<int>{0, 3}));
  ASSERT_TRUE(loop->intersectRay(XtGeRay2d({5, 5}, XtGeVector2d(1, 0)), points, tol_));
  EXPECT_EQ(linkIndices(*loop, points[0]), (std::vector<int>{1}));
  EXPECT_FALSE(loop->intersectRay(XtGeRay2d({15, 5}, XtGeVector2d(1, 0)), points, tol_));
  EXPECT_TRUE(points.empty());
}

TEST_F(CLoopTest, CurveIntersectionsKeepEveryHitOfAnElement) {
  auto loop = polygonLoop(squarePoints());
  std::vector<CLoopPoint> points;
  ASSERT_TRUE(loop->intersectCurve(*curve_test::arc({5, 0}, 2.0, 0.0, 2 * curve_test::kPi), points, tol_));
  ASSERT_EQ(points.size(), 2u);  // both crossings of the bottom
  for (const CLoopPoint& p : points) {
    EXPECT_EQ(linkIndices(*loop, p), (std::vector<int>{0}));
    EXPECT_NEAR(std::fabs(p.point.x - 5.0), 2.0, 1e-9);
  }
  ASSERT_TRUE(loop->intersectCurve(*curve_test::line({-1, -1}, {11, 11}), points, tol_));
  ASSERT_EQ(points.size(), 2u);
  for (const CLoopPoint& p : points) EXPECT_EQ(p.links().size(), 2u);
  EXPECT_TRUE(loop->intersectCurve(*curve_test::polyline({{-5, 2}, {5, 8}, {15, 2}}), points, tol_));
  EXPECT_EQ(points.size(), 2u);
}

TEST_F(CLoopTest, NearestAndFarthestPicksDifferAndAMissLeavesTheAnswer) {
  auto loop = polygonLoop(squarePoints());
  const CLoopPoint reference({-5, 5});
  CountingPoint far;
  far.addLink(loop->at(2));
  ASSERT_TRUE(loop->pickFarthestIntersection(*curve_test::line({-5, 5}, {15, 5}), reference, far, tol_));
  EXPECT_TRUE(near(far.point, {10, 5}));
  EXPECT_EQ(linkIndices(*loop, far), (std::vector<int>{1}));
  CLoopPoint nearest;
  ASSERT_TRUE(loop->pickIntersection(XtGeRay2d({-5, 5}, XtGeVector2d(1, 0)), reference, nearest, tol_));
  EXPECT_TRUE(near(nearest.point, {0, 5}));
  EXPECT_EQ(linkIndices(*loop, nearest), (std::vector<int>{3}));

  EXPECT_FALSE(loop->pickFarthestIntersection(*curve_test::line({20, 20}, {30, 30}), reference, far, tol_));
  EXPECT_FALSE(loop->pickIntersection(XtGeRay2d({-5, 5}, XtGeVector2d(-1, 0)), reference, nearest, tol_));
  EXPECT_TRUE(near(far.point, {10, 5}) && near(nearest.point, {0, 5}));
  EXPECT_EQ(far.clears, 1);
}

TEST_F(CLoopTest, ClosestPointIsLinkedToBothElementsAtAJoint) {
  auto loop = polygonLoop(squarePoints());
  CLoopPoint out;
  ASSERT_TRUE(loop->closestPoint({5, -3}, out, tol_));
  EXPECT_TRUE(near(out.point, {5, 0}));
  EXPECT_EQ(linkIndices(*loop, out), (std::vector<int>{0}));
  ASSERT_TRUE(loop->closestPoint({12, -2}, out, tol_));
  EXPECT_TRUE(near(out.point, {10, 0}));
  EXPECT_EQ(linkIndices(*loop, out), (std::vector<int>{0, 1}));
  ASSERT_TRUE(loop->closestPoint({3, 4}, out, tol_));
  EXPECT_EQ(linkIndices(*loop, out), (std::vector<int>{3}));
}

TEST_F(CLoopTest, EmptyLoopsAndElementsWithoutCurvesAnswerNothing) {
  OwningLoop empty;
  std::vector<CLoopPoint> points(2);
  const auto across = curve_test::line({-5, 5}, {15, 5});
  EXPECT_FALSE(empty.intersectCurve(*across, points, tol_));
  EXPECT_TRUE(points.empty());
  points.resize(1);
  EXPECT_FALSE(empty.intersectRay(XtGeRay2d(), points, tol_));
  EXPECT_TRUE(points.empty());
  CLoopPoint out({7, 7});
  EXPECT_FALSE(empty.closestPoint({1, 1}, out, tol_));
  EXPECT_TRUE(near(out.point, {7, 7}));
  EXPECT_EQ(empty.classifyPoint({0, 0}, tol_), CLoop::kOutside);

  auto loop = polygonLoop(squarePoints());
  loop->elements.insert(loop->elements.begin() + 2, new CLoopElement());
  EXPECT_TRUE(loop->intersectCurve(*across, points, tol_));
  EXPECT_EQ(points.size(), 2u);
  EXPECT_EQ(loop->classifyPoint({5, 5}, tol_), CLoop::kInside);
  EXPECT_NEAR(loop->length(tol_), 40.0, 1e-9);
}

}  // namespace
