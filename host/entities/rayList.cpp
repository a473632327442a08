#include "host/entities/rayList.h"

#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

resbuf* writeRay2d(const ltEntProps& props, const XtGeRay2d& ray, const XtGeMatrix2d& matrix,
                   const resbuf* previous) {
  XtGeRay2d copy(ray);
  if (!copy.transformBy(matrix)) return nullptr;
  XtGeInterval interval;
  copy.getInterval(interval);
  const bool fromAbove = interval.isBoundedAbove();
  const double bound = fromAbove ? interval.upperBound() : interval.lowerBound();
  const XtGePoint2d base = copy.xtEvalPoint(bound);
  // Into the ray: towards decreasing parameters from an upper bound.
  const XtGeVector2d along = fromAbove ? -copy.parameterVector() : copy.parameterVector();
  XtGeVector2d direction;
  if (!base.isFinite() || !curveLists::unitDirection(along, direction)) return nullptr;
  const std::vector<ResbufPair> body{
      {100, u"AcDbRay"}, {10, widenPointTo3d(base)}, {11, widenPointTo3d(direction)}};
  return curveLists::assemble(props, u"RAY", previous, body);
}

bool readRay2d(XtGeRay2d& ray, const resbuf* list, ltEntProps* props) {
  XtGePoint2d base;
  XtGeVector2d direction;
  if (!entReader2D::isListOfType(list, {u"RAY"}) || !curveLists::finitePoint(list, 10, base) ||
      !curveLists::finiteVector(list, 11, direction) || !(direction.length() > 0.0))
    return false;
  ray.set(base, direction);
  if (props) entReader2D::commonProperties(*props, list, false);
  return true;
}
