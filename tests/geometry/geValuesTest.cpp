#include "tests/geometry/curveShapes.h"
#include "geometry/alignToItem.h"
#include "geometry/geValues.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {
class geValues : public WorkTolerances {};
}  // namespace

TEST_F(geValues, MakersAnglesAndComparisons) {
  const double xy[] = {1.5, -2};
  const double xyz[] = {1, 2, 3};
  XtGePoint3d p3(9, 9, 9);
  setPoint3dZ0(p3, xy);
  EXPECT_EQ(p3, XtGePoint3d(1.5, -2, 0));
  setPoint3d(p3, xyz);
  EXPECT_EQ(p3, toPoint3d(xyz));
  XtGePoint2d p2;
  setPoint2d(p2, xy);
  EXPECT_EQ(p2, toPoint2d(xy));
  EXPECT_EQ(toVector2d(xy).x, 1.5);
  EXPECT_EQ(toVector3d(xyz).z, 3);

  EXPECT_NEAR(lineAngle2d({1, 0}, {-1, 1}), XtGe::kPi / 4, 1e-15);
  EXPECT_NEAR(lineAngle2d({1, 0}, {-1, -0.01}), 0.01, 1e-4);
  double s = 0.0;
  double e = 0.0;
  arcAngles(XtGeCircArc2d({0, 0}, 1, 0.5, 2.0), s, e);
  EXPECT_EQ(s, 0.5);
  EXPECT_EQ(e, 2.0);

  const double tol = workTol.equalPoint();
  EXPECT_TRUE(valuesEqualWithinTol(1.0, 1.0 + tol));
  EXPECT_FALSE(valuesEqualWithinTol(1.0, 1.0 + 2 * tol));
  const struct {
    indexedPointRec a;
    indexedPointRec b;
    int byX;
    int byY;
  } cases[] = {{{0, 1.0, 5}, {1, 1.0 + tol / 2, 0}, 0, 1}, {{0, 1, 0}, {1, 2, 0}, -1, 0}, {{0, 2, 0}, {1, 1, 1}, 1, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(compareRecByX(c.a, c.b), c.byX);
    EXPECT_EQ(compareRecByY(c.a, c.b), c.byY);
  }
}

TEST_F(geValues, RectanglesAndCompositeRecords) {
  rect2d r;
  r.setFromPoints({4, 3}, {0, 0});
  EXPECT_TRUE(r.valid);
  r.inflate({1, 2});
  EXPECT_EQ(std::vector<double>({r.minX, r.minY, r.maxX, r.maxY}), std::vector<double>({-1, -2, 5, 5}));
  r.setFromPoints({0, 0}, {2, 1});
  r.transformBy(XtGeMatrix2d::rotation(XtGe::kHalfPi));
  EXPECT_NEAR(r.minX, -1, 1e-15);
  EXPECT_NEAR(r.minY, 0, 1e-15);
  EXPECT_NEAR(r.maxX, 0, 1e-15);
  EXPECT_NEAR(r.maxY, 2, 1e-15);

  hvArray<compositeRecord> records;
  const CompositePtr square = box(0, 0, 1, 1);
  EXPECT_FALSE(addCompositeRecord(records, 1, *square, 7));
  EXPECT_TRUE(addCompositeRecord(records, 0, *square, 7));
  EXPECT_TRUE(addCompositeRecord(records, 0, *box(0, 0, 2, 2), 8));
  ASSERT_EQ(records.count(), 2);
  EXPECT_EQ(records[0].tag, 8);
  EXPECT_EQ(records[1].composite.numCurves(), 4);
  EXPECT_NEAR(closedArea(records[1].composite), 1.0, 1e-12);
}

TEST_F(geValues, BlocksTurnToFaceADirection) {
  blockDescRec block;
  block.direction = XtGeVector2d(1, 0);
  pointRecord connection;
  connection.kind = 5;
  block.points.add(pointRecord());
  block.points.add(connection);
  // Turned by 90 degrees: the connection's axis points up, so it faces down.
  block.transform = XtGeMatrix3d::rotation(XtGe::kHalfPi, XtGeVector3d(0, 0, 1));
  alignToItem(block, 9, {1, 0}, {5, 5});
  EXPECT_EQ(block.insertionPoint, XtGePoint2d());
  alignToItem(block, 5, {1, 0}, {5, 5});
  EXPECT_EQ(block.insertionPoint, XtGePoint2d(5, 5));
  EXPECT_NEAR(block.direction.x, 0, 1e-15);
  EXPECT_NEAR(block.direction.y, 1, 1e-15);
}
