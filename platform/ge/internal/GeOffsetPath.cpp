#include "platform/ge/internal/GeOffsetPath.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/internal/GeAngle.h"
#include "platform/ge/internal/GeCurveArea.h"

#include <algorithm>
#include <cmath>

namespace GeKernel {

namespace {

// Nesting depth of composites the flattening follows.
constexpr int kMaxNesting = 32;
// Sine below which a point between an arc's ends counts as on its chord.
constexpr double kOnChord = 1e-12;

CoarseBox tightBox(const XtGeCurve2d& curve) {
  CoarseBox b;
  const XtGeBoundBlock2d block = curve.xtOrthoBoundBlock();
  b.bounded = block.getMinMaxPoints(b.lo, b.hi);
  return b;
}

PathStatus flattenInto(const XtGeCurve2d& curve, int depth, OffsetPath& path) {
  const int kind = curve.type();
  if (kind == XtGe::kLineSeg2d || kind == XtGe::kCircArc2d) {
    OffsetPiece piece;
    if (!makeOffsetPiece(std::unique_ptr<XtGeCurve2d>(curve.copy()), piece))
      return PathStatus::kUnsupported;
    path.magnitude = std::max(path.magnitude, piece.view.magnitude());
    path.pieces.push_back(std::move(piece));
    return PathStatus::kOk;
  }
  if (kind != XtGe::kCompositeCrv2d || depth >= kMaxNesting) return PathStatus::kUnsupported;
  XtGeCurve2dPtrArray parts;
  XtGeIntArray flags;
  curve.explode(parts, flags);
  // Pieces handed over as owned are released when done with.
  std::vector<std::unique_ptr<XtGeCurve2d>> owned;
  for (int i = 0; i < parts.length(); ++i)
    if (i < flags.length() && flags[i] == 1) owned.emplace_back(parts[i]);
  for (int i = 0; i < parts.length(); ++i) {
    if (parts[i] == nullptr) continue;
    const PathStatus s = flattenInto(*parts[i], depth + 1, path);
    if (s == PathStatus::kUnsupported) return s;
  }
  return PathStatus::kOk;
}

// Angle of the chord a -> b seen from p, in (-pi, pi].
double chordAngle(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& p) {
  const XtGeVector2d u = a - p;
  const XtGeVector2d v = b - p;
  return std::atan2(u.crossProduct(v), u.dotProduct(v));
}

// Whether p lies in the region between an arc and its chord.
bool insideArcSegment(const ArcFrame& f, const XtGePoint2d& a, const XtGePoint2d& b,
                      bool clockWise, const XtGePoint2d& p) {
  if (!(p.distanceTo(f.centre) < f.radius)) return false;
  if (f.isFull()) return true;
  // A counter-clockwise arc bulges to the right of its chord a -> b.
  const double side = (b - a).crossProduct(p - a) * (clockWise ? 1.0 : -1.0);
  // Beyond a half turn the region is the disc less the part cut off by the
  // chord.
  return f.sweep() <= XtGe::kPi ? side > 0.0 : side >= 0.0;
}

// Angle the piece spans seen from p (off the piece), counter-clockwise
// positive.
double angleSpanned(const OffsetPiece& piece, const XtGePoint2d& p) {
  if (!piece.isArc()) return chordAngle(piece.start, piece.end, p);
  const bool clockWise = piece.curvature() < 0.0;
  const XtGeVector2d u = piece.start - p;
  const XtGeVector2d v = piece.end - p;
  // On the chord the chord's angle is a half turn of either sign; the arc
  // turns by a half turn in its own sense.
  if (u.dotProduct(v) < 0.0 && std::fabs(u.crossProduct(v)) <= kOnChord * u.length() * v.length())
    return clockWise ? -XtGe::kPi : XtGe::kPi;
  double a = chordAngle(piece.start, piece.end, p);
  if (insideArcSegment(piece.view.arc, piece.start, piece.end, clockWise, p))
    a += clockWise ? -XtGe::kTwoPi : XtGe::kTwoPi;
  return a;
}

}  // namespace

double OffsetPiece::curvature() const {
  if (!isArc() || !(view.arc.radius > 0.0)) return 0.0;
  const bool clockWise = view.arc.yAxis.crossProduct(view.arc.xAxis) > 0.0;
  return (clockWise ? -1.0 : 1.0) / view.arc.radius;
}

double OffsetPiece::clampParam(double t) const {
  if (isArc() && (t < lo || t > hi)) {
    t = angleFrom(t, lo);
    // Past the end: the nearer end by angle.
    if (t > hi) t = (t - hi) <= (lo + XtGe::kTwoPi - t) ? hi : lo;
  }
  return std::clamp(t, lo, hi);
}

double OffsetPiece::boxDistance(const XtGePoint2d& p) const {
  if (!box.bounded) return 0.0;
  const double dx = std::max({box.lo.x - p.x, 0.0, p.x - box.hi.x});
  const double dy = std::max({box.lo.y - p.y, 0.0, p.y - box.hi.y});
  return std::hypot(dx, dy);
}

bool makeOffsetPiece(std::unique_ptr<XtGeCurve2d> curve, OffsetPiece& piece) {
  if (!curve) return false;
  const int kind = curve->type();
  if (kind != XtGe::kLineSeg2d && kind != XtGe::kCircArc2d) return false;
  if (!CurveView::make(*curve, piece.view) || !piece.view.isFinite()) return false;
  piece.lo = piece.view.lo();
  piece.hi = piece.view.hi();
  piece.start = piece.view.eval(piece.lo);
  piece.end = piece.view.eval(piece.hi);
  if (kind == XtGe::kLineSeg2d) {
    // The segment's own end points, exactly.
    const auto& seg = static_cast<const XtGeLineSeg2d&>(*curve);
    piece.start = seg.startPoint();
    piece.end = seg.endPoint();
  }
  piece.length = piece.view.speed() * (piece.hi - piece.lo);
  piece.box = tightBox(*curve);
  piece.curve = std::move(curve);
  return std::isfinite(piece.length);
}

OffsetPiece segmentPiece(const XtGePoint2d& from, const XtGePoint2d& to) {
  OffsetPiece piece;
  makeOffsetPiece(std::make_unique<XtGeLineSeg2d>(from, to), piece);
  return piece;
}

OffsetPiece arcPiece(const XtGePoint2d& centre, double radius, const XtGeVector2d& from,
                     double sweep, bool clockWise) {
  ArcFrame frame;
  frame.yAxis = clockWise ? -XtGeVector2d::kYAxis : XtGeVector2d::kYAxis;
  const double s = frame.angleOf(from);
  OffsetPiece piece;
  makeOffsetPiece(std::make_unique<XtGeCircArc2d>(centre, radius, s, s + sweep,
                                                  XtGeVector2d::kXAxis, clockWise),
                  piece);
  return piece;
}

bool partOfPiece(const OffsetPiece& piece, double t0, double t1, const XtGePoint2d& a,
                 const XtGePoint2d& b, OffsetPiece& out) {
  if (!piece.isArc()) {
    out = segmentPiece(a, b);
    return out.curve != nullptr;
  }
  if (t0 <= piece.lo && t1 >= piece.hi)
    return makeOffsetPiece(std::unique_ptr<XtGeCurve2d>(piece.curve->copy()), out);
  auto arc = std::make_unique<XtGeCircArc2d>(static_cast<const XtGeCircArc2d&>(*piece.curve));
  arc->setAngles(t0, t1);
  return makeOffsetPiece(std::move(arc), out);
}

bool offsetPieceOf(const OffsetPiece& piece, double d, double minRadius, OffsetPiece& out) {
  if (!piece.isArc()) {
    const XtGeVector2d shift = piece.startTangent().perpVector() * d;
    out = segmentPiece(piece.start + shift, piece.end + shift);
    return true;
  }
  const auto& arc = static_cast<const XtGeCircArc2d&>(*piece.curve);
  // The left of travel is the centre's side of a counter-clockwise arc.
  const double r = arc.isClockWise() ? arc.radius() + d : arc.radius() - d;
  if (!(r > minRadius)) return false;
  auto copy = std::make_unique<XtGeCircArc2d>(arc);
  copy->setRadius(r);
  return makeOffsetPiece(std::move(copy), out);
}

PathStatus flattenOffsetPath(const XtGeCurve2d* const* curves, int count, OffsetPath& path) {
  path = OffsetPath();
  for (int i = 0; i < count; ++i) {
    if (curves[i] == nullptr) continue;
    const PathStatus s = flattenInto(*curves[i], 0, path);
    if (s != PathStatus::kOk) {
      path.pieces.clear();
      return s;
    }
  }
  return path.pieces.empty() ? PathStatus::kEmpty : PathStatus::kOk;
}

double offsetResolution(const XtGeTol& tol, double magnitude) {
  const double floor = 1e-12 * (1.0 + magnitude);
  const double ep = tol.equalPoint();
  return std::isfinite(ep) && ep > floor ? ep : floor;
}

double snapOf(double res, double d) {
  return std::max(16.0 * res, std::sqrt(res * std::fabs(d)));
}

void tidyOffsetPath(OffsetPath& path, double res) {
  path.closed = !path.pieces.empty() &&
                path.pieces.back().end.distanceTo(path.pieces.front().start) <= res;
  std::vector<OffsetPiece> kept;
  kept.reserve(path.pieces.size() + 1);
  for (OffsetPiece& piece : path.pieces) {
    if (!(piece.length > res)) continue;
    if (!kept.empty() && kept.back().end.distanceTo(piece.start) > res)
      kept.push_back(segmentPiece(kept.back().end, piece.start));
    kept.push_back(std::move(piece));
  }
  if (path.closed && !kept.empty() && kept.back().end.distanceTo(kept.front().start) > res)
    kept.push_back(segmentPiece(kept.back().end, kept.front().start));
  path.pieces = std::move(kept);
}

double signedAreaOf(const std::vector<OffsetPiece>& loop) {
  if (loop.empty()) return 0.0;
  // Relative to a point of the loop, so that far coordinates do not cancel.
  const XtGePoint2d origin = loop.front().start;
  double area = 0.5 * (loop.back().end - origin).crossProduct(loop.front().start - origin);
  for (const OffsetPiece& p : loop) {
    double term = 0.0;
    if (signedAreaTerm(*p.curve, p.lo, p.hi, origin, term)) area += term;
  }
  return area;
}

int windingNumberOf(const std::vector<OffsetPiece>& loop, const XtGePoint2d& p) {
  if (loop.empty()) return 0;
  double total = 0.0;
  if (loop.back().end.distanceTo(loop.front().start) > 0.0)
    total += chordAngle(loop.back().end, loop.front().start, p);  // a gap
  for (const OffsetPiece& piece : loop) total += angleSpanned(piece, p);
  return static_cast<int>(std::lround(total / XtGe::kTwoPi));
}

}  // namespace GeKernel
