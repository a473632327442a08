#include "heating/layout/offsets/LoopStretch.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kEdgeMargin = 0.01;  // in parameter: a point this near a bound counts as at it

// The interval of one section for a walk in the given direction, and whether
// the walk ends on it. In the walking direction `from` comes first, so the
// bound it sets is the lower one walking forward and the upper one backward.
bool clipToEnds(XtGeInterval& range, bool forward, bool fromOn, double p1, bool toOn, double p2) {
  const bool lowOn = forward ? fromOn : toOn;
  const bool highOn = forward ? toOn : fromOn;
  const double low = forward ? p1 : p2;
  const double high = forward ? p2 : p1;
  const double lo = range.lowerBound();
  const double hi = range.upperBound();
  if (lowOn && highOn) {
    if (high > low) {
      range.set(low, high);
      return true;
    }
    if (low + kEdgeMargin > hi)
      range.set(lo, high);
    else if (lo > high - kEdgeMargin)
      range.set(low, hi);
    else
      range.set(hi, hi);
    return false;
  }
  if (lowOn) {
    range.set(low, hi);
    return !forward;  // `to` on its own ends the walk
  }
  if (highOn) {
    range.set(lo, high);
    return forward;
  }
  return false;
}

}  // namespace

CFHLoopStretch::CFHLoopStretch(const COffsetLoop& loop, const CLoopPoint& from, const CLoopPoint& to,
                               bool forwardWalk)
    : owner(&loop), start(from), end(to), forward(forwardWalk) {
  const int n = loop.sectionCount();
  int i = loop.indexOf(from.outgoingLink(forward, workTol));
  if (n == 0 || i < 0) return;
  sections.reserve(n);
  intervals.reserve(n);
  for (int passed = 0; passed < n; ++passed, i = forward ? loop.nextIndex(i) : loop.previousIndex(i)) {
    COffsetSection* section = loop.section(i);
    if (!section->hasCurve()) continue;
    const XtGeCurve2d& curve = section->curve->geCurve();
    XtGeInterval range;
    curve.getInterval(range);
    range.setTolerance(XtGe::kIntervalTol);
    double p1 = 0.0;
    double p2 = 0.0;
    const bool fromOn = curve.isOn(from.point, p1, workTol);
    const bool toOn = curve.isOn(to.point, p2, workTol);
    const bool ends = clipToEnds(range, forward, fromOn, p1, toOn, p2);
    sections.push_back(section);
    intervals.push_back(range);
    if (ends) break;
  }
}

bool CFHLoopStretch::isEmptyPiece(int i) const { return intervals[i].length() <= XtGe::kIntervalTol; }

double CFHLoopStretch::pieceLength(int i) const {
  if (isEmptyPiece(i)) return 0.0;
  const double len =
      sections[i]->curve->geCurve().length(intervals[i].lowerBound(), intervals[i].upperBound(), workTolFine);
  return std::isfinite(len) ? len : 0.0;
}

XtGePoint2d CFHLoopStretch::pieceStartPoint(int i) const {
  return sections[i]->curve->geCurve().evalPoint(forward ? intervals[i].lowerBound() : intervals[i].upperBound());
}

XtGePoint2d CFHLoopStretch::pieceEndPoint(int i) const {
  return sections[i]->curve->geCurve().evalPoint(forward ? intervals[i].upperBound() : intervals[i].lowerBound());
}

void CFHLoopStretch::emptyPiece(int i) {
  constexpr double kBeyond = 0.0001;
  XtGeInterval& range = intervals[i];
  if (forward)
    range.set(range.upperBound() + kBeyond, range.upperBound());
  else
    range.set(range.lowerBound(), range.lowerBound() - kBeyond);
}

int indexOfPointer(const CFHLoopStretch& stretch, int loopIndex) {
  if (stretch.owner == nullptr || loopIndex < 0 || loopIndex >= stretch.owner->sectionCount()) return -1;
  const COffsetSection* section = stretch.owner->section(loopIndex);
  const auto it = std::find(stretch.sections.begin(), stretch.sections.end(), section);
  return it == stretch.sections.end() ? -1 : static_cast<int>(it - stretch.sections.begin());
}

int lastNonEmptyPiece(const CFHLoopStretch& stretch) {
  for (int i = stretch.pieceCount() - 1; i >= 0; --i)
    if (!stretch.isEmptyPiece(i)) return i;
  return -1;
}

int polylinePieceForJoin(const CFHLoopStretch& stretch) {
  const int n = stretch.pieceCount();
  if (n == 0 || stretch.owner == nullptr) return -1;
  std::vector<double> curveLength(n);
  for (int i = 0; i < n; ++i) curveLength[i] = stretch.sections[i]->curve->length();
  // The longest piece but `skip`; of pieces as long within workTol's point
  // value (sides drawn equal), the earliest, however their last bits fall.
  const auto longest = [&](int skip) {
    double most = -1.0;
    for (int i = 0; i < n; ++i)
      if (i != skip) most = std::max(most, curveLength[i]);
    for (int i = 0; i < n; ++i)
      if (i != skip && curveLength[i] >= most - workTol.equalPoint()) return i;
    return -1;
  };
  const int first = longest(-1);
  const int byLength[2] = {first, longest(first)};
  for (int k = 0; k < std::min(n, 2); ++k) {
    const int i = byLength[k];
    if (i < 0) break;
    COffsetSection* section = stretch.sections[i];
    bool taken;
    if (section->curve->geCurve().isOn(stretch.start.point, workTol)) {
      taken = stretch.pieceLength(i) > 0.5 * curveLength[i];
    } else {
      const CLoopPoint pieceStart(stretch.pieceStartPoint(i), section);
      taken = std::isfinite(stretch.owner->lengthBetween(stretch.start, pieceStart, !stretch.forward, workTol));
    }
    if (taken) return stretch.owner->indexOf(section);
  }
  return -1;
}

bool polylinePieceEndPoints(const CFHLoopStretch& stretch, int loopIndex, XtGePoint2d& u, XtGePoint2d& v) {
  const int i = indexOfPointer(stretch, loopIndex);
  if (i < 0 || stretch.isEmptyPiece(i)) return false;
  const XtGeCurve2d& curve = stretch.sections[i]->curve->geCurve();
  u = curve.evalPoint(stretch.intervals[i].lowerBound());
  v = curve.evalPoint(stretch.intervals[i].upperBound());
  return true;
}
