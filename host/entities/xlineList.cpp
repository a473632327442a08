#include "host/entities/xlineList.h"

#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

resbuf* entBuilder2D::xline(const ltEntProps& props, const XtGeLine2d& line, const XtGeMatrix2d& matrix,
                            const resbuf* previous) {
  XtGeLine2d copy(line);
  XtGeVector2d direction;
  if (!copy.transformBy(matrix) || !copy.pointOnLine().isFinite() ||
      !curveLists::unitDirection(copy.parameterVector(), direction))
    return nullptr;
  const std::vector<ResbufPair> body{
      {100, u"AcDbXline"}, {10, widenPointTo3d(copy.pointOnLine())}, {11, widenPointTo3d(direction)}};
  return curveLists::assemble(props, u"XLINE", previous, body);
}

bool entReader2D::xline(XtGeLine2d& line, const resbuf* list, ltEntProps* props) {
  XtGePoint2d point;
  XtGeVector2d direction;
  if (!isListOfType(list, {u"XLINE"}) || !curveLists::finitePoint(list, 10, point) ||
      !curveLists::finiteVector(list, 11, direction) || !(direction.length() > 0.0))
    return false;
  line.set(point, direction);
  if (props) commonProperties(*props, list, false);
  return true;
}
