#include "geometry/curveOrientation.h"

#include "geometry/Tolerances.h"
#include "geometry/curveClassification.h"
#include "geometry/probeCrossings.h"
#include "platform/ge/XtGeContext.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The direction of travel of a piece at its start or end.
bool pieceEndDirection(const XtGeCurve2d& piece, bool atEnd, XtGeVector2d& direction) {
  XtGeInterval iv;
  piece.getInterval(iv);
  if (!iv.isBounded()) return false;
  XtGePoint2d p;
  XtGeVector2d d2;
  return piece.xtEvalDerivs(atEnd ? iv.upperBound() : iv.lowerBound(), p, direction, d2);
}

bool hasRange(const XtGeCompositeCurve2d& c, int i) {
  double g0 = 0.0;
  double g1 = 0.0;
  return c.getPieceRange(i, g0, g1) && g1 > g0;
}

// The directions in which a composite arrives at and leaves the point of
// parameter t, when t is a joint between two of its pieces. False when t
// lies inside a piece.
bool compositeJointDirections(const XtGeCompositeCurve2d& c, double t, XtGeVector2d& incoming,
                              XtGeVector2d& outgoing) {
  const int i = c.pieceIndexAt(t);
  double g0 = 0.0;
  double g1 = 0.0;
  if (i < 0 || !c.getPieceRange(i, g0, g1)) return false;
  // A joint within the working tolerance, measured along the curve.
  const double total = c.totalLength();
  const double near = total > 0.0 ? workTol.equalPoint() / total : 0.0;
  int before = -1;
  int after = -1;
  if (t - g0 <= near) {
    after = i;
    for (int k = i - 1; k >= 0 && before < 0; --k)
      if (hasRange(c, k)) before = k;
  } else if (g1 - t <= near) {
    before = i;
    for (int k = i + 1; k < c.numCurves() && after < 0; ++k)
      if (hasRange(c, k)) after = k;
  }
  if (before < 0 || after < 0) return false;
  return pieceEndDirection(*c.curveAt(before), true, incoming) &&
         pieceEndDirection(*c.curveAt(after), false, outgoing);
}

// The side to look into at a point where the curve arrives along
// `incoming` and leaves along `outgoing`: the middle of the angle that lies
// on the left, from the outgoing direction counter-clockwise to the
// reversed incoming one. On a smooth curve this is the left normal.
XtGeVector2d leftSideDirection(XtGeVector2d incoming, XtGeVector2d outgoing) {
  const XtGeTol exact(0.0, 0.0);
  incoming.normalize(exact);
  outgoing.normalize(exact);
  const XtGeVector2d back = -incoming;
  double angle = std::atan2(outgoing.crossProduct(back), outgoing.dotProduct(back));
  if (angle <= 0.0) angle += XtGe::kTwoPi;
  return outgoing.rotateBy(0.5 * angle);
}

// Whether the ray from p (a point of the curve) along `direction` crosses
// the curve an odd number of times, the point p itself left out. The curve
// is walked along the ray's line, so that a stretch running along the ray
// counts as a crossing only where the curve passes from one side of the ray
// to the other across it, and a vertex the ray grazes not at all.
bool rayLeavesOddly(const XtGeCurve2d& curve, const XtGePoint2d& p, const XtGeVector2d& direction) {
  // Coordinates far from the origin carry rounding noise above gTol.
  const double magnitude = std::max({1.0, std::fabs(p.x), std::fabs(p.y)});
  const double same = std::max(XtGeContext::gTol.equalPoint(), 1e-13 * magnitude);
  probeCrossings probe(p, direction, same);
  probe.addCurve(curve);
  return probe.crossings() % 2 == 1;
}

}  // namespace

bool curveIsClockwise(const XtGeCurve2d& curve, bool& clockwise) {
  if (!curve.xtIsClosed(workTol)) return false;
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  if (!iv.isBounded()) return false;
  const double lo = iv.lowerBound();
  const double hi = iv.upperBound();
  if (!(hi > lo)) return false;
  const double params[3] = {lo, lo + 0.5 * (hi - lo), hi};
  const auto* composite = curve.type() == XtGe::kCompositeCrv2d
                              ? static_cast<const XtGeCompositeCurve2d*>(&curve)
                              : nullptr;
  int oddVotes = 0;
  int evenVotes = 0;
  for (const double t : params) {
    XtGePoint2d p;
    XtGeVector2d d1;
    XtGeVector2d d2;
    if (!curve.xtEvalDerivs(t, p, d1, d2) || !d1.isFinite() || d1.lengthSqrd() == 0.0) return false;
    XtGeVector2d incoming = d1;
    XtGeVector2d outgoing = d1;
    if (t == lo || t == hi) {
      // The seam: the curve arrives at its end and leaves at its start.
      XtGePoint2d q;
      if (!curve.xtEvalDerivs(hi, q, incoming, d2) || !curve.xtEvalDerivs(lo, q, outgoing, d2))
        return false;
    } else if (composite != nullptr) {
      compositeJointDirections(*composite, t, incoming, outgoing);
    }
    if (incoming.lengthSqrd() == 0.0 || outgoing.lengthSqrd() == 0.0) return false;
    if (rayLeavesOddly(curve, p, leftSideDirection(incoming, outgoing))) {
      ++oddVotes;
    } else {
      ++evenVotes;
    }
  }
  clockwise = evenVotes > oddVotes;
  return true;
}

bool compositeIsClockwiseByExtremes(const XtGeCompositeCurve2d& composite, bool& clockwise) {
  if (!composite.xtIsClosed(workTol)) return false;
  // The vertices in order, each once.
  XtGePoint2dArray vertices;
  XtGePoint2dArray samples;
  auto addVertex = [&](const XtGePoint2d& p) {
    int found = 0;
    if (!findPointIndex(vertices, p, workTol, found)) vertices.append(p);
  };
  for (int i = 0; i < composite.numCurves(); ++i) {
    const XtGeCurve2d* piece = composite.curveAt(i);
    if (piece == nullptr) continue;
    XtGePoint2d s;
    XtGePoint2d e;
    if (piece->type() == XtGe::kLineSeg2d && piece->hasStartPoint(s) && piece->hasEndPoint(e)) {
      addVertex(s);
      addVertex(e);
    } else {
      piece->getSamplePoints(10, samples);
      for (const XtGePoint2d& p : samples) addVertex(p);
    }
  }
  const int n = vertices.length();
  if (n < 3) return false;
  const double e = workTol.equalPoint();

  // The extreme sets: smallest x, largest x (sorted by y), smallest y,
  // largest y (sorted by x); values closer than e count as equal.
  std::vector<int> candidates;
  auto collect = [&](auto coordinate, auto other, bool largest) {
    std::vector<int> set;
    for (int i = 0; i < n; ++i) {
      if (set.empty()) {
        set.push_back(i);
        continue;
      }
      const double extreme = coordinate(vertices[set.front()]);
      const double value = coordinate(vertices[i]);
      if (std::fabs(value - extreme) < e) {
        set.push_back(i);
      } else if (largest ? value > extreme : value < extreme) {
        set.assign(1, i);
      }
    }
    // Sorted along the other axis; the first and last are the candidates.
    std::stable_sort(set.begin(), set.end(),
                     [&](int a, int b) { return other(vertices[a]) < other(vertices[b]); });
    for (const int v : {set.front(), set.back()})
      if (std::find(candidates.begin(), candidates.end(), v) == candidates.end())
        candidates.push_back(v);
  };
  auto x = [](const XtGePoint2d& p) { return p.x; };
  auto y = [](const XtGePoint2d& p) { return p.y; };
  collect(x, y, false);
  collect(x, y, true);
  collect(y, x, false);
  collect(y, x, true);

  int cwVotes = 0;
  int ccwVotes = 0;
  for (const int v : candidates) {
    const XtGePoint2d& prev = vertices[(v + n - 1) % n];
    const XtGePoint2d& next = vertices[(v + 1) % n];
    const double turn = (vertices[v] - prev).crossProduct(next - prev);
    if (std::fabs(turn) < e * e) continue;
    if (turn < 0.0) {
      ++cwVotes;
    } else {
      ++ccwVotes;
    }
  }
  if (cwVotes == ccwVotes) return false;
  clockwise = cwVotes > ccwVotes;
  return true;
}
