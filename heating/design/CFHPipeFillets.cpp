#include "heating/design/CFHPipeFillets.h"

#include "heating/design/BendClearance.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

namespace {

const XtGeLineSeg2d* asLine(const std::unique_ptr<XtGeCurve2d>& piece) {
  return piece && piece->type() == XtGe::kLineSeg2d ? static_cast<const XtGeLineSeg2d*>(piece.get()) : nullptr;
}

XtGeVector2d directionOf(const XtGeLineSeg2d& line) { return (line.endPoint() - line.startPoint()).normal(workTol); }

bool parallel(const XtGeVector2d& a, const XtGeVector2d& b) {
  return std::abs(a.crossProduct(b)) <= workTol.equalVector();
}

// The piece (from `from` on, stepping by `step` while the pieces are line
// segments parallel to `direction`) that holds the point; none when the run
// of such segments ends first.
std::optional<std::size_t> continuationHolding(const CurvePieces& pieces, std::size_t from, int step,
                                               const XtGeVector2d& direction, const XtGePoint2d& point) {
  for (std::size_t k = from; k < pieces.size(); k += static_cast<std::size_t>(step)) {
    const XtGeLineSeg2d* line = asLine(pieces[k]);
    if (line == nullptr || line->length() <= workTol.equalPoint() || !parallel(directionOf(*line), direction))
      return std::nullopt;
    if (line->isOn(point, workTol)) return k;
    if (step < 0 && k == 0) return std::nullopt;
  }
  return std::nullopt;
}

// Whether the point lies on the segment, its ends included (workTol).
bool holds(const XtGeLineSeg2d& line, const XtGePoint2d& point) { return line.isOn(point, workTol); }

// The bend of a radius at the corner between two line segments: its
// centre where the two lines offset by the radius towards the inner side of
// the turn meet, its tangent points and its signed turn.
struct Bend {
  XtGePoint2d centre;
  XtGePoint2d tangent1;
  XtGePoint2d tangent2;
  double turn = 0.0;
};

std::optional<Bend> bendAt(const XtGeLineSeg2d& first, const XtGeLineSeg2d& second, double radius) {
  const XtGePoint2d corner = first.endPoint();
  const XtGeVector2d d1 = directionOf(first);
  const XtGeVector2d d2 = directionOf(second);
  // The inner side: left of both directions for a left turn, right for a
  // right one. The centre lies on both lines offset by the radius to it.
  Bend bend;
  bend.turn = std::atan2(d1.crossProduct(d2), d1.dotProduct(d2));
  const double side = bend.turn > 0.0 ? 1.0 : -1.0;
  const XtGeVector2d n1(-d1.y * side, d1.x * side);
  const XtGeVector2d n2(-d2.y * side, d2.x * side);
  // Centre = corner + n1 r + d1 s = second's start + n2 r + d2 u: solved for s.
  const XtGeVector2d gap = (second.startPoint() + n2 * radius) - (corner + n1 * radius);
  const double s = gap.crossProduct(d2) / d1.crossProduct(d2);
  bend.centre = corner + n1 * radius + d1 * s;
  bend.tangent1 = bend.centre - n1 * radius;
  bend.tangent2 = bend.centre - n2 * radius;
  if (!bend.tangent1.isFinite() || !bend.tangent2.isFinite()) return std::nullopt;
  return bend;
}

// Halvings of the radius interval when a bend of the full radius comes too
// near a wall.
constexpr int kRadiusHalvings = 10;

// The largest radius up to `radius` (to within 2^-kRadiusHalvings of it)
// whose bend keeps clear of the walls; 0 when none but a sharp corner does.
// The bends shrink towards the corner as the radius does.
double clearRadius(const XtGeLineSeg2d& first, const XtGeLineSeg2d& second, double radius,
                   const BendClearance& walls) {
  const auto keeps = [&](double r) {
    const std::optional<Bend> bend = bendAt(first, second, r);
    return bend && walls.keeps(bend->tangent1, first.endPoint(), bend->tangent2, bend->centre, bend->turn);
  };
  if (keeps(radius)) return radius;
  double lo = 0.0, hi = radius;
  for (int i = 0; i < kRadiusHalvings; ++i) {
    const double mid = 0.5 * (lo + hi);
    (keeps(mid) ? lo : hi) = mid;
  }
  return lo;
}

// Rounds the corner between pieces i and i + 1 (both line segments), with a
// smaller radius where the walls ask for one (none under minRadius: the
// corner stays). Answers the index the next corner starts from, or none
// when the corner stays.
std::optional<std::size_t> filletCorner(CurvePieces& pieces, std::size_t i, double radius,
                                        const BendClearance* walls, double minRadius) {
  const XtGeLineSeg2d& first = *asLine(pieces[i]);
  const XtGeLineSeg2d& second = *asLine(pieces[i + 1]);
  const XtGePoint2d corner = first.endPoint();
  if (!corner.isEqualTo(second.startPoint(), workTol)) return std::nullopt;
  if (first.length() <= workTol.equalPoint() || second.length() <= workTol.equalPoint()) return std::nullopt;
  const XtGeVector2d d1 = directionOf(first);
  const XtGeVector2d d2 = directionOf(second);
  if (parallel(d1, d2)) return std::nullopt;

  std::optional<Bend> bend = bendAt(first, second, radius);
  if (!bend) return std::nullopt;
  const auto holding = [&](const Bend& b) {
    std::optional<std::size_t> a = holds(first, b.tangent1) ? std::optional<std::size_t>(i)
                                   : i > 0 ? continuationHolding(pieces, i - 1, -1, d1, b.tangent1)
                                           : std::nullopt;
    std::optional<std::size_t> c = holds(second, b.tangent2) ? std::optional<std::size_t>(i + 1)
                                                             : continuationHolding(pieces, i + 2, 1, d2, b.tangent2);
    return std::make_pair(a, c);
  };
  auto [a, b] = holding(*bend);
  if (!a || !b) return std::nullopt;
  if (walls != nullptr && !walls->empty()) {
    const double kept = clearRadius(first, second, radius, *walls);
    if (kept < radius) {
      if (!(kept > 0.0) || kept < minRadius) return std::nullopt;
      bend = bendAt(first, second, kept);
      if (!bend) return std::nullopt;
      std::tie(a, b) = holding(*bend);
      if (!a || !b) return std::nullopt;
    }
  }
  const XtGePoint2d tangent1 = bend->tangent1;
  const XtGePoint2d tangent2 = bend->tangent2;

  const XtGePoint2d keptStart = asLine(pieces[*a])->startPoint();
  const XtGePoint2d keptEnd = asLine(pieces[*b])->endPoint();
  CurvePieces made;
  if (!keptStart.isEqualTo(tangent1, workTol)) made.push_back(std::make_unique<XtGeLineSeg2d>(keptStart, tangent1));
  made.push_back(std::make_unique<XtGeCircArc2d>(tangent1, tangent2, std::tan(bend->turn / 4.0)));
  const std::size_t arcOffset = made.size() - 1;
  const bool keepsEnd = !keptEnd.isEqualTo(tangent2, workTol);
  if (keepsEnd) made.push_back(std::make_unique<XtGeLineSeg2d>(tangent2, keptEnd));

  const auto begin = pieces.begin() + static_cast<std::ptrdiff_t>(*a);
  const auto at = pieces.erase(begin, pieces.begin() + static_cast<std::ptrdiff_t>(*b) + 1);
  const std::size_t arcIndex = static_cast<std::size_t>(at - pieces.begin()) + arcOffset;
  pieces.insert(at, std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
  // The next corner starts after the arc: at the trimmed second segment.
  return arcIndex + 1;
}

}  // namespace

CurvePieces takeSimplePieces(CurveChain& run) {
  CurvePieces pieces;
  for (std::unique_ptr<XtGeCurve2d>& curve : run.release()) {
    XtGeCurve2dPtrArray parts;
    XtGeIntArray owned;
    if (!curve->explode(parts, owned)) {
      pieces.push_back(std::move(curve));
      continue;
    }
    for (int k = 0; k < parts.length(); ++k) {
      if (owned[k] != 0) pieces.emplace_back(parts[k]);
      else pieces.emplace_back(static_cast<XtGeCurve2d*>(parts[k]->copy()));
    }
  }
  return pieces;
}

void filletCorners(CurvePieces& pieces, double radius, const BendClearance* walls, double minRadius) {
  if (!(radius > 0.0) || !std::isfinite(radius)) return;
  // Each step either leaves a corner or rounds it and moves past it; a
  // rounded corner adds at most two pieces, so the pieces at the start bound
  // the corners met.
  const std::size_t maxSteps = 2 * pieces.size() + 2;
  std::size_t i = 0;
  for (std::size_t step = 0; step < maxSteps && i + 1 < pieces.size(); ++step) {
    std::optional<std::size_t> next;
    if (asLine(pieces[i]) != nullptr && asLine(pieces[i + 1]) != nullptr)
      next = filletCorner(pieces, i, radius, walls, minRadius);
    i = next ? *next : i + 1;
  }
}

void filletPipeCorners(std::vector<CurveChain>& runs, double radius, double unitFactor, const BendClearance* walls) {
  const bool rounded = unitFactor > 0.0 && 1000.0 / unitFactor * radius >= 1.0;
  const double minRadius = unitFactor > 0.0 ? 0.001 * unitFactor : radius;
  for (CurveChain& run : runs) {
    CurvePieces pieces = takeSimplePieces(run);
    if (rounded) filletCorners(pieces, radius, walls, minRadius);
    run = CurveChain(std::move(pieces));
  }
}
