// Zone outlines that the layout tests share, in millimetres (unit factor
// 1000), each a closed counter-clockwise chain of line and arc curves, laid
// out at pipe spacing 200 with first offset 100 unless a test says otherwise:
//   Z1 rectangle 4000 x 3000            Z6 two-arc circle R 2000, rectangle
//   Z2 L: 4000 x 4000 less the upper       with a semicircular end, quarter-
//      right 2000 x 2000 quadrant          round corner, 50 mm fillets
//   Z3 U 5000 x 4000, slot 1500 wide,   Z7 Z1 with a 600 band on its bottom
//      2500 deep                        Z8 Z1 turned by 30 degrees
//   Z4 strips 6000 x 500 and 6000 x 150 Z9 square of side 640
//   Z5 dumbbells: two 2000 x 2000 rooms joined by a 1000 long neck of width
//      150 or 700
// Every zone can be had turned clockwise or moved far from the origin.
#pragma once

#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"

#include "platform/ge/XtGeCircArc2d.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace zone_fixture {

inline constexpr double kSpacing = 200.0;
inline constexpr double kFirstOffset = 100.0;

// One step of an outline: to `to`, straight (bulge 0) or along an arc of that
// bulge (tan of a quarter of the sweep, positive counter-clockwise).
struct Step {
  XtGePoint2d to;
  double bulge = 0.0;
};

struct Zone {
  std::string name;
  CFloorHeatingCurve::PtrVector curves;
  // One band limit per curve, or empty for a zone without bands.
  std::vector<double> limits;

  std::vector<CFloorHeatingCurve*> raw() const {
    std::vector<CFloorHeatingCurve*> out;
    for (const auto& curve : curves) out.push_back(curve.get());
    return out;
  }
};

// The outline from `start` through every step; the last step must end at
// `start`.
inline Zone outline(std::string name, XtGePoint2d start, const std::vector<Step>& steps) {
  Zone zone{std::move(name), {}, {}};
  XtGePoint2d at = start;
  for (const Step& step : steps) {
    if (step.bulge == 0.0)
      zone.curves.push_back(std::make_unique<CFloorHeatingLine>(at, step.to, nullptr, 15));
    else
      zone.curves.push_back(std::make_unique<CFloorHeatingArc>(XtGeCircArc2d(at, step.to, step.bulge), nullptr, 15));
    at = step.to;
  }
  return zone;
}

// The closed polygon through the points, its first side from the first point.
inline Zone polygon(std::string name, const std::vector<XtGePoint2d>& points) {
  std::vector<Step> steps;
  for (std::size_t i = 1; i <= points.size(); ++i) steps.push_back({points[i % points.size()]});
  return outline(std::move(name), points.front(), steps);
}

inline Zone z1Rectangle() { return polygon("Z1 rectangle", {{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}); }
inline Zone z2L() {
  return polygon("Z2 L", {{0, 0}, {4000, 0}, {4000, 2000}, {2000, 2000}, {2000, 4000}, {0, 4000}});
}
inline Zone z3U() {
  return polygon("Z3 U", {{0, 0}, {5000, 0}, {5000, 4000}, {3250, 4000}, {3250, 1500}, {1750, 1500}, {1750, 4000},
                          {0, 4000}});
}
inline Zone z4Strip(double width) { return polygon("Z4 strip", {{0, 0}, {6000, 0}, {6000, width}, {0, width}}); }
inline Zone z5Dumbbell(double neck) {
  const double lo = 1000.0 - 0.5 * neck;
  const double hi = 1000.0 + 0.5 * neck;
  return polygon("Z5 dumbbell", {{0, 0}, {2000, 0}, {2000, lo}, {3000, lo}, {3000, 0}, {5000, 0}, {5000, 2000},
                                 {3000, 2000}, {3000, hi}, {2000, hi}, {2000, 2000}, {0, 2000}});
}
inline Zone z6Circle() { return outline("Z6 circle", {2000, 0}, {{{-2000, 0}, 1.0}, {{2000, 0}, 1.0}}); }
inline Zone z6SemicircularEnd() {
  return outline("Z6 semicircular end", {0, 0}, {{{4000, 0}}, {{4000, 3000}, 1.0}, {{0, 3000}}, {{0, 0}}});
}
inline Zone z6QuarterRound() {
  return outline("Z6 quarter round", {0, 0}, {{{4000, 0}}, {{4000, 2000}}, {{3000, 3000}, std::tan(std::numbers::pi / 8)},
                                      {{0, 3000}}, {{0, 0}}});
}
inline Zone z6Fillets(double r = 50.0) {
  const double b = std::tan(std::numbers::pi / 8);
  return outline("Z6 fillets", {r, 0},
                 {{{4000 - r, 0}}, {{4000, r}, b}, {{4000, 3000 - r}}, {{4000 - r, 3000}, b}, {{r, 3000}},
                  {{0, 3000 - r}, b}, {{0, r}}, {{r, 0}, b}});
}
inline Zone z7Band() {
  Zone zone = z1Rectangle();
  zone.name = "Z7 band";
  zone.limits = {600.0, 0.0, 0.0, 0.0};
  return zone;
}
inline Zone z8Turned() {
  std::vector<XtGePoint2d> points{{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}};
  for (XtGePoint2d& p : points) p.rotateBy(std::numbers::pi / 6);
  return polygon("Z8 turned", points);
}
inline Zone z9Square() { return polygon("Z9 square", {{0, 0}, {640, 0}, {640, 640}, {0, 640}}); }

// The zone run the other way round.
inline Zone clockwise(Zone zone) {
  for (auto& curve : zone.curves) curve->reverse();
  std::reverse(zone.curves.begin(), zone.curves.end());
  std::reverse(zone.limits.begin(), zone.limits.end());
  zone.name += " clockwise";
  return zone;
}
// The zone moved by (d, d).
inline Zone moved(Zone zone, double d) {
  for (auto& curve : zone.curves) curve->translateBy(XtGeVector2d(d, d));
  zone.name += " moved";
  return zone;
}


}  // namespace zone_fixture
