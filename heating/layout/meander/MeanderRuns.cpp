#include "heating/layout/meander/MeanderRuns.h"

#include "heating/layout/meander/CFHExtents.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/meander/RunCrossesBand.h"

#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CLoop.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The base frame: world <-> frame coordinates.
struct BaseFrame {
  XtGePoint2d origin;
  XtGeVector2d x;
  XtGeVector2d y;

  XtGePoint2d toFrame(const XtGePoint2d& p) const {
    const XtGeVector2d d = p - origin;
    return XtGePoint2d(d.dotProduct(x), d.dotProduct(y));
  }
  XtGePoint2d toWorld(double fx, double fy) const { return origin + x * fx + y * fy; }
};

// Adds the points of an arc where it reaches farthest along the frame's axes.
void addArcExtremes(const CFloorHeatingArc& arc, const BaseFrame& frame, CFHExtents& extents) {
  const XtGePoint2d centre = arc.arc().center();
  const double r = arc.arc().radius();
  for (const XtGeVector2d& axis : {frame.x, -frame.x, frame.y, -frame.y}) {
    const XtGePoint2d p = centre + axis * r;
    if (arc.isOn(p)) extents.addPoint(frame.toFrame(p));
  }
}

}  // namespace

bool curvesOrientedBox(const CLoop& loop, const CLoopElement* baseItem, std::unique_ptr<CFloorHeatingLine>& line1,
                       std::unique_ptr<CFloorHeatingLine>& line2, bool orientation) {
  if (baseItem == nullptr || baseItem->curve == nullptr) return false;
  const CFloorHeatingCurve& base = *baseItem->curve;
  const double length = base.direction().length();
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  BaseFrame frame{base.startPoint(), base.direction() / length, {}};
  frame.y = frame.x.perpVector();

  CFHExtents extents;
  for (const CLoopElement* item : loop.elements) {
    if (item == nullptr || item->curve == nullptr) continue;
    extents.addPoint(frame.toFrame(item->startPoint()));
    extents.addPoint(frame.toFrame(item->endPoint()));
    if (item->curve->kind() == CFloorHeatingCurve::kArc)
      addArcExtremes(static_cast<const CFloorHeatingArc&>(*item->curve), frame, extents);
  }
  if (extents.isEmpty()) return false;
  XtGePoint2d lo;
  XtGePoint2d hi;
  extents.getMinMax(lo, hi);
  double x0 = lo.x;
  double x1 = hi.x;
  if (!orientation) std::swap(x0, x1);  // mirrored along the base
  line1 = std::make_unique<CFloorHeatingLine>(frame.toWorld(x1, lo.y), frame.toWorld(x1, hi.y), nullptr,
                                              kTagMeanderSide);
  line2 = std::make_unique<CFloorHeatingLine>(frame.toWorld(x0, lo.y), frame.toWorld(x0, hi.y), nullptr,
                                              kTagMeanderSide);
  return true;
}

bool isMeanderBandAngle(double a) {
  constexpr double kBoundTol = 1e-9;
  constexpr double q = std::numbers::pi / 4;
  return (a > q + kBoundTol && a < 3 * q - kBoundTol) || (a > 5 * q + kBoundTol && a < 7 * q - kBoundTol);
}

MeanderBands meanderBandLoops(const CLoop& loop, const CFloorHeatingCurve& base) {
  MeanderBands bands;
  for (const CLoopElement* element : loop.elements) {
    const auto* item = dynamic_cast<const CFHBoundLoopItem*>(element);
    if (item == nullptr || item->curve == nullptr || !(item->value > 0.0)) continue;
    if (!isMeanderBandAngle(angleBetweenVectors(base.direction(), item->curve->direction(), true))) continue;
    const CFloorHeatingLine chord(item->startPoint(), item->endPoint(), nullptr, kTagMeanderSide);
    auto strip = item->curve->kind() == CFloorHeatingCurve::kLine
                     ? std::make_unique<COffsetLoop>(static_cast<const CFloorHeatingLine&>(*item->curve), item->value)
                     : std::make_unique<COffsetLoop>(chord, item->value);
    if (strip->sectionCount() == 0) continue;
    bands.loops.push_back(strip.get());
    bands.owned.push_back(std::move(strip));
    bands.edges.push_back({item->startPoint(), item->endPoint(), item->value});
  }
  return bands;
}

std::vector<MeanderJogWall> meanderJogWalls(const CLoop& loop, double d0, double s, double shortest) {
  std::vector<const CLoopElement*> items;
  for (const CLoopElement* element : loop.elements)
    if (element != nullptr && element->curve != nullptr) items.push_back(element);
  std::vector<MeanderJogWall> walls;
  const std::size_t n = items.size();
  const auto length = [](const CLoopElement* item) { return item->startPoint().distanceTo(item->endPoint()); };
  for (std::size_t i = 0; i < n && n >= 3; ++i) {
    const double jog = length(items[i]);
    const CLoopElement* before = items[(i + n - 1) % n];
    const CLoopElement* after = items[(i + 1) % n];
    if (jog >= shortest || length(before) < shortest || length(after) < shortest) continue;
    for (const CLoopElement* wall : {before, after})
      walls.push_back({wall->startPoint(), wall->endPoint(), d0 + s + jog, s - jog});
  }
  return walls;
}

namespace {

// Places the runs of one meander; each run remembers its distance from
// line 1 for the final order.
class RunPlacer {
 public:
  RunPlacer(const CFloorHeatingLine& line1, const CFloorHeatingLine& line2, const XtGeVector2d& n, double length,
            double s, const std::vector<COffsetLoop*>& bands)
      : line1_(line1), line2_(line2), n_(n), length_(length), s_(s), eps_(1e-9 * s), bands_(bands) {}

  // A run at distance t from line 1 (fromLine1) or line 2.
  std::unique_ptr<CFloorHeatingLine> runAt(bool fromLine1, double t) const {
    const CFloorHeatingLine& side = fromLine1 ? line1_ : line2_;
    const XtGeVector2d shift = n_ * (fromLine1 ? t : -t);
    return std::make_unique<CFloorHeatingLine>(side.startPoint() + shift, side.endPoint() + shift, nullptr,
                                               kTagMeanderSide);
  }
  void keep(bool fromLine1, double t, std::unique_ptr<CFloorHeatingLine> run) {
    placed_.push_back({fromLine1 ? t : length_ - t, std::move(run)});
    double& last = fromLine1 ? last1_ : last2_;
    last = std::max(last, t);
  }
  void keepAt(bool fromLine1, double t) { keep(fromLine1, t, runAt(fromLine1, t)); }
  bool crossesBand(const CFloorHeatingLine& run) const { return runCrossesBand(bands_, run); }

  // A run at d + s and its partner (d + s/2 with a band, else d + 2 s); d
  // grows by s or 2 s.
  void pair(bool fromLine1, double& d) {
    auto run = runAt(fromLine1, d + s_);
    const bool band = crossesBand(*run);
    keep(fromLine1, d + s_, std::move(run));
    keepAt(fromLine1, band ? d + 0.5 * s_ : d + 2.0 * s_);
    d += band ? s_ : 2.0 * s_;
  }

  // The leftover between the two sides; fromLine1 names the side of the
  // single run tried when 1.45 s <= left < 2.5 s.
  void tail(double d, double dd, bool fromLine1) {
    const double left = length_ - d - dd;
    if (left < 1.45 * s_ - eps_) return;
    if (left >= 2.5 * s_ - eps_) {
      keepAt(true, d + s_);
      keepAt(false, dd + s_);
      return;
    }
    const double t = fromLine1 ? d : dd;
    auto run = runAt(fromLine1, t + s_);
    if (!crossesBand(*run)) return;  // discarded at once
    keep(fromLine1, t + s_, std::move(run));
    keepAt(fromLine1, t + 0.5 * s_);
  }

  void place(double d0) {
    last1_ = last2_ = d0;
    double d = d0;
    double dd = d0;
    auto fits = [&] { return d + dd + 2.75 * s_ <= length_ + eps_; };
    while (fits()) {  // each pass adds at least s to d + dd: bounded by L / s
      pair(true, d);
      if (!fits()) {
        tail(d, dd, false);
        return;
      }
      pair(false, dd);
    }
    tail(d, dd, true);
  }

  MeanderMiddleGap middleGap() const { return {last1_, length_ - last2_}; }

  void take(std::vector<std::unique_ptr<CFloorHeatingLine>>& runs) {
    std::stable_sort(placed_.begin(), placed_.end(),
                     [](const Placed& a, const Placed& b) { return a.fromLine1 < b.fromLine1; });
    runs.clear();
    runs.reserve(placed_.size());
    for (Placed& p : placed_) runs.push_back(std::move(p.run));
  }

 private:
  struct Placed {
    double fromLine1;
    std::unique_ptr<CFloorHeatingLine> run;
  };
  const CFloorHeatingLine& line1_;
  const CFloorHeatingLine& line2_;
  XtGeVector2d n_;
  double length_;
  double s_;
  double eps_;
  const std::vector<COffsetLoop*>& bands_;
  std::vector<Placed> placed_;
  // The farthest run from each side (distances from its own line).
  double last1_ = 0.0;
  double last2_ = 0.0;
};

}  // namespace

bool placeMeanderRuns(const CFloorHeatingLine& line1, const CFloorHeatingLine& line2, bool orientation, double d0,
                      double s, const std::vector<COffsetLoop*>& bands,
                      std::vector<std::unique_ptr<CFloorHeatingLine>>& runs, MeanderMiddleGap* gap) {
  if (!std::isfinite(s) || !(s > 0.0) || !std::isfinite(d0)) return false;
  XtGeVector2d n = line1.direction().perpVector();
  const double nl = n.length();
  if (!(nl > 0.0)) return false;
  n = n / nl;
  if (!orientation) n = -n;
  const double length = line1.distanceToCurve(line2);
  if (!std::isfinite(length)) return false;
  // Every pair spans at least s and each side ends with at most two more.
  if ((length - 2.0 * d0) / s > static_cast<double>(kMaxMeanderRuns) - 4.0) return false;
  RunPlacer placer(line1, line2, n, length, s, bands);
  placer.place(d0);
  placer.take(runs);
  if (gap != nullptr) *gap = placer.middleGap();
  return true;
}
