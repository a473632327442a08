#include "host/entities/circArcList.h"

#include <array>
#include <cmath>

#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

resbuf* writeCircArc2d(const ltEntProps& props, const XtGeCircArc2d& arc, const XtGeMatrix2d& matrix,
                       const resbuf* previous) {
  XtGeCircArc2d copy(arc);
  if (!copy.transformBy(matrix)) return nullptr;
  if (copy.isClockWise()) copy.reverseParam();
  const double reference = copy.refVec().angle();
  const double start = reference + copy.startAng();
  const double end = reference + copy.endAng();
  if (!copy.center().isFinite() || !std::isfinite(start) || !std::isfinite(end) ||
      !(copy.radius() > 0.0 && std::isfinite(copy.radius())))
    return nullptr;
  // Decided on the parameters, not on the sums, so that rounding never turns
  // an arc just short of a full turn into a circle.
  const bool circle = copy.isFullCircle();
  std::vector<ResbufPair> body{{100, u"AcDbCircle"}};
  curveLists::addKept(body, 39, previous);
  body.push_back({10, widenPointTo3d(copy.center())});
  body.push_back({40, copy.radius()});
  body.push_back({210, std::array<double, 3>{0.0, 0.0, 1.0}});
  if (!circle) {
    body.push_back({100, u"AcDbArc"});
    body.push_back({50, start});
    body.push_back({51, end});
  }
  return curveLists::assemble(props, circle ? u"CIRCLE" : u"ARC", previous, body);
}

bool readCircArc2d(XtGeCircArc2d& arc, const resbuf* list, ltEntProps* props) {
  XtGePoint2d centre;
  double radius = 0.0, start = 0.0, end = XtGe::kTwoPi;
  bool bad = false;
  if (!entReader2D::isListOfType(list, {u"ARC", u"CIRCLE"}) || !curveLists::finitePoint(list, 10, centre) ||
      !curveLists::finiteReal(list, 40, radius, bad) || !(radius > 0.0))
    return false;
  curveLists::finiteReal(list, 50, start, bad);
  curveLists::finiteReal(list, 51, end, bad);
  if (bad) return false;
  XtGeCircArc2d read(centre, radius, start, end);
  if (curveLists::hasNegativeExtrusion(list)) read.transformBy(curveLists::mirrorAboutYAxis());
  arc = read;
  if (props) entReader2D::commonProperties(*props, list, false);
  return true;
}
