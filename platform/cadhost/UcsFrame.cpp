#include "platform/cadhost/UcsFrame.h"

#include <cmath>

namespace cadhost {

UcsFrame::UcsFrame(Point3 origin, Point3 xDirection) : origin_(origin) {
  const double length = std::hypot(xDirection.x, xDirection.y);
  if (length > 0.0 && std::isfinite(length)) x_ = {xDirection.x / length, xDirection.y / length, 0.0};
}

Point3 UcsFrame::toWorld(Point3 user) const {
  return {origin_.x + user.x * x_.x - user.y * x_.y, origin_.y + user.x * x_.y + user.y * x_.x,
          origin_.z + user.z};
}

Point3 UcsFrame::toUser(Point3 world) const {
  Point3 d{world.x - origin_.x, world.y - origin_.y, world.z - origin_.z};
  Point3 user = vectorToUser(d);
  return user;
}

Point3 UcsFrame::vectorToUser(Point3 world) const {
  return {world.x * x_.x + world.y * x_.y, -world.x * x_.y + world.y * x_.x, world.z};
}

}  // namespace cadhost
