#include "host/entities/viewFrame.h"

#include <array>
#include <cmath>
#include <optional>

#include "host/HvHostApi.h"
#include "host/entities/ownedChain.h"
#include "platform/ge/XtGeMatrix3d.h"

namespace {

// The first value of a variable's answer as three doubles.
std::optional<std::array<double, 3>> variable(const char16_t* name, int type) {
  ownedChain answer(callHostApi<6>(name, type).value_or(nullptr));
  if (!answer || answer->code != type) return std::nullopt;
  if (type == resbufType::real) return std::array<double, 3>{answer->value.real, 0.0, 0.0};
  return std::array<double, 3>{answer->value.point[0], answer->value.point[1], answer->value.point[2]};
}

// Slot 18 in place: a point (vector 0) or a direction (vector 1).
void toUser(std::array<double, 3>& value, int vector) { callHostApi<18>(value.data(), vector); }

bool finite(const std::array<double, 3>& v) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

}  // namespace

int getViewTransform(XtGePoint3d& corner0, XtGePoint3d& corner1, XtGePoint3d& corner2, XtGePoint3d& corner3,
                     XtGeVector3d& viewDirection) {
  auto screen = variable(u"SCREENSIZE", resbufType::point2d);
  auto target = variable(u"TARGET", resbufType::point3d);
  auto centre = variable(u"VIEWCTR", resbufType::point3d);
  auto direction = variable(u"VIEWDIR", resbufType::point3d);
  auto size = variable(u"VIEWSIZE", resbufType::real);
  auto twist = variable(u"VIEWTWIST", resbufType::real);
  if (!screen || !target || !centre || !direction || !size || !twist) return 0;
  toUser(*target, 0);
  toUser(*centre, 0);
  toUser(*direction, 1);
  for (const auto* v : {&*screen, &*target, &*centre, &*direction, &*size, &*twist})
    if (!finite(*v)) return 0;
  const double h = (*size)[0];
  const XtGeVector3d z((*direction)[0], (*direction)[1], (*direction)[2]);
  const double length = z.length();
  if (!((*screen)[1] > 0.0) || !(h > 0.0) || !(length > 0.0) || !std::isfinite(length)) return 0;
  const double w = (*screen)[0] / (*screen)[1] * h;

  const XtGeVector3d zAxis = z / length;
  XtGePoint3d origin;
  XtGeVector3d xAxis, yAxis, unused;
  XtGeMatrix3d::planeToWorld(zAxis).getCoordSystem(origin, xAxis, yAxis, unused);
  const XtGeMatrix3d turn = XtGeMatrix3d::rotation(-(*twist)[0], zAxis);
  xAxis = (turn * xAxis).normal();
  yAxis = (turn * yAxis).normal();

  const XtGePoint3d base((*target)[0], (*target)[1], (*target)[2]);
  const XtGeVector3d toCentre = XtGePoint3d((*centre)[0], (*centre)[1], (*centre)[2]) - base;
  const double cx = toCentre.dotProduct(xAxis), cy = toCentre.dotProduct(yAxis), cz = toCentre.dotProduct(zAxis);
  auto corner = [&](double x, double y) { return base + xAxis * x + yAxis * y + zAxis * cz; };
  corner0 = corner(cx - w / 2, cy - h / 2);
  corner1 = corner(cx + w / 2, cy - h / 2);
  corner2 = corner(cx + w / 2, cy + h / 2);
  corner3 = corner(cx - w / 2, cy + h / 2);
  viewDirection = zAxis;
  return 1;
}

int anyPointInsideFrame(std::span<const XtGePoint3d> points) {
  std::array<XtGePoint3d, 4> corners;
  XtGeVector3d direction;
  if (getViewTransform(corners[0], corners[1], corners[2], corners[3], direction) == 0) return 0;
  for (const XtGePoint3d& point : points) {
    bool inside = true;
    for (std::size_t k = 0; k < 4 && inside; ++k) {
      const XtGeVector3d edge = corners[(k + 1) % 4] - corners[k];
      inside = (point - corners[k]).dotProduct(direction.crossProduct(edge)) > 0.0;
    }
    if (inside) return 1;
  }
  return 0;
}
