// Who owns the pieces of a composite: handed over with flag 1, copied with
// flag 0 or without flags. Run under AddressSanitizer these catch leaks and
// double deletes.
#include "tests/platform/ge/GeShapes.h"
#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

// A segment that counts the live instances of its kind.
class CountedSegment : public XtGeLineSeg2d {
public:
  CountedSegment(const XtGePoint2d& a, const XtGePoint2d& b) : XtGeLineSeg2d(a, b) { ++alive; }
  CountedSegment(const CountedSegment& o) : XtGeLineSeg2d(o) { ++alive; }
  ~CountedSegment() override { --alive; }
  [[nodiscard]] CountedSegment* copy() const override { return new CountedSegment(*this); }
  static inline int alive = 0;
};

XtGeCurve2dPtrArray twoSegments() {
  XtGeCurve2dPtrArray curves;
  curves.append(new CountedSegment(XtGePoint2d(0, 0), XtGePoint2d(1, 0)));
  curves.append(new CountedSegment(XtGePoint2d(1, 0), XtGePoint2d(1, 1)));
  return curves;
}

// A composite that was handed two counted segments (flag 1); curves
// receives the pointers handed over.
XtGeCompositeCurve2d handedOver(XtGeCurve2dPtrArray& curves) {
  curves = twoSegments();
  XtGeIntArray flags;
  flags.append(1);
  flags.append(1);
  return XtGeCompositeCurve2d(curves, flags);
}

void deleteAll(XtGeCurve2dPtrArray& curves) {
  for (XtGeCurve2d* c : curves) delete c;
  curves.setLogicalLength(0);
}

}  // namespace

TEST(GeCompositeOwnership, FlagOneHandsThePiecesOver) {
  CountedSegment::alive = 0;
  {
    XtGeCurve2dPtrArray curves;
    const XtGeCompositeCurve2d c = handedOver(curves);
    EXPECT_EQ(CountedSegment::alive, 2);  // no copies
    XtGeCurve2dPtrArray held;
    c.getCurveList(held);
    ASSERT_EQ(held.length(), 2);
    EXPECT_EQ(held[0], curves[0]);
    EXPECT_EQ(c.numCurves(), 2);
  }
  EXPECT_EQ(CountedSegment::alive, 0);  // deleted with the composite
}

TEST(GeCompositeOwnership, FlagZeroAndNoFlagsCopy) {
  CountedSegment::alive = 0;
  XtGeCurve2dPtrArray curves = twoSegments();
  {
    XtGeIntArray flags;
    flags.append(0);  // the second flag is missing: copied too
    const XtGeCompositeCurve2d c(curves, flags);
    const XtGeCompositeCurve2d d(curves);
    EXPECT_EQ(CountedSegment::alive, 6);
    XtGeCurve2dPtrArray held;
    c.getCurveList(held);
    EXPECT_NE(held[0], curves[0]);
  }
  EXPECT_EQ(CountedSegment::alive, 2);
  deleteAll(curves);
  EXPECT_EQ(CountedSegment::alive, 0);
}

TEST(GeCompositeOwnership, MixedFlagsDuplicatesAndOwnPieces) {
  CountedSegment::alive = 0;
  {
    XtGeCurve2dPtrArray curves = twoSegments();
    XtGeCurve2d* kept = curves[1];
    curves.append(curves[0]);  // handed over twice: the second is copied
    curves.append(nullptr);    // skipped
    XtGeIntArray flags;
    for (int f : {1, 0, 1, 1}) flags.append(f);
    XtGeCompositeCurve2d c(curves, flags);
    EXPECT_EQ(c.numCurves(), 3);
    EXPECT_EQ(CountedSegment::alive, 4);  // 2 given + copies of [1] and the duplicate

    // Handing the composite's own pieces back to it keeps them alive.
    XtGeCurve2dPtrArray own;
    c.getCurveList(own);
    XtGeIntArray ownFlags;
    for (int i = 0; i < own.length(); ++i) ownFlags.append(1);
    own.reverse();
    c.setCurveList(own, ownFlags);
    EXPECT_EQ(CountedSegment::alive, 4);
    expectNear(c.xtEvalPoint(0.0), XtGePoint2d(0, 0));

    // Copies of its own pieces (no flags) replace them.
    c.getCurveList(own);
    c.setCurveList(own);
    EXPECT_EQ(CountedSegment::alive, 4);
    EXPECT_EQ(c.numCurves(), 3);

    // The composite itself in its own list is copied, never adopted.
    XtGeCurve2dPtrArray self;
    self.append(&c);
    XtGeIntArray selfFlag;
    selfFlag.append(1);
    c.setCurveList(self, selfFlag);
    EXPECT_EQ(c.numCurves(), 1);
    EXPECT_NEAR(c.length(), 3.0, 1e-15);
    delete kept;
  }
  EXPECT_EQ(CountedSegment::alive, 0);
}

TEST(GeCompositeOwnership, CopiesMovesAndAssignmentsAreDeep) {
  CountedSegment::alive = 0;
  {
    XtGeCurve2dPtrArray curves;
    XtGeCompositeCurve2d a = handedOver(curves);
    XtGeCompositeCurve2d b(a);
    EXPECT_EQ(CountedSegment::alive, 4);
    std::unique_ptr<XtGeCurve2d> c(a.copy());
    EXPECT_EQ(CountedSegment::alive, 6);
    b = a;
    EXPECT_EQ(CountedSegment::alive, 6);
    XtGeCompositeCurve2d moved(std::move(a));
    EXPECT_EQ(CountedSegment::alive, 6);
    EXPECT_EQ(a.numCurves(), 0);  // NOLINT: the moved-from composite is empty
    EXPECT_TRUE(moved.isOn(XtGePoint2d(1, 0.5)));
    b = std::move(moved);
    EXPECT_EQ(CountedSegment::alive, 4);
    EXPECT_TRUE(b.isOn(XtGePoint2d(1, 0.5)));
    const XtGeCompositeCurve2d& alias = b;
    b = alias;  // self-assignment keeps the pieces
    EXPECT_EQ(b.numCurves(), 2);
  }
  EXPECT_EQ(CountedSegment::alive, 0);
}

TEST(GeCompositeOwnership, SplitAndTrimResultsBelongToTheCaller) {
  CountedSegment::alive = 0;
  {
    XtGeCurve2dPtrArray curves;
    XtGeCompositeCurve2d c = handedOver(curves);
    XtGeCurve2d* p1 = nullptr;
    XtGeCurve2d* p2 = nullptr;
    c.getSplitCurves(0.25, p1, p2);
    std::unique_ptr<XtGeCurve2d> own1(p1), own2(p2);
    ASSERT_TRUE(p1 && p2);
    EXPECT_NEAR(p1->length(), 0.5, 1e-15);
    ASSERT_TRUE(c.setInterval(XtGeInterval(0.25, 0.75)));
    EXPECT_NEAR(c.length(), 1.0, 1e-15);
  }
  EXPECT_EQ(CountedSegment::alive, 0);
}
