#include "heating/layout/offsets/LayoutRayCast.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kNoHit = std::numeric_limits<double>::infinity();

// A facing stretch growing on one interval curve: the marks of its record
// that continue each other (each starting at the hit the one before ended
// at), kept by their lowest and highest parameter and added as one span when
// the run of marks breaks or the cast ends. This gives the same kept spans as
// adding every mark, without inserting thousands of small spans into the
// sorted list (in falling order for a curve hit against its parameter).
struct GrowingSpan {
  bool active = false;
  double lowParam = 0.0;
  double highParam = 0.0;
  XtGePoint2d low;
  XtGePoint2d high;
  XtGePoint2d last;  // the hit the last mark ended at
};

// The interval curves of one map during a cast, with their hit records,
// growing spans and boxes (grown by the intersection tolerance), all by the
// map's index.
struct CastSide {
  explicit CastSide(const CFHIntervalCurveMap& curves)
      : map(curves), records(curves.size()), growing(curves.size()), boxes(curves.size()) {
    const double margin = 2.0 * workTolFine.equalPoint();
    for (std::size_t i = 0; i < map.size(); ++i) {
      if (map[i] == nullptr || map[i]->curve == nullptr) continue;
      boxes[i] = map[i]->curve->geCurve().orthoBoundBlock();
      if (!boxes[i].isEmpty()) boxes[i].swell(margin);
    }
  }

  // Adds the growing span of interval curve i, if any, as a facing span.
  void flush(std::size_t i) {
    GrowingSpan& span = growing[i];
    if (span.active) map[i]->addIntervalA(span.low, span.high);
    span.active = false;
  }

  // Interval curve i marks the stretch between its record's previous and
  // current hit when both came from the same caster, in the parameter order
  // of its curve.
  void mark(std::size_t i) {
    const RayCastHitRecord& record = records[i];
    const CFHIntervalCurve* marked = map[i];
    if (marked == nullptr || marked->curve == nullptr || record.currentCurve == nullptr ||
        record.previousCurve != record.currentCurve)
      return;
    const XtGeCurve2d& geCurve = marked->curve->geCurve();
    const double t0 = geCurve.paramOf(record.previousPoint);
    const double t1 = geCurve.paramOf(record.currentPoint);
    GrowingSpan& span = growing[i];
    if (span.active && (span.last.x != record.previousPoint.x || span.last.y != record.previousPoint.y)) flush(i);
    if (!span.active) span = {true, t0, t0, record.previousPoint, record.previousPoint, record.previousPoint};
    if (t1 < span.lowParam) {
      span.lowParam = t1;
      span.low = record.currentPoint;
    } else if (t1 > span.highParam) {
      span.highParam = t1;
      span.high = record.currentPoint;
    }
    span.last = record.currentPoint;
  }

  // The index of the record with the smallest finite distance (the first of
  // equal ones); -1 when none has one.
  int nearestRecord() const {
    int nearest = -1;
    double best = kNoHit;
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (records[i].distance < best) {
        best = records[i].distance;
        nearest = static_cast<int>(i);
      }
    }
    return nearest;
  }

  const CFHIntervalCurveMap& map;
  std::vector<RayCastHitRecord> records;
  std::vector<GrowingSpan> growing;
  std::vector<XtGeBoundBlock2d> boxes;
};

// Whether the ray from `origin` along `direction` may meet the box (slab
// test); an empty box is never met.
bool rayMayMeetBox(const XtGePoint2d& origin, const XtGeVector2d& direction, const XtGeBoundBlock2d& box) {
  if (box.isEmpty()) return false;
  const XtGePoint2d lo = box.minPoint();
  const XtGePoint2d hi = box.maxPoint();
  const double o[2] = {origin.x, origin.y};
  const double d[2] = {direction.x, direction.y};
  const double l[2] = {lo.x, lo.y};
  const double h[2] = {hi.x, hi.y};
  double enter = 0.0;
  double leave = kNoHit;
  for (int axis = 0; axis < 2; ++axis) {
    if (d[axis] == 0.0) {
      if (o[axis] < l[axis] || o[axis] > h[axis]) return false;
      continue;
    }
    double t1 = (l[axis] - o[axis]) / d[axis];
    double t2 = (h[axis] - o[axis]) / d[axis];
    if (t1 > t2) std::swap(t1, t2);
    enter = std::max(enter, t1);
    leave = std::min(leave, t2);
    if (enter > leave) return false;
  }
  return true;
}

// Shifts the record of every interval curve of `side` but `skip` with the
// ray's hit on it (from `caster`), or with no hit (also for no ray).
void recordHits(CastSide& side, std::size_t skip, CFHIntervalCurve* caster, const XtGeRay2d* ray,
                const XtGePoint2d& origin) {
  const XtGeVector2d direction = ray != nullptr ? ray->direction() : XtGeVector2d();
  for (std::size_t i = 0; i < side.map.size(); ++i) {
    if (i == skip) continue;
    const CFHIntervalCurve* target = side.map[i];
    XtGePoint2d hit;
    if (ray != nullptr && target != nullptr && target->curve != nullptr &&
        rayMayMeetBox(origin, direction, side.boxes[i]) && target->curve->intersectWithRay(*ray, hit, workTolFine))
      loopStepRecordShift(side.records[i], caster, hit, origin.distanceTo(hit));
    else
      loopStepRecordShift(side.records[i], nullptr, XtGePoint2d(), kNoHit);
  }
}

// Casts the rays of every curve of `casting` (see LayoutRayCast.h).
void castFrom(CastSide& casting, CastSide& facing, double step) {
  for (std::size_t c = 0; c < casting.map.size(); ++c) {
    CFHIntervalCurve* caster = casting.map[c];
    if (caster == nullptr || caster->curve == nullptr) continue;
    const CFloorHeatingCurve& curve = *caster->curve;
    const double length = curve.length();
    if (!(length > 0.0) || !std::isfinite(length)) continue;
    const double dt = std::max(step, length / kMaxRayCastSamples);
    RayCastHitRecord& own = casting.records[c];
    for (int i = 0; i < kMaxRayCastSamples; ++i) {
      const double t = i == 0 ? 0.0 : i * dt;  // an infinite step samples the start only
      if (!(t < length)) break;
      const XtGePoint2d p = curve.pointAtLength(t);
      loopStepRecordShift(own, caster, p, kNoHit);
      XtGeRay2d ray;
      const XtGeRay2d* cast = curve.normalRay(ray, p, -1) ? &ray : nullptr;
      recordHits(facing, facing.map.size(), caster, cast, p);
      recordHits(casting, c, caster, cast, p);

      // The nearest curve of the other map faces C unless a curve of C's own
      // map lies nearer.
      const int n = facing.nearestRecord();
      bool blocked = n < 0;
      for (std::size_t o = 0; !blocked && o < casting.records.size(); ++o)
        blocked = o != c && casting.records[o].distance < facing.records[static_cast<std::size_t>(n)].distance;
      if (blocked) {
        loopStepRecordShift(own, nullptr, XtGePoint2d(), 0.0);
        continue;
      }
      casting.mark(c);
      facing.mark(static_cast<std::size_t>(n));
    }
  }
}

}  // namespace

void loopStepRecordShift(RayCastHitRecord& record, CFHIntervalCurve* curve, const XtGePoint2d& point,
                         double distance) {
  record.previousCurve = record.currentCurve;
  record.previousPoint = record.currentPoint;
  record.currentCurve = curve;
  record.currentPoint = point;
  record.distance = distance;
}

void layoutRayCast(const CFHIntervalCurveMap& ownCurves, CFHIntervalCurveMap& otherCurves, double step) {
  if (!(step > 0.0)) step = 0.01 * usableDrawingUnitFactor();
  {
    CastSide own(ownCurves);
    CastSide other(otherCurves);
    castFrom(own, other, step);
    castFrom(other, own, step);
    for (CastSide* side : {&own, &other})
      for (std::size_t i = 0; i < side->map.size(); ++i) side->flush(i);
  }
  otherCurves.clear();
}
