// The user coordinate system of the drawing in the plan: an origin and an X
// direction; Y is X turned a quarter left. User to world: P = O + x X + y Y.
#pragma once

#include "platform/cadhost/Group.h"

namespace cadhost {

class UcsFrame {
 public:
  UcsFrame() = default;
  // A zero direction counts as (1, 0); only x and y of the direction count.
  UcsFrame(Point3 origin, Point3 xDirection);

  const Point3& origin() const { return origin_; }
  // The unit X direction (z 0).
  const Point3& xDirection() const { return x_; }

  Point3 toWorld(Point3 user) const;
  Point3 toUser(Point3 world) const;
  // Directions: rotation only.
  Point3 vectorToUser(Point3 world) const;

 private:
  Point3 origin_;
  Point3 x_{1.0, 0.0, 0.0};
};

}  // namespace cadhost
