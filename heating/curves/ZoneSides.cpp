#include "heating/curves/ZoneSides.h"

#include "geometry/Tolerances.h"

#include <cfloat>
#include <cmath>

int CFHSortAxis::compare(const XtGePoint2d& p1, const XtGePoint2d& p2) const {
  const double d1 = key(p1);
  const double d2 = key(p2);
  if (std::fabs(d1 - d2) < tolerance.equalPoint()) return 0;
  return d2 > d1 ? -1 : 1;
}

int CFHSortAxis::compare(const CFHSortAxis* axis, const XtGePoint2d* p1, const XtGePoint2d* p2) {
  if (axis == nullptr || p1 == nullptr || p2 == nullptr) return 0;
  return axis->compare(*p1, *p2);
}

XtGePoint2d farCornerForSide(int side) {
  switch (side) {
    case kZoneSideLeft: return {DBL_MAX, -DBL_MAX};
    case kZoneSideTop: return {-DBL_MAX, -DBL_MAX};
    case kZoneSideRight: return {-DBL_MAX, DBL_MAX};
    case kZoneSideBottom: return {DBL_MAX, DBL_MAX};
    default: return {0.0, 0.0};
  }
}

XtGeVector2d axisVectorForSide(int side) {
  switch (side) {
    case kZoneSideLeft: return {-1.0, 0.0};
    case kZoneSideTop: return {0.0, 1.0};
    case kZoneSideRight: return {1.0, 0.0};
    case kZoneSideBottom: return {0.0, -1.0};
    default: return {0.0, 0.0};
  }
}

int oppositeSide(int side) {
  switch (side) {
    case kZoneSideLeft: return kZoneSideRight;
    case kZoneSideTop: return kZoneSideBottom;
    case kZoneSideRight: return kZoneSideLeft;
    case kZoneSideBottom: return kZoneSideTop;
    default: return -1;
  }
}

namespace {

// a before b on one coordinate: ascending or descending.
bool before(double a, double b, bool ascending) { return ascending ? a < b : a > b; }

}  // namespace

bool comparePointsAlongSide(int side, const XtGePoint2d& p1, const XtGePoint2d& p2) {
  // Per side: whether x is the primary coordinate, and the sense of the
  // primary and the secondary coordinate.
  struct Order {
    bool xFirst;
    bool primaryAscending;
    bool secondaryAscending;
  };
  static constexpr Order kOrders[4] = {{true, false, true}, {false, true, true}, {true, true, false},
                                       {false, false, false}};
  if (side < 0 || side > 3) return false;
  const Order& order = kOrders[side];
  const double primary1 = order.xFirst ? p1.x : p1.y;
  const double primary2 = order.xFirst ? p2.x : p2.y;
  if (std::fabs(primary1 - primary2) >= workTol.equalPoint())
    return before(primary1, primary2, order.primaryAscending);
  const double secondary1 = order.xFirst ? p1.y : p1.x;
  const double secondary2 = order.xFirst ? p2.y : p2.x;
  return before(secondary1, secondary2, order.secondaryAscending);
}

bool closerToReference(const XtGePoint2d& r, const XtGePoint2d& p1, const XtGePoint2d& p2) {
  return r.distanceTo(p2) > r.distanceTo(p1);
}
