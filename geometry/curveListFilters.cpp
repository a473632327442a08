#include "geometry/curveListFilters.h"

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"
#include "geometry/curveClassification.h"
#include "geometry/hvArrayEdit.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cmath>
#include <memory>

namespace {

constexpr int kNestingSteps = 50;
// An entry enclosing no more than this (the single-precision epsilon) is no
// region.
constexpr double kNoArea = 1.1920928955078125e-7;
constexpr double kEqualAreaShare = 1e-12;

bool samePoint(const XtGePoint2d& a, const XtGePoint2d& b) { return a.isEqualTo(b, workTol); }

bool sameVector(const XtGeVector2d& a, const XtGeVector2d& b) {
  return (a - b).length() <= workTol.equalPoint();
}

// Same ends in the same order for the same sense, exchanged for opposite senses.
bool sameEnds(const XtGePoint2d& s1, const XtGePoint2d& e1, const XtGePoint2d& s2, const XtGePoint2d& e2,
              bool sameSense) {
  return sameSense ? samePoint(s1, s2) && samePoint(e1, e2) : samePoint(s1, e2) && samePoint(e1, s2);
}

bool sameCurve(const XtGeCurve2d& a, const XtGeCurve2d& b) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case XtGe::kLineSeg2d: {
      const auto& p = static_cast<const XtGeLineSeg2d&>(a);
      const auto& q = static_cast<const XtGeLineSeg2d&>(b);
      return sameEnds(p.startPoint(), p.endPoint(), q.startPoint(), q.endPoint(), true) ||
             sameEnds(p.startPoint(), p.endPoint(), q.startPoint(), q.endPoint(), false);
    }
    case XtGe::kCircArc2d: {
      const auto& p = static_cast<const XtGeCircArc2d&>(a);
      const auto& q = static_cast<const XtGeCircArc2d&>(b);
      return samePoint(p.center(), q.center()) &&
             sameEnds(p.startPoint(), p.endPoint(), q.startPoint(), q.endPoint(), p.isClockWise() == q.isClockWise());
    }
    case XtGe::kEllipArc2d: {
      const auto& p = static_cast<const XtGeEllipArc2d&>(a);
      const auto& q = static_cast<const XtGeEllipArc2d&>(b);
      const bool sameSense = p.isClockWise() == q.isClockWise();
      // A reversed arc runs its minor axis the other way.
      const XtGeVector2d qMinor = q.minorAxis() * (sameSense ? q.minorRadius() : -q.minorRadius());
      return samePoint(p.center(), q.center()) &&
             sameVector(p.majorAxis() * p.majorRadius(), q.majorAxis() * q.majorRadius()) &&
             sameVector(p.minorAxis() * p.minorRadius(), qMinor) &&
             sameEnds(p.startPoint(), p.endPoint(), q.startPoint(), q.endPoint(), sameSense);
    }
    default:
      return false;
  }
}

// The boundaries of the entries; a missing one marks its entry to go.
std::vector<std::unique_ptr<XtGeCompositeCurve2d>> boundariesOf(const curvePtrArray& context,
                                                                 const std::vector<curveEntry>& entries,
                                                                 std::vector<bool>& gone) {
  std::vector<std::unique_ptr<XtGeCompositeCurve2d>> boundaries(entries.size());
  gone.assign(entries.size(), false);
  for (std::size_t i = 0; i < entries.size(); ++i)
    gone[i] = joinToComposite(boundaries[i], context, entries[i]) == 0 || !boundaries[i];
  return boundaries;
}

// Removes the marked entries; answers the number left.
int removeMarked(std::vector<curveEntry>& entries, const std::vector<bool>& gone) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (!gone[i]) entries[kept++] = std::move(entries[i]);
  entries.resize(kept);
  return static_cast<int>(kept);
}

// Where the curve lies towards the closed curve: the first of 50 equal
// steps along it that is inside or outside decides; 4 when none does.
int positionOf(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve) {
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  if (!iv.isBounded()) return kPositionOn;
  const double lo = iv.lowerBound();
  const double step = (iv.upperBound() - lo) / kNestingSteps;
  for (int k = 0; k < kNestingSteps; ++k) {
    const double t = lo + k * step;
    if (!(t < iv.upperBound())) break;
    const int position = classifyPointInCurve(curve.xtEvalPoint(t), closedCurve);
    if (position == kPositionOutside || position == kPositionInside) return position;
  }
  return kPositionOn;
}

// Whether two entries refer to a common curve of the context.
bool shareACurve(const curveEntry& a, const curveEntry& b) {
  auto usable = [](pieceRef ref) { return (ref >> 32) <= 1; };
  for (const pieceRef p : a)
    for (const pieceRef q : b)
      if (usable(p) && usable(q) && static_cast<std::uint32_t>(p) == static_cast<std::uint32_t>(q)) return true;
  return false;
}

}  // namespace

int removeDuplicateCurves(curvePtrArray& curves) {
  const int n = curves.count();
  for (int i = 0; i < n; ++i) {
    if (curves[i] == nullptr) continue;
    for (int j = i + 1; j < n; ++j) {
      if (curves[j] == nullptr || !sameCurve(*curves[i], *curves[j])) continue;
      delete curves[j];
      curves[j] = nullptr;
    }
  }
  hvArrayKeepIf(curves, [](const XtGeCurve2d* c) { return c != nullptr; });
  return curves.count();
}

int removeNestedEntries(const curvePtrArray& context, std::vector<curveEntry>& entries) {
  std::vector<bool> gone;
  const auto boundaries = boundariesOf(context, entries, gone);
  const std::size_t n = entries.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n && !gone[i]; ++j) {
      if (gone[j]) continue;
      const int iInJ = positionOf(*boundaries[i], *boundaries[j]);
      const int jInI = positionOf(*boundaries[j], *boundaries[i]);
      if (iInJ == kPositionInside && jInI == kPositionOutside) gone[i] = true;
      else if (jInI == kPositionInside && iInJ == kPositionOutside) gone[j] = true;
    }
  }
  return removeMarked(entries, gone);
}

int removeSmallerSharedEntries(const curvePtrArray& context, std::vector<curveEntry>& entries, bool compareAll) {
  std::vector<bool> gone;
  const auto boundaries = boundariesOf(context, entries, gone);
  const std::size_t n = entries.size();
  std::vector<double> areas(n, 0.0);
  std::vector<double> lengths(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    if (gone[i]) continue;
    if (getCurveArea(*boundaries[i], areas[i])) {
      if (areas[i] <= kNoArea) gone[i] = true;
    } else {
      areas[i] = 0.0;
    }
    XtGeInterval iv(XtGe::kIntervalTol);
    boundaries[i]->getInterval(iv);
    if (iv.isBounded()) lengths[i] = boundaries[i]->xtLength(iv.lowerBound(), iv.upperBound(), XtGeContext::gTol);
  }
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n && !gone[i]; ++j) {
      if (gone[j] || !(compareAll || shareACurve(entries[i], entries[j]))) continue;
      if (std::fabs(areas[i] - areas[j]) > kEqualAreaShare * areas[i]) {
        gone[areas[i] < areas[j] ? i : j] = true;
      } else {
        gone[lengths[i] > lengths[j] ? j : i] = true;
      }
    }
  }
  return removeMarked(entries, gone);
}
