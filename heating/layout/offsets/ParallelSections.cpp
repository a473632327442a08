#include "heating/layout/offsets/ParallelSections.h"

#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/OffsetLoopQueries.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kMostSteps = 100000;

XtGeVector2d unitOf(const XtGeVector2d& v) {
  const double length = v.length();
  return length > 0.0 && std::isfinite(length) ? v / length : XtGeVector2d();
}

bool within(const XtGeVector2d& a, const XtGeVector2d& b, double angle) {
  return std::acos(std::clamp(a.dotProduct(b), -1.0, 1.0)) < angle;
}

// Whether the section faces the copy: a perpendicular foot from the copy's
// ends onto the section along A's direction, else from the section's ends
// onto the copy along the section's direction.
bool facesCopy(const CFloorHeatingCurve& section, const XtGeVector2d& alongSection, const CFloorHeatingCurve& copy,
               const XtGeVector2d& alongA, const XtGeTol& tol) {
  XtGePoint2d foot;
  auto footAway = [&](const CFloorHeatingCurve& onto, const XtGeVector2d& along, const XtGePoint2d& from) {
    return isPerpendicularFoot(onto, along, from, foot, tol) && !foot.isEqualTo(from, workTol);
  };
  return footAway(section, alongA, copy.startPoint()) || footAway(section, alongA, copy.endPoint()) ||
         footAway(copy, alongSection, section.startPoint()) || footAway(copy, alongSection, section.endPoint());
}

// The first run of A's points whose projections lie on the section, as
// parameters on A; false when it has no length.
bool facingRun(const CFloorHeatingCurve& a, const CFloorHeatingCurve& section, const XtGeVector2d& alongSection,
               const XtGeTol& tol, XtGeInterval& run) {
  const double length = a.length();
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  const double step = std::max(0.01 * usableDrawingUnitFactor(), length / kMostSteps);
  const int steps = static_cast<int>(std::min<double>(std::ceil(length / step), kMostSteps));
  XtGePoint2d foot;
  int first = -1;
  int last = -1;
  for (int i = 0; i <= steps; ++i) {
    const XtGePoint2d p = a.pointAtLength(std::min(i * step, length));
    const bool faces = isPerpendicularFoot(section, alongSection, p, foot, tol);
    if (faces && first < 0) first = i;
    if (faces) last = i;
    if (!faces && first >= 0) break;
  }
  if (first < 0) return false;
  const XtGeCurve2d& curve = a.geCurve();
  const double t0 = curve.paramOf(a.pointAtLength(std::min(first * step, length)), workTolFine);
  const double t1 = curve.paramOf(a.pointAtLength(std::min(last * step, length)), workTolFine);
  if (!(t1 - t0 > XtGe::kIntervalTol)) return false;
  run = XtGeInterval(t0, t1, XtGe::kIntervalTol);
  return true;
}

}  // namespace

bool parallelSectionsOf(ParallelSections& out, const CFloorHeatingCurve& a, const COffsetLoop& loop, double d,
                        const XtGeTol& tol) {
  out = ParallelSections{&a, &loop, d, 0.0, {}};
  CLoopPoint onLoop;
  if (loop.closestPoint(a.startPoint(), onLoop, workTol))
    out.key = a.geCurve().paramOf(a.closestPointTo(onLoop.point), workTolFine);
  if (!(d >= 0.0) || !std::isfinite(d)) return false;

  const XtGeVector2d alongA = unitOf(a.endPoint() - a.startPoint());
  const XtGePoint2d middle = a.midPoint();
  const CFloorHeatingCurve::Ptr copy = a.length() > 2.0 * d
                                           ? a.extendedCopyAt(middle, -d)
                                           : std::make_unique<CFloorHeatingLine>(middle, middle, nullptr, a.tag());
  const bool copyIsPoint = !(a.length() > 2.0 * d);
  constexpr double kQuarter = std::numbers::pi / 4;
  for (int i = 0; i < loop.sectionCount(); ++i) {
    const COffsetSection* section = loop.section(i);
    if (!section->hasCurve()) continue;
    const CFloorHeatingCurve& curve = *section->curve;
    const XtGeVector2d alongSection = unitOf(curve.endPoint() - curve.startPoint());
    const bool alongside = within(alongA, alongSection, kQuarter);
    const bool against = !alongside && within(alongA, -alongSection, kQuarter);
    if (!alongside && !against) continue;
    if (!facesCopy(curve, alongSection, *copy, alongA, tol)) continue;
    const double distance = copyIsPoint ? curve.distanceTo(middle) : curve.distanceToCurve(*copy);
    if (!(distance >= 0.5 * d)) continue;
    XtGeInterval run;
    if (facingRun(a, curve, alongSection, tol, run)) out.entries.push_back({i, against, distance, run});
  }
  if (!out.entries.empty() && out.entries.front().against)
    std::stable_sort(out.entries.begin(), out.entries.end(), [](const auto& x, const auto& y) {
      return x.interval.lowerBound() < y.interval.lowerBound();
    });
  return !out.entries.empty();
}
