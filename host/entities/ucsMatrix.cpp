#include "host/entities/ucsMatrix.h"

#include <cmath>

#include "host/HvHostApi.h"
#include "host/entities/ownedChain.h"
#include "platform/ge/XtGeMatrix3d.h"
#include "platform/ge/XtGePoint3d.h"

namespace {
XtGeMatrix2d& held() {
  static XtGeMatrix2d matrix;
  return matrix;
}
}  // namespace

const XtGeMatrix2d& ucsMatrix() { return held(); }
void setUcsMatrix(const XtGeMatrix2d& matrix) { held() = matrix; }

namespace {

// A 3D point system variable through slot 6; false when the host gives none.
bool pointVariable(const char16_t* name, XtGePoint3d& point) {
  ownedChain value(callHostApi<6>(name, static_cast<int>(resbufType::point3d)).value_or(nullptr));
  if (!value || value->code != resbufType::point3d) return false;
  point.set(value->value.point[0], value->value.point[1], value->value.point[2]);
  return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}

}  // namespace

void getUcsTransform(XtGeMatrix2d& plane, XtGeMatrix3d& space) {
  plane.setToIdentity();
  space.setToIdentity();
  XtGePoint3d origin, x, y;
  if (pointVariable(u"UCSORG", origin) && pointVariable(u"UCSXDIR", x) && pointVariable(u"UCSYDIR", y)) {
    const XtGeVector3d xAxis = x.asVector();
    const XtGeVector3d yAxis = y.asVector();
    const XtGeVector3d zAxis = xAxis.crossProduct(yAxis);
    if (zAxis.length() > 1e-12) {
      space = XtGeMatrix3d::alignCoordSys(origin, xAxis, yAxis, zAxis, XtGePoint3d(), XtGeVector3d(1, 0, 0),
                                          XtGeVector3d(0, 1, 0), XtGeVector3d(0, 0, 1));
      const XtGeVector2d x2(xAxis.x, xAxis.y);
      const XtGeVector2d y2(yAxis.x, yAxis.y);
      if (x2.x * y2.y - x2.y * y2.x != 0.0)
        plane = XtGeMatrix2d::alignCoordSys(XtGePoint2d(origin.x, origin.y), x2, y2, XtGePoint2d(),
                                            XtGeVector2d(1, 0), XtGeVector2d(0, 1));
    }
  }
  setUcsMatrix(plane);
}
