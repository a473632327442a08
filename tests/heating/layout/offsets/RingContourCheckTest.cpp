// The check that contours read from the tessellator run along the edges of
// the ring they were made of.
#include "heating/layout/offsets/RingContourCheck.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"

#include <memory>

namespace {

using graph_test::polygonLoop;

class RingContourCheck : public layout_test::LayoutTest {};

// A square ring with a bow tie at its top right: the edges (10, 10) ->
// (14, 6) and (14, 14) -> (10, 14) cross none of the square's sides.
const std::vector<XtGePoint2d> kRing = {{0, 0}, {10, 0}, {10, 10}, {14, 6}, {14, 14}, {10, 14}, {10, 10}, {0, 10}};

bool follows(const std::vector<XtGePoint2d>& loop) {
  std::vector<COffsetLoop*> loops{polygonLoop(loop).release()};
  const bool answer = loopsFollowRing(kRing, loops, 0, 1e-3);
  for (COffsetLoop* l : loops) delete l;
  return answer;
}

TEST_F(RingContourCheck, ContoursAlongTheRingPassAndOnesThatLeaveItFail) {
  EXPECT_TRUE(follows({{0, 0}, {10, 0}, {10, 10}, {0, 10}})) << "the square";
  EXPECT_TRUE(follows({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}})) << "a point on a side";
  EXPECT_TRUE(follows({{0, 0}, {10, 0}, {10, 10.0000005}, {0, 10}})) << "a vertex within the tolerance";
  // A corner moved off the ring: its sections leave the edges at (10, 0)
  // and at (0, 10).
  EXPECT_FALSE(follows({{0, 0}, {10, 0}, {9, 9}, {0, 10}}));
  // From the ring's vertex (10, 10) straight to (14, 14): along no edge
  // at either end.
  EXPECT_FALSE(follows({{10, 10}, {14, 14}, {10, 14}}));
  // Sections between points that are no vertices of the ring (crossings)
  // are not judged.
  EXPECT_TRUE(follows({{1, 1}, {2, 1}, {2, 2}}));
}

// Only the loops from `first` on are judged.
TEST_F(RingContourCheck, LoopsBeforeTheFirstAreLeftAlone) {
  std::vector<COffsetLoop*> loops{polygonLoop({{0, 0}, {10, 0}, {9, 9}, {0, 10}}).release(),
                                  polygonLoop({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).release()};
  EXPECT_FALSE(loopsFollowRing(kRing, loops, 0, 1e-3));
  EXPECT_TRUE(loopsFollowRing(kRing, loops, 1, 1e-3));
  for (COffsetLoop* l : loops) delete l;
}

}  // namespace
