#include "heating/layout/offsets/LoopPointRays.h"

#include "heating/curves/CLoopElement.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeRay2d.h"

#include <algorithm>
#include <limits>

double nearestOwnerEndDistance(const CLoopPoint& point) {
  double nearest = std::numeric_limits<double>::infinity();
  for (const CLoopElement* link : point.links()) {
    if (link == nullptr || link->curve == nullptr) continue;
    nearest = std::min({nearest, point.point.distanceTo(link->curve->startPoint()),
                        point.point.distanceTo(link->curve->endPoint())});
  }
  return nearest;
}

bool firstNormalRayHit(const CLoopPoint& a, const CLoopPoint& b, XtGePoint2d& hit) {
  for (const CLoopElement* from : a.links()) {
    XtGeRay2d ray;
    if (from == nullptr || from->curve == nullptr || !from->curve->normalRay(ray, a.point, -1)) continue;
    for (const CLoopElement* to : b.links()) {
      if (to == nullptr || to->curve == nullptr) continue;
      XtGePoint2d found;
      if (to->curve->intersectWithRay(ray, found, workTolFine)) {
        hit = found;
        return true;
      }
    }
  }
  return false;
}
