#include "geometry/alignToItem.h"

#include <cmath>

namespace {

bool usableDirection(const XtGeVector2d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && v.lengthSqrd() > 0.0;
}

}  // namespace

void alignToItem(blockDescRec& record, std::int16_t id, const XtGeVector2d& direction, const XtGePoint2d& position) {
  for (const pointRecord& point : record.points) {
    if (point.kind != id) continue;
    XtGeVector3d axis(point.xAxis.x, point.xAxis.y, 0.0);
    axis.transformBy(record.transform);
    const XtGeVector2d facing(-axis.x, -axis.y);
    if (!usableDirection(facing) || !usableDirection(direction) || !position.isFinite()) return;
    const double turn = std::atan2(direction.y, direction.x) - std::atan2(facing.y, facing.x);
    record.direction.rotateBy(turn);
    record.insertionPoint = position;
    return;
  }
}
