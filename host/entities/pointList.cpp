#include "host/entities/pointList.h"

#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

resbuf* entBuilder2D::point(const ltEntProps& props, const XtGePoint2d& point, const XtGeMatrix2d& matrix,
                            const resbuf* previous) {
  const XtGePoint2d location = matrix * point;
  if (!location.isFinite()) return nullptr;
  std::vector<ResbufPair> body{{100, u"AcDbPoint"}, {10, widenPointTo3d(location)}};
  for (int code : {39, 210, 50}) curveLists::addKept(body, code, previous);
  return curveLists::assemble(props, u"POINT", previous, body);
}

bool entReader2D::point(XtGePoint2d& point, const resbuf* list, ltEntProps* props) {
  XtGePoint2d location;
  if (!isListOfType(list, {u"POINT"}) || !curveLists::finitePoint(list, 10, location)) return false;
  point = location;
  if (props) commonProperties(*props, list, false);
  return true;
}
