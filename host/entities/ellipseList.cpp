#include "host/entities/ellipseList.h"

#include <cmath>
#include <utility>

#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

namespace {

// Shifts both parameters by whole turns so that the start lies in [0, 2pi):
// one exact remainder, however large the values (a loop of single turns
// would not end for huge ones). The span is kept as it was.
void startIntoFirstTurn(double& start, double& end) {
  const double span = end - start;
  start = std::fmod(start, XtGe::kTwoPi);
  if (start < 0.0) start += XtGe::kTwoPi;
  if (start >= XtGe::kTwoPi) start -= XtGe::kTwoPi;  // a tiny negative rounded up to a turn
  end = start + span;
}

}  // namespace

resbuf* writeEllipArc2d(const ltEntProps& props, const XtGeEllipArc2d& ellipse, const XtGeMatrix2d& matrix,
                        const resbuf* previous) {
  XtGeEllipArc2d copy(ellipse);
  // The library rebuilds the axes when it transforms; the identity (or axes
  // that are already perpendicular) need not go through it.
  const bool perpendicular = std::fabs(copy.majorAxis().dotProduct(copy.minorAxis())) <= 1e-12;
  if ((!curveLists::isExactIdentity(matrix) || !perpendicular) && !copy.transformBy(matrix)) return nullptr;
  if (curveLists::hasNegativeExtrusion(previous))
    copy.set(copy.center(), copy.majorAxis(), -copy.minorAxis(), copy.majorRadius(), copy.minorRadius(),
             copy.startAng(), copy.endAng());
  if (copy.isClockWise()) copy.reverseParam();

  double start = copy.startAng(), end = copy.endAng();
  double major = copy.majorRadius(), minor = copy.minorRadius();
  XtGeVector2d majorAxis = copy.majorAxis();
  if (!copy.center().isFinite() || !majorAxis.isFinite() || !std::isfinite(start) || !std::isfinite(end) ||
      !std::isfinite(major) || !std::isfinite(minor) || !(major > 0.0) || !(minor > 0.0))
    return nullptr;
  startIntoFirstTurn(start, end);
  if (minor > major) {
    // The minor axis becomes the major one: P(t) = C + b cos(t - pi/2) v + a sin(t - pi/2) (-u).
    std::swap(major, minor);
    majorAxis = copy.minorAxis();
    start -= XtGe::kHalfPi;
    end -= XtGe::kHalfPi;
    if (start < 0.0) {
      start += XtGe::kTwoPi;
      end += XtGe::kTwoPi;
    }
  }
  if (std::fabs(start - end) < 1e-9) return nullptr;

  std::vector<ResbufPair> body{{100, u"AcDbEllipse"}};
  body.push_back({10, widenPointTo3d(copy.center())});
  body.push_back({11, widenPointTo3d(majorAxis * major)});
  curveLists::addKept(body, 210, previous);
  body.push_back({40, minor / major});
  body.push_back({41, start});
  body.push_back({42, end});
  return curveLists::assemble(props, u"ELLIPSE", previous, body);
}

bool readEllipArc2d(XtGeEllipArc2d& ellipse, const resbuf* list, ltEntProps* props) {
  XtGePoint2d centre;
  XtGeVector2d majorAxis;
  double ratio = 0.0, start = 0.0, end = XtGe::kTwoPi;
  bool bad = false;
  if (!entReader2D::isListOfType(list, {u"ELLIPSE"}) || !curveLists::finitePoint(list, 10, centre) ||
      !curveLists::finiteVector(list, 11, majorAxis) || !curveLists::finiteReal(list, 40, ratio, bad) ||
      !(ratio > 0.0 && ratio <= 1.0))
    return false;
  curveLists::finiteReal(list, 41, start, bad);
  curveLists::finiteReal(list, 42, end, bad);
  const double major = majorAxis.length();
  if (bad || !(major > 0.0) || !std::isfinite(major)) return false;
  const XtGeVector2d unit = majorAxis / major;
  XtGeVector2d minorAxis = unit.perpVector();
  if (curveLists::hasNegativeExtrusion(list)) minorAxis.negate();
  ellipse.set(centre, unit, minorAxis, major, major * ratio, start, end);
  if (props) entReader2D::commonProperties(*props, list, false);
  return true;
}
