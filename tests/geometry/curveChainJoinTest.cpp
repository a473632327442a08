#include "curveShapes.h"
#include "geometry/curveArea.h"
#include "geometry/curveChainJoin.h"
#include "geometry/curveCopying.h"
#include "geometry/releasePtrArray.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace curveShapes;

namespace {

class curveChains : public WorkTolerances {};

// Owned copies of the pieces of an outline, shuffled, some reversed.
curvePtrArray shuffledPieces(const XtGeCompositeCurve2d& shape, std::mt19937& rng) {
  std::vector<XtGeCurve2d*> pieces;
  for (int i = 0; i < shape.numCurves(); ++i) pieces.push_back(shape.curveAt(i)->copy());
  std::shuffle(pieces.begin(), pieces.end(), rng);
  std::bernoulli_distribution flip(0.4);
  curvePtrArray list;
  for (XtGeCurve2d* p : pieces) {
    if (flip(rng)) p->reverseParam();
    list.append(p);
  }
  return list;
}

void expectChained(const XtGeCurve2d& c) {
  ASSERT_EQ(c.type(), XtGe::kCompositeCrv2d);
  const auto& comp = static_cast<const XtGeCompositeCurve2d&>(c);
  for (int i = 1; i < comp.numCurves(); ++i) {
    XtGePoint2d end;
    XtGePoint2d start;
    comp.curveAt(i - 1)->hasEndPoint(end);
    comp.curveAt(i)->hasStartPoint(start);
    EXPECT_LT(end.distanceTo(start), 1e-9);
  }
}

}  // namespace

TEST_F(curveChains, ShuffledPartlyReversedPiecesMakeOneClosedChain) {
  std::mt19937 rng(17);
  for (int k = 0; k < 20; ++k) {
    const CompositePtr shape = k % 2 ? randomOutline(rng, XtGePoint2d(k, 1e6), 5 + k, 3.0, 9.0, 0.3)
                                     : roundedRectangle(0, 0, 10 + k, 5, 1);
    curvePtrArray list = shuffledPieces(*shape, rng);
    std::unique_ptr<XtGeCurve2d> chain = curveChainJoin(list, false, false);
    ASSERT_TRUE(chain);
    EXPECT_TRUE(list.isEmpty());
    expectChained(*chain);
    EXPECT_TRUE(chain->xtIsClosed(workTol));
    EXPECT_NEAR(chain->length(), shape->length(), 1e-9 * shape->length());
    double a = 0.0;
    double b = 0.0;
    ASSERT_TRUE(getCurveArea(*chain, a));
    ASSERT_TRUE(getCurveArea(*shape, b));
    EXPECT_NEAR(a, b, 1e-9 * b);
  }
}

TEST_F(curveChains, JoinAllMakesOneEntryPerChain) {
  // The sides of two squares mixed, one square's reversed, plus a ray and a
  // loose segment.
  curvePtrArray list;
  const CompositePtr a = outline({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  const CompositePtr b = outline({{5, 5}, {6, 5}, {6, 6}, {5, 6}});
  for (int i = 0; i < 4; ++i) {
    list.append(a->curveAt(i)->copy());
    XtGeCurve2d* reversed = b->curveAt(3 - i)->copy();
    reversed->reverseParam();
    list.append(reversed);
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
  // A single usable curve with the lines-and-arcs flag still becomes a composite.
  std::unique_ptr<XtGeCurve2d> chain = curveChainJoin(list, true, false);
  ASSERT_TRUE(chain);
  EXPECT_EQ(chain->type(), XtGe::kCompositeCrv2d);
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list[0]->type(), XtGe::kEllipArc2d);
  EXPECT_FALSE(curveChainJoin(list, true, false));  // nothing usable left
  EXPECT_EQ(curveList::joinAll(list, true), 1);     // the ellipse stays as it is
  releasePtrArray(list);

  // Without the flag one curve comes back as itself; with close it is closed.
  list.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
  list.append(new XtGeLineSeg2d({1, 0}, {1, 1}));
  XtGeCurve2d* first = list[0];
  chain = curveChainJoin(list, false, true);
  ASSERT_TRUE(chain);
  EXPECT_TRUE(chain->xtIsClosed(workTol));
  EXPECT_EQ(static_cast<XtGeCompositeCurve2d*>(chain.get())->numCurves(), 3);
  list.append(new XtGeCircArc2d(XtGePoint2d(0, 0), 1.0, 0.0, 1.0));
  chain = curveChainJoin(list, false, false);
  EXPECT_EQ(chain->type(), XtGe::kCircArc2d);
  EXPECT_NE(chain.get(), first);
  EXPECT_TRUE(list.isEmpty());
}
