#include "heating/design/CFHEntityInOut.h"

#include "platform/ge/XtGeLine2d.h"

#include <gtest/gtest.h>

#include <numbers>

TEST(CFHEntityInOut, KindFollowsTheGeometryAndOtherCurvesAreRefused) {
  CFHEntityInOut record;
  EXPECT_EQ(record.geometry(), nullptr);
  EXPECT_EQ(record.lineSeg(), nullptr);

  ASSERT_TRUE(record.setGeometry(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(10, 0))));
  EXPECT_EQ(record.kind(), CFHEntityInOut::kLine);
  ASSERT_NE(record.lineSeg(), nullptr);
  EXPECT_EQ(record.lineSeg()->endPoint(), XtGePoint2d(10, 0));
  EXPECT_EQ(record.arc(), nullptr);

  const XtGeCurve2d* line = record.geometry();
  EXPECT_FALSE(record.setGeometry(std::make_unique<XtGeLine2d>(XtGePoint2d(0, 0), XtGePoint2d(1, 1))));
  EXPECT_FALSE(record.setGeometry(nullptr));
  EXPECT_EQ(record.kind(), CFHEntityInOut::kLine);
  EXPECT_EQ(record.geometry(), line);

  ASSERT_TRUE(record.setGeometry(std::make_unique<XtGeCircArc2d>(XtGePoint2d(1, 2), 5.0, 0.0, std::numbers::pi,
                                                                   XtGeVector2d::kXAxis, false)));
  EXPECT_EQ(record.kind(), 3u);
  ASSERT_NE(record.arc(), nullptr);
  EXPECT_EQ(record.arc()->radius(), 5.0);
  EXPECT_EQ(record.lineSeg(), nullptr);
}
