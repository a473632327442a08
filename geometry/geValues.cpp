#include "geometry/geValues.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

XtGePoint2d toPoint2d(std::span<const double, 2> xy) { return {xy[0], xy[1]}; }

void setPoint2d(XtGePoint2d& point, std::span<const double, 2> xy) { point.set(xy[0], xy[1]); }

XtGePoint3d toPoint3d(std::span<const double, 3> xyz) { return {xyz[0], xyz[1], xyz[2]}; }

void setPoint3d(XtGePoint3d& point, std::span<const double, 3> xyz) { point.set(xyz[0], xyz[1], xyz[2]); }

void setPoint3dZ0(XtGePoint3d& point, std::span<const double, 2> xy) { point.set(xy[0], xy[1], 0.0); }

XtGeVector2d toVector2d(std::span<const double, 2> xy) { return {xy[0], xy[1]}; }

XtGeVector3d toVector3d(std::span<const double, 3> xyz) { return {xyz[0], xyz[1], xyz[2]}; }

double lineAngle2d(const XtGeVector2d& a, const XtGeVector2d& b) {
  return a.angleTo(a.dotProduct(b) < 0.0 ? -b : b);
}

void arcAngles(const XtGeCircArc2d& arc, double& startAngle, double& endAngle) {
  startAngle = arc.startAng();
  endAngle = arc.endAng();
}

bool valuesEqualWithinTol(double a, double b) { return std::fabs(a - b) <= workTol.equalPoint(); }

namespace {

int compareCoordinates(double a, double b) {
  if (std::fabs(a - b) < workTol.equalPoint()) return 0;
  return b > a ? -1 : 1;
}

}  // namespace

int compareRecByX(const indexedPointRec& a, const indexedPointRec& b) { return compareCoordinates(a.x, b.x); }

int compareRecByY(const indexedPointRec& a, const indexedPointRec& b) { return compareCoordinates(a.y, b.y); }

void rect2d::setFromPoints(const XtGePoint2d& a, const XtGePoint2d& b) {
  minX = std::min(a.x, b.x);
  minY = std::min(a.y, b.y);
  maxX = std::max(a.x, b.x);
  maxY = std::max(a.y, b.y);
  valid = true;
}

void rect2d::inflate(const XtGeVector2d& v) {
  const bool wasValid = valid;
  setFromPoints(XtGePoint2d(minX, minY) - v, XtGePoint2d(maxX, maxY) + v);
  valid = wasValid;
}

void rect2d::transformBy(const XtGeMatrix2d& matrix) {
  const XtGePoint2d corners[] = {matrix * XtGePoint2d(minX, minY), matrix * XtGePoint2d(maxX, minY),
                                 matrix * XtGePoint2d(maxX, maxY), matrix * XtGePoint2d(minX, maxY)};
  const bool wasValid = valid;
  setFromPoints(corners[0], corners[2]);
  for (const XtGePoint2d& p : corners) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  valid = wasValid;
}

bool addCompositeRecord(hvArray<compositeRecord>& records, std::int32_t index, const XtGeCompositeCurve2d& composite,
                        std::int32_t tag) {
  if (index < 0 || index > records.count()) return false;
  compositeRecord record;
  record.composite = composite;
  record.tag = tag;
  return records.insertAt(index, record);
}
