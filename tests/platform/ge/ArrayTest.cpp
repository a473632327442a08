#include "platform/ge/XtGeCurve2dPtrArray.h"
#include "platform/ge/XtGePoint2dArray.h"

#include <gtest/gtest.h>

TEST(GeArray, GrowthRuleFollowsGrowByAnd64KbLimit) {
  XtGePoint2dArray a;
  EXPECT_EQ(a.growLength(), 8);
  a.append(XtGePoint2d(1, 1));
  EXPECT_EQ(a.physicalLength(), 8);  // 0 + max(8, min(0, ...))
  for (int i = 1; i < 9; ++i) a.append(XtGePoint2d(i, i));
  EXPECT_EQ(a.physicalLength(), 16);  // 8 + max(8, min(8, 4096))
  a.setLogicalLength(17);
  EXPECT_EQ(a.physicalLength(), 32);  // doubling while small
  a.setLogicalLength(1000);
  EXPECT_EQ(a.physicalLength(), 1000);  // the request is larger
  a.setLogicalLength(1001);
  EXPECT_EQ(a.physicalLength(), 2000);
  // 64 KB hold 4096 points: beyond that the step stays 4096.
  a.setPhysicalLength(10000);
  a.setLogicalLength(10001);
  EXPECT_EQ(a.physicalLength(), 10000 + 4096);

  XtGeIntArray b(0, 3);
  b.append(1);
  EXPECT_EQ(b.physicalLength(), 3);
}

TEST(GeArray, EditingMembersAndToleranceFind) {
  XtGePoint2dArray a;
  for (int i = 0; i < 5; ++i) a.append(XtGePoint2d(i, 0));
  a.insertAt(0, XtGePoint2d(-1, 0));
  a.insertAt(6, XtGePoint2d(9, 0));
  a.insertAt(99, XtGePoint2d(42, 0));  // ignored
  EXPECT_EQ(a.length(), 7);
  a.removeAt(1).removeFirst().removeLast();
  ASSERT_EQ(a.length(), 4);
  EXPECT_EQ(a[0].x, 1.0);
  a.reverse();
  EXPECT_EQ(a.first().x, 4.0);
  EXPECT_EQ(a.find(XtGePoint2d(2 + 1e-6, 0), XtGeTol(1e-5, 1e-5)), 2);
  EXPECT_EQ(a.find(XtGePoint2d(2 + 1e-6, 0), XtGeTol(1e-7, 1e-7)), -1);
  EXPECT_EQ(a.find(XtGePoint2d(4, 0), XtGeTol(), 1), -1);  // search starts at index 1

  // Appending an element of the array itself while it grows.
  XtGePoint2dArray c;
  c.append(XtGePoint2d(7, 7));
  for (int i = 0; i < 20; ++i) c.append(c[0]);
  EXPECT_EQ(c[20].x, 7.0);

  XtGeDoubleArray d;
  d.append(1.5);
  d.append(2.5);
  EXPECT_EQ(d.find(2.5), 1);
  XtGeDoubleArray copy = d;
  copy.append(d);
  EXPECT_EQ(copy.length(), 4);
  d.setPhysicalLength(1);
  EXPECT_EQ(d.length(), 1);
}
