// Where the leads from the pipe ends land on the first offset loop of a room
// 3000 x 4000 entered by its wall y = 0 at the free border (163.178): square
// to the wall where they land apart, spread s apart along the loop where a
// pipe end beyond the border line beside the loop's corner would bring them
// together, and, swept along the wall at 1 mm steps at pitches from 0.03
// to 0.2 m, never much nearer each other than the pipe ends or the spacing;
// the meander's landings moved out of a narrow tip without crossing leads.
#include "heating/layout/LeadLandings.h"

#include "heating/layout/MeanderChain.h"

#include "heating/layout/PointSegmentDistance.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBorder = 163.178;
constexpr double kSpacing = 200.0;

class LeadLandings : public layout_test::LayoutTest {
 protected:
  std::unique_ptr<COffsetLoop> first = graph_test::polygonLoop(
      {{kBorder, kBorder}, {3000 - kBorder, kBorder}, {3000 - kBorder, 4000 - kBorder}, {kBorder, 4000 - kBorder}});

  // The distance between the two leads (straight from the pipe ends to their
  // landings), which do not cross.
  static double leadsApart(const XtGePoint2d& e1, const XtGePoint2d& q1, const XtGePoint2d& e2,
                           const XtGePoint2d& q2) {
    return std::min({pointSegmentDistance(e1, e2, q2), pointSegmentDistance(q1, e2, q2),
                     pointSegmentDistance(e2, e1, q1), pointSegmentDistance(q2, e1, q1)});
  }
};

TEST_F(LeadLandings, LandSquareUnlessTheyWouldMeet) {
  CLoopPoint q1, q2;
  // Apart on the loop's side: square to it, the pitch apart.
  ASSERT_TRUE(landLeads(*first, {1475, 0}, {1525, 0}, true, kSpacing, q1, q2));
  EXPECT_TRUE(q1.point.isEqualTo({1475, kBorder}, workTol));
  EXPECT_TRUE(q2.point.isEqualTo({1525, kBorder}, workTol));

  // The end 165 - 163.178 = 1.8 beyond the border line from the east wall,
  // the start on the wall's side of it: the end lands on the corner, the
  // start 1.8 from it. Spread about their middle, s apart along the loop:
  // the start's on the bottom side, the end's up the east side.
  ASSERT_TRUE(landLeads(*first, {2835, 0}, {2885, 0}, true, kSpacing, q1, q2));
  const double corner = 3000 - kBorder;
  const double middle = 0.5 * (2835 + corner);  // along the bottom side
  EXPECT_NEAR(q1.point.x, middle - 0.5 * kSpacing, 1e-6);
  EXPECT_NEAR(q1.point.y, kBorder, 1e-6);
  EXPECT_NEAR(q2.point.x, corner, 1e-6);
  EXPECT_NEAR(q2.point.y, kBorder + 0.5 * kSpacing - (corner - middle), 1e-6);
  EXPECT_NEAR(first->lengthBetween(q1, q2, true, workTol), kSpacing, 1e-6);

  // Both beyond the line: both on the corner, walked s/2 each way, the
  // start's in the direction given.
  for (const bool forward : {true, false}) {
    ASSERT_TRUE(landLeads(*first, {2900, 0}, {2950, 0}, forward, kSpacing, q1, q2));
    EXPECT_NEAR(first->lengthBetween(q2, q1, forward, workTol), kSpacing, 1e-6) << forward;
  }
}

// With corners joined (a ring along the first loop, the meander): at a
// pitch of 40 and s 205 a landing 43 from the corner would jog there, turn
// it and come back 199 from the other landing: it lands on the corner.
// One 170 from it stays (beyond the reach of 160), and so does one at a
// pitch of 92 (0.45 s: no jog comes back within s).
TEST_F(LeadLandings, JoinTheCornerTheyWouldJogTo) {
  EXPECT_NEAR(jogReach(43.0, 205.0), 0.5 * (162.0 + std::sqrt(162.0 * 162.0 - 2.0 * 43.0 * 43.0)), 1e-9);
  EXPECT_EQ(jogReach(0.45 * 205.0, 205.0), 0.0);
  EXPECT_EQ(jogReach(43.0, 0.0), 0.0);
  const double corner = kBorder;
  CLoopPoint q1, q2;
  for (const bool join : {false, true}) {
    ASSERT_TRUE(landLeads(*first, {corner + 43 + 40, 0}, {corner + 43, 0}, true, 205.0, q1, q2, join));
    EXPECT_TRUE(q1.point.isEqualTo({corner + 83, kBorder}, workTol)) << join;
    EXPECT_TRUE(q2.point.isEqualTo(join ? XtGePoint2d(corner, kBorder) : XtGePoint2d(corner + 43, kBorder), workTol))
        << join;
  }
  ASSERT_TRUE(landLeads(*first, {corner + 210, 0}, {corner + 170, 0}, true, 205.0, q1, q2, true));
  EXPECT_TRUE(q2.point.isEqualTo({corner + 170, kBorder}, workTol));
  ASSERT_TRUE(landLeads(*first, {corner + 43 + 92, 0}, {corner + 43, 0}, true, 205.0, q1, q2, true));
  EXPECT_TRUE(q2.point.isEqualTo({corner + 43, kBorder}, workTol));
}

TEST_F(LeadLandings, NeverBringTheLeadsTogetherAlongTheWall) {
  for (const double pitch : {30.0, 50.0, 100.0, 150.0, 200.0}) {
    for (double x = 0.5 * pitch + 10; x <= 3000 - 0.5 * pitch - 10; x += 1.0) {
      const XtGePoint2d e1(x - 0.5 * pitch, 0), e2(x + 0.5 * pitch, 0);
      CLoopPoint q1, q2;
      // As the layouts take it: the start's point lies a short way ahead of
      // the end's along the boundary (east along this wall), here behind.
      ASSERT_TRUE(landLeads(*first, e1, e2, false, kSpacing, q1, q2));
      // Square leads keep the pitch; two that fan out from a corner of the
      // loop come a little nearer on their way (at most 30 %).
      EXPECT_GE(leadsApart(e1, q1.point, e2, q2.point), 0.7 * std::min(pitch, kSpacing)) << pitch << " at " << x;
      // Both pipe ends facing the loop's side: both leads square to it.
      if (e1.x >= kBorder && e2.x <= 3000 - kBorder) {
        EXPECT_TRUE(q1.point.isEqualTo({e1.x, kBorder}, workTol) && q2.point.isEqualTo({e2.x, kBorder}, workTol))
            << pitch << " at " << x;
      }
    }
  }
}

// A first loop with a tip of 15 degrees whose apex both pipe ends lie
// beyond (a corridor entered next to its slanted far end): the supply and
// return walk along the tip's two sides nearer than s, and a landing moves
// out of the tip. Moving the end's landing up the tip's far side would take
// its lead across the start's: the start's landing moves along the near
// side instead, and the leads never cross.
TEST_F(LeadLandings, MovedOutOfANarrowTipTheLeadsNeverCross) {
  const double s = 259.0;
  auto tip = graph_test::polygonLoop({{-5000, 0}, {0, 0}, {-5000, 5000 * std::tan(15.0 * 3.14159265358979 / 180)}});
  const XtGePoint2d e1(130, -163), e2(230, -163);
  EXPECT_TRUE(leadsCross(e1, {-3000, 800}, e2, {-500, 0}));
  EXPECT_FALSE(leadsCross(e1, {-500, 0}, e2, {-3000, 800}));
  for (const bool forward : {false, true}) {
    const XtGePoint2d& start = forward ? e2 : e1;
    const XtGePoint2d& end = forward ? e1 : e2;
    CLoopPoint q1, q2;
    ASSERT_TRUE(landLeads(*tip, start, end, forward, s, q1, q2, true));
    const CLoopPoint landed1 = q1, landed2 = q2;
    keepMeanderLeadNodesApart(*tip, start, end, q1, q2, forward, s);
    EXPECT_FALSE(leadsCross(start, q1.point, end, q2.point)) << forward;
    // Out of the tip: the moved landing some spacings from the apex.
    EXPECT_GT(std::max(q1.point.distanceTo(landed1.point), q2.point.distanceTo(landed2.point)), 2.0 * s) << forward;
  }
}

}  // namespace
