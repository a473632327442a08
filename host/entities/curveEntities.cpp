#include "host/entities/curveEntities.h"

#include <algorithm>
#include <vector>

#include "geometry/curveArea.h"
#include "geometry/hvArrayEdit.h"
#include "host/entities/ltAbscissa2D.h"
#include "host/entities/ltArc2D.h"
#include "host/entities/ltEllipse2D.h"
#include "host/entities/ltLine2D.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/ltRay2D.h"

namespace {

// A copy of the kind that holds the curve; null for other curve types.
std::unique_ptr<ltEnt2D> copyOfCurve(const XtGeCurve2d& curve, ltListRef* holder) {
  switch (curve.type()) {
    case XtGe::kLineSeg2d: return std::make_unique<ltAbscissa2D>(static_cast<const XtGeLineSeg2d&>(curve), holder);
    case XtGe::kCircArc2d: return std::make_unique<ltArc2D>(static_cast<const XtGeCircArc2d&>(curve), holder);
    case XtGe::kEllipArc2d: return std::make_unique<ltEllipse2D>(static_cast<const XtGeEllipArc2d&>(curve), holder);
    case XtGe::kCompositeCrv2d:
      return std::make_unique<ltPolyline2D>(static_cast<const XtGeCompositeCurve2d&>(curve), holder);
    case XtGe::kRay2d: return std::make_unique<ltRay2D>(static_cast<const XtGeRay2d&>(curve), holder);
    case XtGe::kLine2d: return std::make_unique<ltLine2D>(static_cast<const XtGeLine2d&>(curve), holder);
    default: return nullptr;
  }
}

}  // namespace

int entMisc2D::curvesToEntities(curvePtrArray& curves, ltEntArray& entities, ltListRef* listRef,
                                const ltEntProps& props) {
  ltEntArray made;
  std::vector<const XtGeCurve2d*> converted;  // in list order
  for (XtGeCurve2d* curve : curves) {
    std::unique_ptr<ltEnt2D> copy = curve ? copyOfCurve(*curve, listRef) : nullptr;
    if (!copy) continue;
    copy->getProps() = props;
    made.push_back(std::move(copy));
    converted.push_back(curve);
  }
  std::vector<const XtGeCurve2d*> sorted(converted);
  std::sort(sorted.begin(), sorted.end());
  auto wasConverted = [&](const XtGeCurve2d* c) { return std::binary_search(sorted.begin(), sorted.end(), c); };
  if (!hvArrayKeepIf(curves, [&](XtGeCurve2d* c) { return c == nullptr || !wasConverted(c); })) return 0;
  // A curve listed twice is deleted once.
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  for (const XtGeCurve2d* curve : sorted) delete curve;
  for (auto& copy : made) entities.push_back(std::move(copy));
  return static_cast<int>(made.size());
}

int entitiesToCurves(ltEntArray& entities, curvePtrArray& curves) {
  int moved = 0;
  auto gives = [](const ltEnt2D* entity) {
    const XtGeCurve2d* curve = entity ? entity->getCurve() : nullptr;
    return curve != nullptr && !(curve->type() == XtGe::kCompositeCrv2d &&
                                 static_cast<const XtGeCompositeCurve2d*>(curve)->numCurves() == 0);
  };
  std::erase_if(entities, [&](std::unique_ptr<ltEnt2D>& entity) {
    if (!gives(entity.get())) return false;
    std::unique_ptr<XtGeCurve2d> copy(entity->getCurve()->copy());
    if (!appendOwnedCurve(curves, std::move(copy))) return false;
    ++moved;
    return true;
  });
  return moved;
}

bool entityCurveLength(const ltEnt2D& entity, double& length) {
  const XtGeCurve2d* curve = entity.getCurve();
  return curve != nullptr && boundedCurveLength(*curve, length);
}
