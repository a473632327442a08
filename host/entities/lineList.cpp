#include "host/entities/lineList.h"

#include "geometry/Tolerances.h"
#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

resbuf* entBuilder2D::line(const ltEntProps& props, const XtGeLineSeg2d& segment, const XtGeMatrix2d& matrix,
                           const resbuf* previous) {
  XtGeLineSeg2d copy(segment);
  if (!copy.transformBy(matrix)) return nullptr;
  const XtGePoint2d start = copy.startPoint();
  const XtGePoint2d end = copy.endPoint();
  if (!start.isFinite() || !end.isFinite()) return nullptr;
  std::vector<ResbufPair> body{{100, u"AcDbLine"}};
  curveLists::addKept(body, 39, previous);
  body.push_back({10, widenPointTo3d(start)});
  body.push_back({11, widenPointTo3d(end)});
  curveLists::addKept(body, 210, previous);
  return curveLists::assemble(props, u"LINE", previous, body);
}

bool entReader2D::line(XtGeLineSeg2d& segment, const resbuf* list, ltEntProps* props) {
  XtGePoint2d start, end;
  if (!isListOfType(list, {u"LINE"}) || !curveLists::finitePoint(list, 10, start) ||
      !curveLists::finitePoint(list, 11, end) || start.isEqualTo(end, workTol))
    return false;
  segment.set(start, end);
  if (props) commonProperties(*props, list, false);
  return true;
}
