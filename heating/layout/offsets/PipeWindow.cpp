#include "heating/layout/offsets/PipeWindow.h"

#include <algorithm>
#include <cmath>

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/layout/offsets/COffsetSection.h"

std::unique_ptr<COffsetLoop> windowAround(const XtGePoint2d& a, const XtGePoint2d& b, double s, std::uint32_t tag) {
  const CFloorHeatingLine chord(a, b, nullptr, tag);
  const XtGeVector2d n = (b - a).normal().perpVector() * (0.75 * s);
  const XtGePoint2d mid = chord.midPoint();
  CFloorHeatingCurve::Ptr left = chord.extendedCopyAt(mid + n, s);
  CFloorHeatingCurve::Ptr right = chord.extendedCopyAt(mid - n, s);
  right->reverse();
  const XtGePoint2d leftStart = left->startPoint();
  const XtGePoint2d leftEnd = left->endPoint();
  const XtGePoint2d rightStart = right->startPoint();
  const XtGePoint2d rightEnd = right->endPoint();
  auto window = std::make_unique<COffsetLoop>();
  window->elements.reserve(4);
  window->appendSection(makeSection(std::move(left)));
  window->appendSection(makeSection(std::make_unique<CFloorHeatingLine>(leftEnd, rightStart, nullptr, tag)));
  window->appendSection(makeSection(std::move(right)));
  window->appendSection(makeSection(std::make_unique<CFloorHeatingLine>(rightEnd, leftStart, nullptr, tag)));
  return window;
}

namespace {

// The caller's margin, widened by the rounding of coordinates of the chord's
// magnitude: far from the origin the window's corners and the points tested
// carry errors above a fine tolerance, and the loop counts those as on it.
double roundingMargin(const XtGePoint2d& a, const XtGePoint2d& b, double s, double margin) {
  return margin + 1e-12 * (1.0 + std::fabs(a.x) + std::fabs(a.y) + a.distanceTo(b) + 2.0 * s);
}

}  // namespace

PipeWindowFrame::PipeWindowFrame(const XtGePoint2d& a, const XtGePoint2d& b, double s, double margin)
    : origin_(a),
      along_((b - a).normal()),
      across_(along_.perpVector()),
      margin_(roundingMargin(a, b, s, margin)),
      alongFrom_(-s - margin_),
      alongTo_(a.distanceTo(b) + s + margin_),
      acrossMax_(0.75 * s + margin_) {}

int PipeWindowFrame::classify(const COffsetLoop& window, const XtGePoint2d& p, const XtGeTol& tol) const {
  const XtGeVector2d v = p - origin_;
  const double along = v.dotProduct(along_);
  const double across = std::fabs(v.dotProduct(across_));
  if (along > alongTo_ || along < alongFrom_ || across > acrossMax_) return CLoop::kOutside;
  const double band = 2.0 * margin_;
  if (along < alongTo_ - band && along > alongFrom_ + band && across < acrossMax_ - band) return CLoop::kInside;
  return window.classifyPoint(p, tol);
}

bool PipeWindowFrame::keepsClearOf(const XtGeBoundBlock2d& box) const {
  XtGePoint2d lo;
  XtGePoint2d hi;
  if (!box.getMinMaxPoints(lo, hi)) return false;
  const XtGePoint2d corners[4] = {lo, {hi.x, lo.y}, hi, {lo.x, hi.y}};
  double minAlong = HUGE_VAL;
  double maxAlong = -HUGE_VAL;
  double minAcross = HUGE_VAL;
  double maxAcross = -HUGE_VAL;
  for (const XtGePoint2d& c : corners) {
    const XtGeVector2d v = c - origin_;
    minAlong = std::min(minAlong, v.dotProduct(along_));
    maxAlong = std::max(maxAlong, v.dotProduct(along_));
    minAcross = std::min(minAcross, v.dotProduct(across_));
    maxAcross = std::max(maxAcross, v.dotProduct(across_));
  }
  return minAlong > alongTo_ || maxAlong < alongFrom_ || minAcross > acrossMax_ || maxAcross < -acrossMax_;
}
