// The shape test beside a point that the spiral layout asks.
#include "CLoopTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace loop_test;
using CLoopNeighboursTest = LoopTest;

// After the bottom edge (0) the loop turns left (1), then right (2); in the
// step the turn after that is to the left, in the notch to the right.
std::vector<XtGePoint2d> stepPoints() { return {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {0, 20}}; }
std::vector<XtGePoint2d> notchPoints() {
  return {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 5}, {30, 5}, {30, 30}, {0, 30}};
}

TEST_F(CLoopNeighboursTest, StepBesideTheBottomEdge) {
  auto loop = polygonLoop(stepPoints());
  const CLoopPoint reference = at({3, 0}, {loop->at(0)});
  EXPECT_TRUE(loop->walkNeighbours({5, 1}, 1.0, false, reference, nullptr));
  EXPECT_FALSE(loop->walkNeighbours({11, -1}, 1.0, false, reference, nullptr));  // nearest to a joint
  EXPECT_FALSE(loop->walkNeighbours({5, 1}, 1.0, false, CLoopPoint({3, 0}), nullptr));
  EXPECT_FALSE(loop->walkNeighbours({5, 1}, 1.0, true, reference, nullptr));
  // In the third of the edge next to the turn: no, unless a hint lies
  // towards the turn's far end or the reference sits at a joint.
  const XtGePoint2d towardsTurn(10, 9);
  const XtGePoint2d awayFromTurn(10, 1);
  EXPECT_FALSE(loop->walkNeighbours({8, 1}, 1.0, false, reference, nullptr));
  EXPECT_TRUE(loop->walkNeighbours({8, 1}, 1.0, false, reference, &towardsTurn));
  EXPECT_FALSE(loop->walkNeighbours({8, 1}, 1.0, false, reference, &awayFromTurn));
  EXPECT_TRUE(loop->walkNeighbours({8, 1}, 1.0, false, at({0, 0}, {loop->at(0)}), nullptr));
}

TEST_F(CLoopNeighboursTest, NotchWeighsTheEdgeAgainstTheDistanceAndSmallLoopsSayNo) {
  auto loop = polygonLoop(notchPoints());
  const CLoopPoint reference = at({3, 0}, {loop->at(0)});
  EXPECT_TRUE(loop->walkNeighbours({5, 1}, 2.0, false, reference, nullptr));   // 10 >= 4 x 2
  EXPECT_FALSE(loop->walkNeighbours({5, 1}, 3.0, false, reference, nullptr));  // 10 < 4 x 3

  auto five = polygonLoop({{0, 0}, {10, 0}, {10, 10}, {20, 10}, {0, 20}});
  EXPECT_FALSE(five->walkNeighbours({5, 1}, 1.0, false, at({3, 0}, {five->at(0)}), nullptr));
  // A convex loop turns left everywhere: never.
  auto hexagon = polygonLoop({{0, 0}, {10, 0}, {15, 5}, {10, 10}, {0, 10}, {-5, 5}});
  for (bool backward : {false, true})
    EXPECT_FALSE(hexagon->walkNeighbours({5, 1}, 1.0, backward, at({3, 0}, {hexagon->at(0)}), nullptr));
}

}  // namespace

namespace {

// A T: the stem's bottom edge (0) between its two sides, as long as each
// other, below the bar.
std::vector<XtGePoint2d> teePoints() {
  return {{0, 0}, {10, 0}, {10, 20}, {30, 20}, {30, 30}, {-20, 30}, {-20, 20}, {0, 20}};
}

}  // namespace

// Sides drawn equal stay equal: the T's stem sides, each vertex moved by up
// to 1e-9, give the answer of the T as drawn (the side behind the edge was
// once weighed against the side ahead by their last bits).
TEST_F(CLoopNeighboursTest, SidesDrawnEqualTieUnderNoise) {
  auto drawn = polygonLoop(teePoints());
  ASSERT_TRUE(drawn->walkNeighbours({5, 1}, 1.0, false, at({3, 0}, {drawn->at(0)}), nullptr));
  std::mt19937 random(5);
  std::uniform_real_distribution<double> move(-1e-9, 1e-9);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<XtGePoint2d> points = teePoints();
    for (XtGePoint2d& p : points) p.set(p.x + move(random), p.y + move(random));
    auto noisy = polygonLoop(points);
    EXPECT_TRUE(noisy->walkNeighbours({5, 1}, 1.0, false, at({3, 0}, {noisy->at(0)}), nullptr)) << "trial " << trial;
  }
}
