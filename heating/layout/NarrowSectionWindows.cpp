#include "heating/layout/NarrowSectionWindows.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "geometry/Tolerances.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"
#include "heating/curves/HeatingCurveIntersections.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/PipeWindow.h"

namespace {

constexpr double kIntervalTol = 1e-12;

bool isFiniteBounded(const XtGeInterval& interval) {
  return interval.isBounded() && std::isfinite(interval.lowerBound()) && std::isfinite(interval.upperBound());
}

// The curve's own bounded parameter interval.
bool curveRange(const CFloorHeatingCurve& curve, XtGeInterval& range) {
  curve.geCurve().getInterval(range);
  return isFiniteBounded(range);
}

double lengthOn(const XtGeCurve2d& curve, double from, double to) {
  const double length = curve.length(from, to, workTolFine);
  return std::isfinite(length) ? length : 0.0;
}

// Whether a point strictly inside the curve, among samples every 0.001 u
// (at most kMaxWindowSamples), lies inside the window.
bool innerSampleInside(const COffsetLoop& window, const PipeWindowFrame& frame, const CFloorHeatingCurve& curve,
                       const XtGeInterval& range, const XtGeTol& tol) {
  const double length = curve.length();
  const double count = length / (0.001 * usableDrawingUnitFactor());
  if (!(count >= 2.0) || !std::isfinite(count)) return false;
  const int n = static_cast<int>(std::min(count, static_cast<double>(kMaxWindowSamples)));
  const XtGeCurve2d& g = curve.geCurve();
  const double lo = range.lowerBound();
  const double step = (range.upperBound() - lo) / n;
  for (int k = 1; k < n; ++k)
    if (frame.classify(window, g.evalPoint(lo + step * k), tol) == CLoop::kInside) return true;
  return false;
}

// The part of the record's curve inside the window, by the classes of its
// ends; false when nothing is to be cut. The record is made inactive when
// the whole curve lies inside.
bool windowCut(const COffsetLoop& window, const PipeWindowFrame& frame, COffsetFreeIntervals& record, const XtGeTol& tol,
               XtGeInterval& cut) {
  const CFloorHeatingCurve& curve = *record.section->curve;
  const int start = frame.classify(window, curve.startPoint(), tol);
  const int end = frame.classify(window, curve.endPoint(), tol);
  const bool startOut = start == CLoop::kOutside;
  const bool endOut = end == CLoop::kOutside;
  if (!startOut && !endOut) {
    if (start == CLoop::kInside || end == CLoop::kInside) record.active = false;
    return false;
  }
  XtGeInterval range;
  if (!curveRange(curve, range)) return false;
  if ((start == CLoop::kOnLoop || end == CLoop::kOnLoop) && !innerSampleInside(window, frame, curve, range, tol))
    return false;
  std::vector<COffsetPoint> hits;
  window.intersectionPoints(curve, hits, tol);
  std::vector<double> params;
  params.reserve(hits.size());
  for (const COffsetPoint& hit : hits) {
    if (start == CLoop::kOnLoop && hit.point.isEqualTo(curve.startPoint(), tol)) continue;
    if (end == CLoop::kOnLoop && hit.point.isEqualTo(curve.endPoint(), tol)) continue;
    params.push_back(curve.geCurve().paramOf(hit.point, workTolFine));
  }
  std::sort(params.begin(), params.end());
  if (params.empty() || (startOut && endOut && params.size() < 2)) return false;
  if (startOut && endOut)
    cut.set(params[0], params[1]);
  else if (startOut)
    cut.set(params[0], range.upperBound());
  else
    cut.set(range.lowerBound(), params[0]);
  return true;
}

}  // namespace

void resetFreeIntervals(COffsetNarrowLoopSection& narrow, double spacing) {
  narrow.spacing = spacing;
  narrow.freeIntervals.clear();
  narrow.freeIntervals.reserve(narrow.elements.size());
  for (int i = 0; i < narrow.sectionCount(); ++i) {
    COffsetFreeIntervals record;
    record.section = narrow.section(i);
    XtGeInterval range;
    if (record.section != nullptr && record.section->hasCurve() && curveRange(*record.section->curve, range) &&
        lengthOn(record.section->curve->geCurve(), range.lowerBound(), range.upperBound()) >=
            spacing - 0.5 * workTol.equalPoint())
      record.intervals.emplace_back(range.lowerBound(), range.upperBound(), kIntervalTol);
    else
      record.active = false;
    narrow.freeIntervals.push_back(std::move(record));
  }
}

bool hasActiveSection(const COffsetNarrowLoopSection& narrow) {
  return std::any_of(narrow.freeIntervals.begin(), narrow.freeIntervals.end(),
                     [](const COffsetFreeIntervals& r) { return r.active; });
}

void subtractInterval(COffsetFreeIntervals& record, const XtGeInterval& cut, double minimumLength) {
  if (!isFiniteBounded(cut) || record.section == nullptr || !record.section->hasCurve()) return;
  const XtGeCurve2d& curve = record.section->curve->geCurve();
  const double least = minimumLength - 3.0 * workTol.equalPoint();
  std::vector<XtGeInterval> kept;
  kept.reserve(record.intervals.size() + 1);
  for (const XtGeInterval& free : record.intervals) {
    XtGeInterval pieces[2];
    const int count = free.subtract(cut, pieces[0], pieces[1]);
    for (int k = 0; k < count; ++k)
      if (lengthOn(curve, pieces[k].lowerBound(), pieces[k].upperBound()) >= least) kept.push_back(pieces[k]);
  }
  record.intervals = std::move(kept);
}

void cutWindow(COffsetNarrowLoopSection& narrow, const CFloorHeatingCurve& curve, const XtGeInterval& interval,
               const XtGeTol& tol) {
  const double s = narrow.spacing;
  if (!(s > 0.0) || !std::isfinite(s) || !isFiniteBounded(interval)) return;
  const XtGePoint2d a = curve.geCurve().evalPoint(interval.lowerBound());
  const XtGePoint2d b = curve.geCurve().evalPoint(interval.upperBound());
  if (!a.isFinite() || !b.isFinite() || a.isEqualTo(b, workTol)) return;
  const std::unique_ptr<COffsetLoop> window = windowAround(a, b, s, curve.tag());
  const PipeWindowFrame frame(a, b, s, 4.0 * tol.equalPoint() + workTol.equalPoint());
  for (COffsetFreeIntervals& record : narrow.freeIntervals) {
    if (!record.active || record.section == nullptr || !record.section->hasCurve()) continue;
    if (frame.keepsClearOf(record.section->curve->geCurve().orthoBoundBlock())) continue;
    XtGeInterval cut(0.0, 0.0, kIntervalTol);
    if (windowCut(*window, frame, record, tol, cut)) subtractInterval(record, cut, s);
  }
}

void cutWindowAlongSegment(COffsetNarrowLoopSection& narrow, const CFloorHeatingCurve& curve, int sectionIndex,
                           const XtGeLineSeg2d& segment, const XtGeTol& tol) {
  if (sectionIndex < 0 || sectionIndex >= narrow.sectionCount() || !narrow.section(sectionIndex)->hasCurve()) return;
  const CFloorHeatingCurve& own = *narrow.section(sectionIndex)->curve;
  const double t0 = own.geCurve().paramOf(segment.startPoint(), workTolFine);
  const double t1 = own.geCurve().paramOf(segment.endPoint(), workTolFine);
  cutWindow(narrow, own, XtGeInterval(std::min(t0, t1), std::max(t0, t1), kIntervalTol), workTol);
  const CFloorHeatingLine cross0(segment.startPoint(), curve.closestPointTo(segment.startPoint()), nullptr, kTagTestLine);
  const CFloorHeatingLine cross1(segment.endPoint(), curve.closestPointTo(segment.endPoint()), nullptr, kTagTestLine);
  for (int i = 0; i < narrow.sectionCount(); ++i) {
    const CLoopElement* section = narrow.elementWithCurve(i);
    XtGePoint2d hit0;
    XtGePoint2d hit1;
    if (section == nullptr || !intersectCurves(*section->curve, cross0, hit0, tol) ||
        !intersectCurves(*section->curve, cross1, hit1, tol))
      continue;
    const double p0 = section->curve->geCurve().paramOf(hit0, workTolFine);
    const double p1 = section->curve->geCurve().paramOf(hit1, workTolFine);
    cutWindow(narrow, *section->curve, XtGeInterval(std::min(p0, p1), std::max(p0, p1), kIntervalTol), tol);
  }
}

bool nextFreeStretch(const COffsetNarrowLoopSection& narrow, int recordIndex, const XtGeInterval& interval,
                     bool forward, FreeStretch& stretch) {
  if (recordIndex < 0 || recordIndex >= static_cast<int>(narrow.freeIntervals.size())) return false;
  const COffsetFreeIntervals& record = narrow.freeIntervals[recordIndex];
  if (!record.active || record.section == nullptr || !record.section->hasCurve()) return false;
  const XtGeCurve2d& curve = record.section->curve->geCurve();
  const double s = narrow.spacing;
  const int count = static_cast<int>(record.intervals.size());
  for (int k = 0; k < count; ++k) {
    const XtGeInterval& free = record.intervals[forward ? k : count - 1 - k];
    XtGeInterval overlap;
    if (!free.intersectWith(interval, overlap) || !isFiniteBounded(overlap)) continue;
    const double lo = overlap.lowerBound();
    const double hi = overlap.upperBound();
    if (lengthOn(curve, lo, hi) < 0.5 * s) continue;
    const double from = forward ? lo : hi;
    const double reach = curve.paramAtLength(from, s, forward, workTolFine);
    const double to = forward ? std::min(reach, hi) : std::max(reach, lo);
    stretch.interval.set(std::min(from, to), std::max(from, to));
    stretch.first = curve.evalPoint(from);
    stretch.second = curve.evalPoint(to);
    return true;
  }
  return false;
}
