// Whole curve arrays: transforms that move what can follow, summed lengths
// that refuse unbounded curves, translated copies.
#include <gtest/gtest.h>

#include <numbers>

#include "geometry/Tolerances.h"
#include "geometry/curveArray.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

namespace {

const XtGeTol tight(1e-12, 1e-12);

TEST(CurveArray, TransformsLengthsAndTranslatedCopies) {
  ownedCurveList curves;
  appendOwnedCurve(curves.list, std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(3, 4)));
  appendOwnedCurve(curves.list, std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 1.0));
  double length = 0.0;
  EXPECT_EQ(curveListLength(curves.list, length), 0);
  EXPECT_NEAR(length, 5.0 + 2 * std::numbers::pi, 1e-12);

  EXPECT_FALSE(curveArray::transformBy(curves.list, XtGeMatrix2d::scaling(2.0, 1.0)));
  const auto* segment = static_cast<const XtGeLineSeg2d*>(curves.list[0]);
  EXPECT_TRUE(segment->endPoint().isEqualTo({6, 4}, tight));  // the segment moved, the circle could not
  EXPECT_NEAR(static_cast<const XtGeCircArc2d*>(curves.list[1])->radius(), 1.0, 1e-12);
  EXPECT_TRUE(curveArray::transformBy(curves.list, XtGeMatrix2d::translation({1, 1})));

  ownedCurveList copies;
  const XtGeTol saved = workTolFine;
  workTolFine = XtGeTol(1e-9, 1e-11);
  EXPECT_EQ(appendTranslatedCopies(curves.list, copies.list, {0, 5e-10}), 2);
  EXPECT_EQ(appendTranslatedCopies(curves.list, copies.list, {0, 10}), 2);
  workTolFine = saved;
  EXPECT_TRUE(static_cast<const XtGeLineSeg2d*>(copies.list[0])->startPoint().isEqualTo({1, 1}, tight));
  EXPECT_TRUE(static_cast<const XtGeLineSeg2d*>(copies.list[2])->startPoint().isEqualTo({1, 11}, tight));

  appendOwnedCurve(curves.list, std::make_unique<XtGeLine2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0)));
  EXPECT_EQ(curveListLength(curves.list, length), 6);
}

}  // namespace
