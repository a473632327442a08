// The offset of a chain with one distance per curve.
#include "geometry/curveChainOffset.h"
#include "geometry/curveChainOffsetDetail.h"

#include "geometry/Tolerances.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <cmath>
#include <vector>

using namespace chainOffsetDetail;

namespace {

// How the joint between a curve and its predecessor was counted.
enum class jointSense { none, forward, reverse };

// The curve drawn on past its end (for A, keeping its start) or back before
// its start (for B, keeping its end): a segment as its ray, an arc as the
// full circle or ellipse run in its own sense from A's start or to B's end.
// Null for other kinds and degenerate pieces.
std::unique_ptr<XtGeCurve2d> extendedCopy(const XtGeCurve2d& curve, bool keepStart) {
  switch (curve.type()) {
    case XtGe::kLineSeg2d: {
      const auto& segment = static_cast<const XtGeLineSeg2d&>(curve);
      const XtGePoint2d kept = keepStart ? segment.startPoint() : segment.endPoint();
      const XtGePoint2d other = keepStart ? segment.endPoint() : segment.startPoint();
      if (kept.isEqualTo(other, XtGeTol(0.0, 0.0))) return nullptr;
      auto ray = std::make_unique<XtGeRay2d>(kept, other);
      if (!keepStart) ray->reverseParam();
      return ray;
    }
    case XtGe::kCircArc2d: {
      const auto& arc = static_cast<const XtGeCircArc2d&>(curve);
      const XtGeVector2d reference = (keepStart ? arc.startPoint() : arc.endPoint()) - arc.center();
      if (!(arc.radius() > 0.0) || !(reference.lengthSqrd() > 0.0)) return nullptr;
      return std::make_unique<XtGeCircArc2d>(arc.center(), arc.radius(), 0.0, XtGe::kTwoPi,
                                             reference.normal(XtGeTol(0.0, 0.0)), arc.isClockWise());
    }
    case XtGe::kEllipArc2d: {
      auto ellipse = std::make_unique<XtGeEllipArc2d>(static_cast<const XtGeEllipArc2d&>(curve));
      const double from = keepStart ? ellipse->startAng() : ellipse->endAng();
      ellipse->setAngles(from, from + XtGe::kTwoPi);
      return ellipse;
    }
    default:
      return nullptr;
  }
}

// Joins neighbouring pieces of an offset chain, keeping the sources in step.
class chainJoiner {
 public:
  chainJoiner(ownedChain& chain, std::vector<std::int32_t>& sources, const std::vector<jointSense>& joints)
      : m_chain(chain), m_sources(sources), m_joints(joints) {}

  // Joins the pieces at p and q (q follows p in the walk). Answers whether
  // a connecting segment was inserted between them.
  bool join(std::size_t p, std::size_t q) {
    const bool reverse = senseBetween(m_sources[p], m_sources[q]) == jointSense::reverse;
    const std::size_t ia = reverse ? q : p;
    const std::size_t ib = reverse ? p : q;
    std::unique_ptr<XtGeCurve2d>& a = m_chain[ia];
    std::unique_ptr<XtGeCurve2d>& b = m_chain[ib];
    if (cutAtBestPoint(a, b, nullptr).met) return false;
    XtGePoint2d aEnd;
    XtGePoint2d bStart;
    if (!endOf(*a, aEnd) || !startOf(*b, bStart)) return false;
    std::unique_ptr<XtGeCurve2d> longA = extendedCopy(*a, true);
    std::unique_ptr<XtGeCurve2d> longB = extendedCopy(*b, false);
    if (longA && longB) {
      const cutResult cut = cutAtBestPoint(longA, longB, &aEnd);
      // Only cut copies are bounded: an uncut ray or full circle stays out.
      if (cut.cutA && cut.cutB) {
        a = std::move(longA);
        b = std::move(longB);
        return false;
      }
    }
    const std::size_t at = q == 0 ? m_chain.size() : q;
    const std::int32_t source = m_sources[ib];
    m_chain.insert(m_chain.begin() + static_cast<std::ptrdiff_t>(at), std::make_unique<XtGeLineSeg2d>(aEnd, bStart));
    m_sources.insert(m_sources.begin() + static_cast<std::ptrdiff_t>(at), source);
    return true;
  }

 private:
  // The sense of the joint counted between two source curves; pieces of one
  // curve, and curves without a counted joint, join forward.
  jointSense senseBetween(std::int32_t s, std::int32_t t) const {
    const auto n = static_cast<std::int32_t>(m_joints.size());
    if (s == t || t != (s + 1) % n) return jointSense::forward;
    return m_joints[static_cast<std::size_t>(t)] == jointSense::reverse ? jointSense::reverse : jointSense::forward;
  }

  ownedChain& m_chain;
  std::vector<std::int32_t>& m_sources;
  const std::vector<jointSense>& m_joints;
};

}  // namespace

int offsetChainVariable(const curvePtrArray& curves, std::span<const double> distances,
                        curvePtrArray& outCurves, chainSourceArray& outSources, bool reverseJoins) {
  const int n = curves.count();
  for (int i = 0; i < n && static_cast<std::size_t>(i) < distances.size(); ++i)
    if (!std::isfinite(distances[i])) return 0;
  std::vector<jointSense> joints(static_cast<std::size_t>(n), jointSense::none);
  for (int i = 0; i < n; ++i) {
    const XtGeCurve2d* curve = curves[i];
    const XtGeCurve2d* before = curves[(i + n - 1) % n];
    XtGePoint2d start;
    XtGePoint2d end;
    XtGePoint2d beforeStart;
    XtGePoint2d beforeEnd;
    if (curve == nullptr || before == nullptr || !startOf(*curve, start) || !endOf(*curve, end) ||
        !startOf(*before, beforeStart) || !endOf(*before, beforeEnd))
      return 0;
    if (beforeEnd.isEqualTo(start, workTol)) {
      joints[i] = jointSense::forward;
    } else if (reverseJoins && beforeStart.isEqualTo(end, workTol)) {
      joints[i] = jointSense::reverse;
    }
  }
  // A two-curve list meets its one joint from both sides; counted in
  // opposite senses it is one open joint, not a closed chain.
  bool closed = n > 0 && joints[0] != jointSense::none;
  if (n == 2 && joints[1] != jointSense::none && joints[0] != joints[1]) closed = false;

  ownedChain chain;
  std::vector<std::int32_t> sources;
  for (int i = 0; i < n; ++i) {
    const double distance = static_cast<std::size_t>(i) < distances.size() ? distances[i] : 0.0;
    curvePtrArray offsets;
    offsetCurve(curves[i], distance, offsets, XtGe::kExtend, workTol);
    for (int k = 0; k < offsets.count(); ++k) sources.push_back(i);
    moveListToChain(offsets, chain);
  }

  chainJoiner joiner(chain, sources, joints);
  // Every step moves past one pair of pieces (and the segment inserted
  // between them), so the walk is bounded by the pieces.
  for (std::size_t k = 0; k + 1 < chain.size();) k += joiner.join(k, k + 1) ? 2 : 1;
  if (closed && chain.size() >= 2) joiner.join(chain.size() - 1, 0);

  for (const std::int32_t source : sources) outSources.append(source);
  moveChainToList(chain, outCurves);
  return 1;
}
