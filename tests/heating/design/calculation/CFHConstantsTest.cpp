// The heating calculation's constant curves and the lookup on them.
#include <gtest/gtest.h>

#include <cmath>

#include "heating/design/calculation/CFHConstants.h"

namespace {

TEST(CFHConstants, ZoneCalculationCurve) {
  const XtGePoint2dArray& curve = CFHConstants::instance().curve(CFHConstants::zoneCalculationCurve);
  ASSERT_EQ(curve.length(), 43);
  EXPECT_EQ(curve[0].x, 0.1);
  EXPECT_EQ(curve[0].y, 20.0);
  EXPECT_EQ(curve[28].x, 0.52);
  EXPECT_EQ(curve[28].y, 300.0);
  EXPECT_EQ(curve[29].x, 0.55);
  EXPECT_EQ(curve[29].y, 325.0);
  EXPECT_EQ(curve[40].x, 0.79);
  EXPECT_EQ(curve[40].y, 600.0);
  EXPECT_EQ(curve[41].y, 650.0);
  EXPECT_EQ(curve[42].x, 0.86);
  EXPECT_EQ(curve[42].y, 700.0);
  for (int i = 1; i < curve.length(); ++i) {
    EXPECT_LT(curve[i - 1].x, curve[i].x) << i;
    EXPECT_LT(curve[i - 1].y, curve[i].y) << i;
  }
  EXPECT_TRUE(CFHConstants::instance().curve(0).isEmpty());
  EXPECT_TRUE(CFHConstants::instance().curve(CFHConstants::kvTableCurve).isEmpty());
  EXPECT_THROW(CFHConstants::instance().curve(3), std::out_of_range);
}

TEST(CFHConstants, LookupClampsAndInterpolates) {
  const XtGePoint2dArray& curve = CFHConstants::instance().curve(CFHConstants::zoneCalculationCurve);
  EXPECT_EQ(constantCurveValue(curve, 0.0), 20.0);
  EXPECT_EQ(constantCurveValue(curve, 0.1), 20.0);
  EXPECT_EQ(constantCurveValue(curve, 5.0), 700.0);
  EXPECT_EQ(constantCurveValue(curve, 0.86), 700.0);
  EXPECT_NEAR(constantCurveValue(curve, 0.13), 25.0, 1e-12);    // halfway 0.1 .. 0.16
  EXPECT_NEAR(constantCurveValue(curve, 0.84), 675.0, 1e-12);   // halfway 0.82 .. 0.86
  EXPECT_NEAR(constantCurveValue(curve, 0.3), 110.0, 1e-12);    // on a point
  EXPECT_TRUE(std::isnan(constantCurveValue(curve, std::nan(""))));
  EXPECT_EQ(constantCurveValue(XtGePoint2dArray(), 1.0), 0.0);
  XtGePoint2dArray steep;
  steep.append(XtGePoint2d(1, 1));
  steep.append(XtGePoint2d(1, 5));
  steep.append(XtGePoint2d(2, 6));
  EXPECT_EQ(constantCurveValue(steep, 1.5), 5.5);
}

}  // namespace
