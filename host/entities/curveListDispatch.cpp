#include "host/entities/curveListDispatch.h"

#include "host/entities/circArcList.h"
#include "host/entities/ellipseList.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/lineList.h"
#include "host/entities/lwPolylineList.h"
#include "host/entities/rayList.h"
#include "host/entities/xlineList.h"

namespace {

// Reads the list into a new curve of the reader's kind; null when refused.
template <class Curve, class Reader>
std::unique_ptr<XtGeCurve2d> readInto(const resbuf* list, ltEntProps* props, Reader reader) {
  auto curve = std::make_unique<Curve>();
  if (!reader(*curve, list, props)) return nullptr;
  return curve;
}

}  // namespace

bool entReader2D::curve(std::unique_ptr<XtGeCurve2d>& out, const resbuf* list, ltEntProps* props) {
  out.reset();
  if (isListOfType(list, {u"LINE"})) {
    out = readInto<XtGeLineSeg2d>(list, props, entReader2D::line);
  } else if (isListOfType(list, {u"LWPOLYLINE"})) {
    out = readInto<XtGeCompositeCurve2d>(list, props, [](XtGeCompositeCurve2d& c, const resbuf* l, ltEntProps* p) {
      return entReader2D::polyline(c, l, p, nullptr) != 0;
    });
  } else if (isListOfType(list, {u"ARC", u"CIRCLE"})) {
    out = readInto<XtGeCircArc2d>(list, props, readCircArc2d);
  } else if (isListOfType(list, {u"ELLIPSE"})) {
    out = readInto<XtGeEllipArc2d>(list, props, readEllipArc2d);
  } else if (isListOfType(list, {u"RAY"})) {
    out = readInto<XtGeRay2d>(list, props, readRay2d);
  } else if (isListOfType(list, {u"XLINE"})) {
    out = readInto<XtGeLine2d>(list, props, entReader2D::xline);
  }
  return out != nullptr;
}

resbuf* writeCurve2d(const ltEntProps& props, const XtGeCurve2d& curve, const XtGeMatrix2d& matrix,
                     const resbuf* previous) {
  switch (curve.type()) {
    case XtGe::kCircArc2d:
      return writeCircArc2d(props, static_cast<const XtGeCircArc2d&>(curve), matrix, previous);
    case XtGe::kEllipArc2d:
      return writeEllipArc2d(props, static_cast<const XtGeEllipArc2d&>(curve), matrix, previous);
    case XtGe::kLine2d:
      return entBuilder2D::xline(props, static_cast<const XtGeLine2d&>(curve), matrix, previous);
    case XtGe::kLineSeg2d:
      return entBuilder2D::line(props, static_cast<const XtGeLineSeg2d&>(curve), matrix, previous);
    case XtGe::kRay2d:
      return writeRay2d(props, static_cast<const XtGeRay2d&>(curve), matrix, previous);
    case XtGe::kCompositeCrv2d:
      return entBuilder2D::polyline(props, curve, matrix, previous, nullptr);
    default:
      return nullptr;
  }
}
