#include "tests/geometry/curveShapes.h"
#include "geometry/curveArea.h"
#include "geometry/curveChainJoin.h"
#include "geometry/releasePtrArray.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace curveShapes;

namespace {
class curveChains : public WorkTolerances {};
}  // namespace

TEST_F(curveChains, ShuffledPartlyReversedPiecesMakeOneClosedChain) {
  std::mt19937 rng(17);
  std::bernoulli_distribution flip(0.4);
  for (int k = 0; k < 20; ++k) {
    const CompositePtr shape = k % 2 ? randomOutline(rng, XtGePoint2d(k, 1e6), 5 + k, 3.0, 9.0, 0.3)
                                     : roundedRectangle(0, 0, 10 + k, 5, 1);
    std::vector<XtGeCurve2d*> pieces;
    for (int i = 0; i < shape->numCurves(); ++i) pieces.push_back(shape->curveAt(i)->copy());
    std::shuffle(pieces.begin(), pieces.end(), rng);
    curvePtrArray list;
    for (XtGeCurve2d* p : pieces) list.append(flip(rng) ? &p->reverseParam() : p);

    const std::unique_ptr<XtGeCurve2d> chain = curveChainJoin(list, false, false);
    ASSERT_TRUE(chain);
    EXPECT_TRUE(list.isEmpty());
    ASSERT_EQ(chain->type(), XtGe::kCompositeCrv2d);
    const auto& joined = static_cast<const XtGeCompositeCurve2d&>(*chain);
    for (int i = 0; i < joined.numCurves(); ++i) {
      XtGePoint2d end;
      XtGePoint2d start;
      joined.curveAt(i)->hasEndPoint(end);
      joined.curveAt((i + 1) % joined.numCurves())->hasStartPoint(start);
      EXPECT_LT(end.distanceTo(start), 1e-9);
    }
    double a = 0.0;
    double b = 0.0;
    ASSERT_TRUE(getCurveArea(*chain, a));
    ASSERT_TRUE(getCurveArea(*shape, b));
    EXPECT_NEAR(a, b, 1e-9 * b);
  }
}

TEST_F(curveChains, JoinAllMakesOneEntryPerChainAndLeavesWhatCannotChain) {
  // The mixed sides of two squares, one traced backwards, a ray and a loose
  // segment.
  const CompositePtr a = outline({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  const CompositePtr b = outline({{5, 5}, {6, 5}, {6, 6}, {5, 6}});
  curvePtrArray list;
  for (int i = 0; i < 4; ++i) {
    list.append(a->curveAt(i)->copy());
    list.append(&b->curveAt(3 - i)->copy()->reverseParam());
  }
  list.append(new XtGeRay2d(XtGePoint2d(9, 9), XtGeVector2d(1, 0)));
  list.append(new XtGeLineSeg2d({20, 0}, {21, 0}));
  EXPECT_EQ(curveList::joinAll(list), 4);
  int closed = 0;
  for (const XtGeCurve2d* c : list) closed += c->xtIsClosed(workTol) ? 1 : 0;
  EXPECT_EQ(closed, 2);
  releasePtrArray(list);
}

TEST_F(curveChains, LinesAndArcsOnlyAndClosing) {
  curvePtrArray list;
  list.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
  list.append(new XtGeEllipArc2d());
  // With the lines-and-arcs flag even one curve becomes a composite; the
  // ellipse is never taken.
  std::unique_ptr<XtGeCurve2d> chain = curveChainJoin(list, true, false);
  ASSERT_TRUE(chain);
  EXPECT_EQ(chain->type(), XtGe::kCompositeCrv2d);
  ASSERT_EQ(list.count(), 1);
  EXPECT_FALSE(curveChainJoin(list, true, false));
  EXPECT_EQ(curveList::joinAll(list, true), 1);
  releasePtrArray(list);
  // Without it one curve comes back as itself; with close the ends are joined.
  list.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
  list.append(new XtGeLineSeg2d({1, 0}, {1, 1}));
  chain = curveChainJoin(list, false, true);
  EXPECT_TRUE(chain->xtIsClosed(workTol));
  EXPECT_EQ(static_cast<XtGeCompositeCurve2d*>(chain.get())->numCurves(), 3);
  XtGeCurve2d* arc = new XtGeCircArc2d(XtGePoint2d(0, 0), 1.0, 0.0, 1.0);
  list.append(arc);
  EXPECT_EQ(curveChainJoin(list, false, false).get(), arc);
}
