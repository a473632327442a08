#include "tests/geometry/curveShapes.h"
#include "geometry/curveCopying.h"
#include "geometry/curveListChecks.h"
#include "geometry/joinToComposite.h"
#include "geometry/releasePtrArray.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {

class curveLists : public WorkTolerances {};

// Every piece is simple and starts where the one before ended.
void expectSimpleChain(const curvePtrArray& pieces) {
  for (int i = 0; i < pieces.count(); ++i) {
    EXPECT_TRUE(XtGe::isSimpleCurveType(pieces[i]->type()));
    XtGePoint2d end;
    XtGePoint2d start;
    if (i > 0 && pieces[i - 1]->hasEndPoint(end) && pieces[i]->hasStartPoint(start)) {
      EXPECT_LT(end.distanceTo(start), 1e-9);
    }
  }
}

// A composite whose second piece is a composite that holds a composite:
// six simple pieces from (0, 0) round to (0, 0).
CompositePtr nested() {
  std::vector<CurvePtr> inner;
  inner.push_back(piece({2, 0}, {3, 1}, 0.3));
  inner.push_back(piece({3, 1}, {3, 2}));
  std::vector<CurvePtr> middle;
  middle.push_back(piece({1, 0}, {2, 0}));
  middle.push_back(std::make_unique<XtGeCompositeCurve2d>(std::move(inner)));
  middle.push_back(piece({3, 2}, {1, 3}, -0.2));
  std::vector<CurvePtr> outer;
  outer.push_back(piece({0, 0}, {1, 0}));
  outer.push_back(std::make_unique<XtGeCompositeCurve2d>(std::move(middle)));
  outer.push_back(piece({1, 3}, {0, 0}));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(outer));
}

}  // namespace

TEST_F(curveLists, ExplodingNestedCompositesGivesChainedSimplePieces) {
  const CompositePtr c = nested();
  curvePtrArray pieces;
  curveFlagArray flags;
  ASSERT_TRUE(explodeGeCurve(*c, pieces, flags));
  ASSERT_EQ(pieces.count(), 6);
  for (const std::int32_t f : flags) EXPECT_EQ(f, kCurveBorrowed);
  expectSimpleChain(pieces);
  double total = 0.0;
  for (const XtGeCurve2d* p : pieces) total += p->length();
  EXPECT_NEAR(total, c->length(), 1e-9);
  EXPECT_FALSE(explodeGeCurve(XtGeLineSeg2d({0, 0}, {1, 0}), pieces, flags));
  EXPECT_EQ(pieces.count(), 6);

  // Own copies of every piece, then an owned list exploded whole.
  copyCurvesOnce(pieces, flags);
  for (int i = 0; i < pieces.count(); ++i) EXPECT_EQ(flags[i], kCurveOwned);
  EXPECT_NE(pieces[0], c->curveAt(0));
  releasePtrArrayMasked(pieces, flags);
  EXPECT_TRUE(pieces.isEmpty() && flags.isEmpty());
  curvePtrArray list;
  list.append(nested().release());
  list.append(new XtGeCircArc2d(XtGePoint2d(5, 5), 1.0));
  explodeCurveList(list);
  ASSERT_EQ(list.count(), 7);
  for (const XtGeCurve2d* p : list) EXPECT_TRUE(XtGe::isSimpleCurveType(p->type()));
  EXPECT_EQ(list[6]->type(), XtGe::kCircArc2d);
  releasePtrArray(list);
}

TEST_F(curveLists, ExplodingOwnedItemsCopiesWhatTheyLend) {
  // The list owns a nested composite: the pieces must outlive it (the
  // address sanitizer build catches any that do not).
  curvePtrArray list;
  list.append(new XtGeLineSeg2d({-1, 0}, {0, 0}));
  list.append(nested().release());
  EXPECT_FALSE(explodeCurveListItem(0, list));
  EXPECT_FALSE(explodeCurveListItem(99, list));
  for (int i = 1; i < list.count();) i = explodeCurveListItem(i, list) ? i : i + 1;
  EXPECT_EQ(list.count(), 7);
  expectSimpleChain(list);
  releasePtrArray(list);

  // A borrowed composite lends its pieces on; an owned one gives copies.
  const CompositePtr borrowedFrom = nested();
  curvePtrArray mixed;
  curveFlagArray flags;
  mixed.append(borrowedFrom.get());
  flags.append(kCurveBorrowed);
  mixed.append(nested().release());  // no flag: owned
  ASSERT_TRUE(explodeCurveListItem(0, mixed, flags));
  EXPECT_EQ(mixed[0], borrowedFrom->curveAt(0));
  EXPECT_EQ(flags[0], kCurveBorrowed);
  ASSERT_TRUE(explodeCurveListItem(3, mixed, flags));
  ASSERT_EQ(mixed.count(), 6);
  EXPECT_EQ(flags[3], kCurveOwned);
  releasePtrArrayMasked(mixed, flags);
}

TEST_F(curveLists, JoinToCompositeFollowsTheReferences) {
  curvePtrArray list;
  list.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
  list.append(nullptr);
  list.append(new XtGeCircArc2d({3, 0}, {1, 0}, 0.5));
  hvArray<pieceRef> refs;
  refs.append(makePieceRef(2, true));
  refs.append(makePieceRef(0, false));
  refs.append((static_cast<pieceRef>(7) << 32) | 1);  // an unknown way: not used
  refs.append(makePieceRef(9, false));               // no such piece
  std::unique_ptr<XtGeCompositeCurve2d> out;
  ASSERT_EQ(joinToComposite(out, list, refs), 1);
  ASSERT_EQ(out->numCurves(), 2);
  XtGePoint2d p;
  ASSERT_TRUE(out->curveAt(0)->hasStartPoint(p));
  EXPECT_EQ(out->curveAt(0)->type(), XtGe::kCircArc2d);
  EXPECT_LT(p.distanceTo(XtGePoint2d(1, 0)), 1e-12);
  EXPECT_NE(out->curveAt(1), list[0]);
  refs.removeAll();
  refs.append(makePieceRef(1, false));
  EXPECT_EQ(joinToComposite(out, list, refs), 0);
  EXPECT_EQ(out, nullptr);
  releasePtrArray(list);  // skips the null entry
  EXPECT_TRUE(list.isEmpty());
}
