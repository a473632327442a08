#include "heating/layout/meander/MeanderRecordSearches.h"

#include "heating/layout/offsets/LayoutTolerances.h"

#include "heating/curves/CFloorHeatingCurve.h"

#include "geometry/Tolerances.h"

int findRecordByPoint(const std::vector<CFHMeanderLoopEntry>& entries, const CFHMeanderPoint& record) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].point.point.isEqualTo(record.point.point, workTolFine)) return static_cast<int>(i);
  return -1;
}

int findNearestRecordOfKind(const std::vector<CFHMeanderPoint>& records, const CLoopPoint& point,
                            std::uint32_t kind) {
  int best = -1;
  double bestDistance = 0.0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].kind != kind) continue;
    const double d = records[i].point.point.distanceTo(point.point);
    if (best < 0 || d < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

namespace {

// The answer of a record that decides.
int decidingAnswer(const CFHMeanderPoint& record, int index) {
  return record.kind == kMeanderFirstLoop ? index : -1;
}

bool decides(const CFHMeanderPoint& record) {
  return record.kind == kMeanderBoundary || record.kind == kMeanderFirstLoop;
}

}  // namespace

int findBandPointIndex(const std::vector<CFHMeanderPoint>& records, const XtGePoint2d& point,
                       const CFloorHeatingCurve& curve, bool backward) {
  const double dp = curve.distanceTo(point);
  const int n = static_cast<int>(records.size());
  if (!backward) {
    for (int i = 0; i < n; ++i)
      if (decides(records[i]) && curve.distanceTo(records[i].point.point) < dp) return decidingAnswer(records[i], i);
  } else {
    for (int i = n - 1; i >= 0; --i)
      if (decides(records[i]) && curve.distanceTo(records[i].point.point) > dp) return decidingAnswer(records[i], i);
  }
  return -1;
}

bool crossingRecordsEqual(const CFHMeanderPoint& a, const CFHMeanderPoint& b) {
  return a.kind == b.kind && a.point.point.isEqualTo(b.point.point, heatingTolCoarse);
}
