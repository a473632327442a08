// The zone boundary loop: its items' numbers, copies, merges and lookups.
#include "heating/curves/CBoundPoint.h"

#include "ZoneTestSupport.h"

namespace {

using curve_test::line;
using curve_test::near;
using curve_test::polyline;

class BoundLoop : public zone_test::ZoneTest {
 protected:
  void SetUp() override { loop_.append(curve_test::rectangle(0, 0, 6000, 4000)); }
  CFHBoundLoop loop_;  // 6 x 4 m, counter-clockwise from the origin
};

TEST_F(BoundLoop, ItemsAreNumberedOnAppendAndKeepTheirNumbersInCopies) {
  auto kept = line({0, 0}, {10, 0});
  EXPECT_EQ(loop_.append(*kept), 1);
  ASSERT_EQ(loop_.itemCount(), 5);
  EXPECT_NE(loop_.item(4)->curve, kept.get());
  for (int i = 1; i < 5; ++i) {
    const CFHBoundLoopItem &a = *loop_.item(i - 1), &b = *loop_.item(i);
    EXPECT_TRUE(b.value == -1.0 && b.id == a.id + 1 && b.serial > a.serial);
    EXPECT_EQ(b.curve->source(), nullptr) << "it would dangle once the polyline is freed";
  }
  loop_.item(2)->value = 0.5;
  ASSERT_TRUE(loop_.item(0)->mergeWith(*loop_.item(1)));  // item 0 now has sources

  CFHBoundLoop copy;
  for (const CFHBoundLoop* from : {&loop_, &loop_, &copy}) copy.copyFrom(*from);
  ASSERT_EQ(copy.itemCount(), 5);
  for (int i = 0; i < 5; ++i) {
    const CFHBoundLoopItem &a = *loop_.item(i), &b = *copy.item(i);
    EXPECT_TRUE(a.curve != b.curve && near(a.curve->endPoint(), b.curve->endPoint()) && b.sources.empty());
    EXPECT_EQ(std::tie(a.value, a.id, a.serial), std::tie(b.value, b.id, b.serial));
  }
  // Loops made from offset curves carry no numbers and advance no counter.
  copy.setFromCurves({kept.get(), nullptr, kept.get()});
  EXPECT_EQ(copy.itemCount(), 2);
  EXPECT_EQ(copy.item(1)->id, 0);
  copy.append(*kept);
  EXPECT_EQ(copy.item(2)->id, loop_.item(4)->id + 1);
}

// mergeWith covers both items from the first pair of ends that meet; items
// that do not meet stay as they are (the caller keeps both).
TEST_F(BoundLoop, MergesJoinAtMeetingEndsOnly) {
  const XtGePoint2d o{0, 0}, m{5, 0}, e{9, 0};
  const XtGePoint2d cases[][4] = {{o, m, m, e}, {m, o, m, e}, {m, e, o, m}, {o, m, e, m}};  // A0 A1 B0 B1
  for (const auto& c : cases) {
    CFHBoundLoopItem a(line(c[0], c[1]));
    ASSERT_TRUE(a.mergeWith(CFHBoundLoopItem(line(c[2], c[3]))));
    EXPECT_TRUE(near(a.curve->startPoint(), o) && near(a.curve->endPoint(), e));
    EXPECT_TRUE(a.sources.size() == 2 && near(a.sources[1]->startPoint(), c[2]));
  }
  CFHBoundLoopItem a(line(o, m));
  EXPECT_FALSE(a.mergeWith(CFHBoundLoopItem(line({6, 0}, e))));
  EXPECT_TRUE(a.sources.empty() && near(a.curve->endPoint(), m));

  // A mid-side vertex; a side split across the loop's start with a piece of
  // no length.
  CFHBoundLoop midSide, split;
  midSide.append(polyline({{0, 0}, {3000, 0}, {6000, 0}, {6000, 4000}, {0, 4000}, {0, 0}}));
  EXPECT_EQ(midSide.mergeCollinear(), 1);
  EXPECT_TRUE(midSide.itemCount() == 4 && midSide.item(0)->sources.size() == 2);
  split.append(polyline({{3000, 4000}, {0, 4000}, {0, 0}, {6000, 0}, {6000, 4000}, {3000, 4000}}));
  split.append(line({3000, 4000}, {3000, 4000}));
  EXPECT_EQ(split.mergeCollinear(), 2);
  EXPECT_TRUE(split.itemCount() == 4 && split.item(3)->sources.size() == 3);
  EXPECT_TRUE(zone_test::isClosedChain(split));
  EXPECT_NEAR(zone_test::signedArea(split), 24e6, 1e-6);
}

TEST_F(BoundLoop, LookupsByIdPositionSerialPointAndCurve) {
  loop_.item(2)->serial = 1000000;
  loop_.item(3)->serial = 1;  // a valid position is taken as a position
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(loop_.itemById(loop_.item(i)->id), loop_.item(i));
    EXPECT_EQ(loop_.itemIdAt(i), loop_.item(i)->id);
  }
  EXPECT_EQ(loop_.itemIdAt(1000000), loop_.item(2)->id);
  EXPECT_EQ(loop_.itemIdAt(999999), -1);
  EXPECT_EQ(loop_.indexOfId(0), -1);

  CBoundPoint point({1, 1}, loop_.elements);
  EXPECT_TRUE(loop_.notifyItemsOn({6000, 0}, point, workTol));
  EXPECT_EQ(point.links(), (std::vector<CLoopElement*>{loop_.item(0), loop_.item(1)}));
  EXPECT_FALSE(loop_.notifyItemsOn({3000, 1}, point, workTol));

  CFHBoundLoop clockwise, taller;
  clockwise.append(polyline({{0, 0}, {0, 4000}, {6000, 4000}, {6000, 0}, {0, 0}}));
  taller.append(curve_test::rectangle(0, 0, 6000, 4100));
  EXPECT_TRUE(CFHBoundLoop::sharesEndPoint(loop_, clockwise));
  EXPECT_FALSE(CFHBoundLoop::sharesEndPoint(loop_, taller));

  auto below = line({0, -100}, {6000, -100}), beside = line({6100, 0}, {6100, 4000});
  auto far = line({0, 9000}, {6000, 9000}), nearer = line({6050, 0}, {6050, 4000});
  std::vector<CFHBoundLoopItem*> items;
  std::vector<const CFloorHeatingCurve*> curves;
  const XtGeTol tol(1.0, 1e-5);
  ASSERT_TRUE(loop_.nearestItemCurvePairs({far.get(), below.get(), beside.get()}, items, curves, tol));
  EXPECT_EQ(items, (std::vector<CFHBoundLoopItem*>{loop_.item(0), loop_.item(1)}));
  EXPECT_EQ(curves, (std::vector<const CFloorHeatingCurve*>{below.get(), beside.get()}));
  ASSERT_TRUE(loop_.nearestItemCurvePairs({below.get(), nearer.get()}, items, curves, tol));
  EXPECT_EQ(items, (std::vector<CFHBoundLoopItem*>{loop_.item(1)}));
}

}  // namespace
