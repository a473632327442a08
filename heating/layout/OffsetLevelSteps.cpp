#include "heating/layout/OffsetLevelSteps.h"

#include "heating/layout/DeleteAndClear.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LayoutTolerances.h"
#include "heating/layout/TurnBetweenCurves.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CGLHTesselationData.h"
#include "heating/curves/DrawingUnitFactor.h"
#include "heating/curves/HeatingCurveEnds.h"
#include "heating/curves/HeatingCurveExplode.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>

namespace {

// The length of the probes that prolong parting pieces.
constexpr double kProbeLength = 100000.0;

std::unique_ptr<CFloorHeatingLine> levelLine(const XtGePoint2d& from, const XtGePoint2d& to) {
  return std::make_unique<CFloorHeatingLine>(from, to, nullptr, kTagLevelLine);
}

// Appends a connecting piece from `from` to `to` unless they are equal.
void connect(std::vector<COffsetPiece*>& joined, const XtGePoint2d& from, const XtGePoint2d& to) {
  if (from.isEqualTo(to, workTol)) return;
  joined.push_back(new COffsetPiece(nullptr, levelLine(from, to)));
}

// At a left turn whose two line pieces cross each other strictly inside
// both, cuts them at the crossing and answers true. Joined through the
// boundary vertex instead, they would close a small clockwise loop (crossing,
// previous end, vertex, next start) that lies wholly within the offset
// distance of the boundary, and the tessellation would drop it again; the
// cut gives the same contours with a third of the vertices, which is what
// keeps levels along arcs (cut into many chords) fast.
bool cutAtCrossing(const COffsetPiece& previous, const COffsetPiece& next) {
  if (previous.curve->kind() != CFloorHeatingCurve::kLine || next.curve->kind() != CFloorHeatingCurve::kLine)
    return false;
  auto& before = static_cast<CFloorHeatingLine&>(*previous.curve);
  auto& after = static_cast<CFloorHeatingLine&>(*next.curve);
  const XtGePoint2d a = before.startPoint();
  const XtGePoint2d b = after.startPoint();
  const XtGeVector2d u = before.endPoint() - a;
  const XtGeVector2d w = after.endPoint() - b;
  const double den = u.crossProduct(w);
  if (den == 0.0 || !std::isfinite(den)) return false;
  const double t = (b - a).crossProduct(w) / den;
  const double r = (b - a).crossProduct(u) / den;
  if (!(t > 0.0 && t < 1.0 && r > 0.0 && r < 1.0)) return false;
  const XtGePoint2d crossing = a + u * t;
  for (const XtGePoint2d& end : {a, before.endPoint(), b, after.endPoint()})
    if (crossing.isEqualTo(end, workTol)) return false;
  before.setEndRaw(crossing);
  after.setStartRaw(crossing);
  return true;
}

// Whether the probe prolonging one piece's end and the probe prolonging the
// next piece's start (backwards) run nearly opposite, that is the two pieces
// nearly the same way.
bool nearlyStraight(const XtGeLineSeg2d& endProbe, const XtGeLineSeg2d& startProbe) {
  XtGeVector2d u = endProbe.endPoint() - endProbe.startPoint();
  XtGeVector2d w = startProbe.startPoint() - startProbe.endPoint();
  const double lu = u.length();
  const double lw = w.length();
  if (!(lu > 0.0) || !(lw > 0.0)) return false;
  u = u / lu;
  w = w / lw;
  return u.dotProduct(w) > 0.0 && std::fabs(u.crossProduct(w)) < kNearlyStraightSine;
}

// The connecting pieces between two consecutive offset pieces.
void connectJoint(const COffsetPiece& previous, const COffsetPiece& next, std::vector<COffsetPiece*>& joined) {
  XtGePoint2d vertex;
  const int turn = turnBetweenCurves(previous, next, vertex);
  if (turn == kTurnLeft && cutAtCrossing(previous, next)) return;
  const XtGePoint2d e = previous.curve->endPoint();
  const XtGePoint2d s = next.curve->startPoint();
  switch (turn) {
    case kTurnRight: {
      XtGeLineSeg2d endProbe;
      XtGeLineSeg2d startProbe;
      if (!extensionSegmentAtEnd(*previous.curve, kProbeLength, endProbe) ||
          !extensionSegmentAtStart(*next.curve, kProbeLength, startProbe)) {
        connect(joined, e, s);
        return;
      }
      XtGePoint2d a = endProbe.endPoint();
      XtGePoint2d b = startProbe.endPoint();
      XtGePoint2d meeting;
      if (endProbe.intersectWith(startProbe, meeting, workTol)) {
        a = b = meeting;
      } else if (nearlyStraight(endProbe, startProbe)) {
        // The chords of a wide arc: the probes pass as parallel, and going
        // round by their far ends would throw a spike across the zone. The
        // gap between the ends is a small fraction of the offset.
        connect(joined, e, s);
        return;
      }
      connect(joined, e, a);
      connect(joined, a, b);
      connect(joined, b, s);
      return;
    }
    case kTurnLeft:
      connect(joined, e, vertex);
      connect(joined, vertex, s);
      return;
    default:
      connect(joined, e, s);
  }
}

}  // namespace

bool appendArcChords(const CFloorHeatingCurve& arc, CFloorHeatingCurve::PtrVector& chords) {
  const XtGeCurve2d& curve = arc.geCurve();
  XtGeInterval interval;
  curve.getInterval(interval);
  if (!interval.isBounded()) return false;
  const double u = usableDrawingUnitFactor();
  const double maxSagitta = 0.001 * u;
  const double maxChord = 0.4 * u;
  const double t0 = interval.lowerBound();
  const double t1 = interval.upperBound();
  int count = 1;
  if (curve.type() == XtGe::kCircArc2d) {
    const double r = static_cast<const XtGeCircArc2d&>(curve).radius();
    const double sweep = t1 - t0;  // the parameter is the angle
    if (!(r > 0.0) || !(sweep > 0.0) || !std::isfinite(r * sweep)) return false;
    // The largest angle of a chord with both limits kept.
    const double bySagitta = maxSagitta >= r ? XtGe::kPi : 2.0 * std::acos(1.0 - maxSagitta / r);
    const double byLength = maxChord >= 2.0 * r ? XtGe::kPi : 2.0 * std::asin(maxChord / (2.0 * r));
    const double step = std::min({bySagitta, byLength, XtGe::kHalfPi});
    count = static_cast<int>(std::min(std::ceil(sweep / step), static_cast<double>(kMaxArcChords)));
    count = std::max(count, 1);
  } else {
    const double length = curve.length(t0, t1, workTolFine);
    if (!(length > 0.0) || !std::isfinite(length)) return false;
    count = static_cast<int>(std::clamp(std::ceil(length / maxChord), 1.0, static_cast<double>(kMaxArcChords)));
  }
  chords.reserve(chords.size() + static_cast<std::size_t>(count));
  XtGePoint2d from = arc.startPoint();
  for (int i = 1; i <= count; ++i) {
    const XtGePoint2d to = i == count ? arc.endPoint() : curve.evalPoint(t0 + (t1 - t0) * i / count);
    chords.push_back(std::make_unique<CFloorHeatingLine>(from, to, arc.rootSource(), arc.tag()));
    from = to;
  }
  return true;
}

bool makeStraightBoundary(const std::vector<CFloorHeatingCurve*>& curves, const std::vector<double>* limits,
                          OffsetBoundary& boundary) {
  boundary.curves.clear();
  boundary.limits.clear();
  for (std::size_t i = 0; i < curves.size(); ++i) {
    if (curves[i] == nullptr) continue;
    const double limit = limits != nullptr ? (*limits)[i] : 0.0;
    for (CFloorHeatingCurve::Ptr& piece : explodeCurve(*curves[i])) {
      if (piece->kind() == CFloorHeatingCurve::kLine) {
        if (piece->startPoint().isEqualTo(piece->endPoint(), workTol)) continue;
        boundary.curves.push_back(std::move(piece));
      } else if (!appendArcChords(*piece, boundary.curves)) {
        continue;
      }
      boundary.limits.resize(boundary.curves.size(), limit);
    }
  }
  return !boundary.curves.empty();
}

double straightChainArea(const CFloorHeatingCurve::PtrVector& curves) {
  if (curves.empty()) return 0.0;
  // Measured from the first vertex, so that far coordinates keep their
  // precision.
  const XtGePoint2d origin = curves.front()->startPoint();
  double twice = 0.0;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const XtGeVector2d a = curves[i]->startPoint() - origin;
    const XtGeVector2d b = curves[(i + 1) % curves.size()]->startPoint() - origin;
    twice += a.crossProduct(b);
  }
  return 0.5 * twice;
}

double straightChainExtent(const CFloorHeatingCurve::PtrVector& curves) {
  if (curves.empty()) return 0.0;
  XtGePoint2d lo = curves.front()->startPoint();
  XtGePoint2d hi = lo;
  for (const CFloorHeatingCurve::Ptr& curve : curves) {
    for (const XtGePoint2d& p : {curve->startPoint(), curve->endPoint()}) {
      lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y));
      hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y));
    }
  }
  return hi.distanceTo(lo);
}

bool makeOffsetPieces(const CFloorHeatingCurve::PtrVector& curves, const std::vector<double>& distances,
                      std::vector<COffsetPiece*>& pieces) {
  pieces.reserve(pieces.size() + curves.size());
  for (std::size_t i = 0; i < curves.size(); ++i) {
    CFloorHeatingCurve::Ptr offset = curves[i]->offsetCopy(distances[i]);
    if (offset == nullptr) {
      deletePiecesAndClear(pieces);
      return false;
    }
    pieces.push_back(new COffsetPiece(curves[i].get(), std::move(offset)));
  }
  return true;
}

void joinOffsetPieces(std::vector<COffsetPiece*>& pieces) {
  if (pieces.empty()) return;
  std::vector<COffsetPiece*> joined;
  joined.reserve(pieces.size() * 4);  // at most three connecting pieces per joint
  const COffsetPiece* previous = pieces.back();
  for (COffsetPiece* next : pieces) {
    connectJoint(*previous, *next, joined);
    joined.push_back(next);
    previous = next;
  }
  pieces.swap(joined);
}

void feedOffsetPolygon(const std::vector<COffsetPiece*>& pieces, CGLHTesselationData& tess) {
  tess.beginInputContour();
  for (const COffsetPiece* piece : pieces) {
    const XtGePoint2d& p = piece->curve->startPoint();
    tess.appendVertex(p.x, p.y, 0.0);
  }
}

void offsetPolygonRing(const std::vector<COffsetPiece*>& pieces, std::vector<XtGePoint2d>& ring) {
  ring.clear();
  ring.reserve(pieces.size());
  for (const COffsetPiece* piece : pieces) ring.push_back(piece->curve->startPoint());
}

void feedPolygonRing(const std::vector<XtGePoint2d>& ring, CGLHTesselationData& tess) {
  tess.beginInputContour();
  for (const XtGePoint2d& p : ring) tess.appendVertex(p.x, p.y, 0.0);
}

void readContourLoops(CGLHTesselationData& tess, std::vector<COffsetLoop*>& loops) {
  std::uint32_t count = 0;
  while (const double* run = tess.nextContour(count)) {
    if (count < 6) continue;  // fewer than two vertices: read on
    const std::uint32_t vertices = count / 3;
    const XtGePoint2d first(run[0], run[1]);
    auto loop = std::make_unique<COffsetLoop>();
    loop->elements.reserve(vertices);
    XtGePoint2d last = first;
    for (std::uint32_t v = 1; v < vertices; ++v) {
      const XtGePoint2d q(run[3 * v], run[3 * v + 1]);
      if (q.isEqualTo(last, workTol)) continue;
      loop->appendSection(makeSection(levelLine(last, q)));
      last = q;
    }
    if (!last.isEqualTo(first, workTol)) loop->appendSection(makeSection(levelLine(last, first)));
    if (loop->sectionCount() >= 3) loops.push_back(loop.release());
  }
}
