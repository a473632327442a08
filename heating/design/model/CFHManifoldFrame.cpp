#include "heating/design/model/CFHManifoldFrame.h"

#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHPipeNetwork.h"

XtGePoint2d manifoldToLocal(const CFHPipeNetwork& network, const XtGePoint2d& point, double ucsAngle) {
  return XtGePoint2d() + (point - network.referencePoint).rotateBy(-ucsAngle);
}

XtGePoint2d manifoldToLocal(const CFHPipeNetwork& network, const XtGePoint2d& point) {
  return manifoldToLocal(network, point, CFHDrawingInOut::instance().ucsAngle());
}

XtGePoint2d manifoldToDrawing(const CFHPipeNetwork& network, const XtGePoint2d& point, double ucsAngle) {
  return network.referencePoint + (point - XtGePoint2d()).rotateBy(ucsAngle);
}

XtGePoint2d manifoldToDrawing(const CFHPipeNetwork& network, const XtGePoint2d& point) {
  return manifoldToDrawing(network, point, CFHDrawingInOut::instance().ucsAngle());
}
