// Shapes people draw, built for the curve geometry tests, and reference
// answers computed independently of the code under test.
#pragma once

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"
#include "geometry/curveClassification.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace curveShapes {

using CurvePtr = std::unique_ptr<XtGeCurve2d>;
using CompositePtr = std::unique_ptr<XtGeCompositeCurve2d>;

// A piece from a to b: a segment for bulge 0, else an arc of that bulge.
inline CurvePtr piece(const XtGePoint2d& a, const XtGePoint2d& b, double bulge = 0.0) {
  if (bulge == 0.0) return std::make_unique<XtGeLineSeg2d>(a, b);
  return std::make_unique<XtGeCircArc2d>(a, b, bulge);
}

// The outline through the points (closed back to the first) with one bulge
// per edge (missing bulges are 0).
inline CompositePtr outline(const std::vector<XtGePoint2d>& points,
                            const std::vector<double>& bulges = {}, bool closed = true) {
  std::vector<CurvePtr> pieces;
  const std::size_t n = points.size();
  const std::size_t edges = closed ? n : n - 1;
  for (std::size_t i = 0; i < edges; ++i)
    pieces.push_back(piece(points[i], points[(i + 1) % n], i < bulges.size() ? bulges[i] : 0.0));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(pieces));
}

// A w x h rectangle from (x, y) with corners rounded by r, counter-clockwise
// unless clockwise is set.
inline CompositePtr roundedRectangle(double x, double y, double w, double h, double r,
                                     bool clockwise = false) {
  const double q = std::tan(XtGe::kPi / 8.0);  // bulge of a quarter circle
  std::vector<XtGePoint2d> p{{x + r, y},         {x + w - r, y},     {x + w, y + r},
                             {x + w, y + h - r}, {x + w - r, y + h}, {x + r, y + h},
                             {x, y + h - r},     {x, y + r}};
  std::vector<double> bulges{0.0, q, 0.0, q, 0.0, q, 0.0, q};
  CompositePtr c = outline(p, bulges);
  if (clockwise) c->reverseParam();
  return c;
}

// A star-shaped outline of n vertices about a centre, radii between
// rMin and rMax, with some edges bulged by up to maxBulge either way.
inline CompositePtr randomOutline(std::mt19937& rng, const XtGePoint2d& centre, int n, double rMin,
                                  double rMax, double maxBulge, bool outwardOnly = false) {
  std::uniform_real_distribution<double> radius(rMin, rMax);
  std::uniform_real_distribution<double> jitter(-0.3, 0.3);
  std::uniform_real_distribution<double> bulge(outwardOnly ? 0.0 : -maxBulge, maxBulge);
  std::bernoulli_distribution curved(0.4);
  std::vector<XtGePoint2d> points;
  std::vector<double> bulges;
  for (int i = 0; i < n; ++i) {
    const double angle = XtGe::kTwoPi * (i + 0.5 + jitter(rng)) / n;
    const double r = radius(rng);
    points.emplace_back(centre.x + r * std::cos(angle), centre.y + r * std::sin(angle));
    // A counter-clockwise arc lies to the right of its chord: on this
    // counter-clockwise outline a positive bulge bulges outward.
    bulges.push_back(curved(rng) ? bulge(rng) : 0.0);
  }
  return outline(points, bulges);
}

// The rectangle [x0, x1] x [y0, y1], counter-clockwise from (x0, y0) unless
// clockwise is set.
inline CompositePtr box(double x0, double y0, double x1, double y1, bool clockwise = false) {
  CompositePtr c = outline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
  if (clockwise) c->reverseParam();
  return c;
}

// True when no two pieces of the outline meet except neighbours at their
// common vertex: random bulges may make an outline cross itself.
inline bool isSimpleOutline(const XtGeCompositeCurve2d& outline, const XtGeTol& tol) {
  const int n = outline.numCurves();
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const XtGeCurveCurveInt2d hits(*outline.curveAt(i), *outline.curveAt(j), tol);
      const bool neighbours = j == i + 1 || (i == 0 && j == n - 1);
      if (hits.overlapCount() > 0 || hits.numIntPoints() > (neighbours ? 1 : 0)) return false;
    }
  }
  return true;
}

// The angle an arc turns through about p over [t0, t1]: its chord's angle,
// plus a whole turn when p lies between the arc and the chord. Where the
// chord's line passes through p, the arc is taken in halves.
inline double arcTurn(const XtGePoint2d& p, const XtGeCircArc2d& arc, double t0, double t1,
                      int depth = 0) {
  const XtGePoint2d s = arc.xtEvalPoint(t0);
  const XtGePoint2d e = arc.xtEvalPoint(t1);
  const XtGePoint2d mid = arc.xtEvalPoint(0.5 * (t0 + t1));
  const XtGeVector2d chord = e - s;
  const double side = chord.crossProduct(p - s);
  if (std::fabs(side) <= 1e-9 * chord.lengthSqrd() && depth < 4)
    return arcTurn(p, arc, t0, 0.5 * (t0 + t1), depth + 1) +
           arcTurn(p, arc, 0.5 * (t0 + t1), t1, depth + 1);
  const XtGeVector2d a = s - p;
  const XtGeVector2d b = e - p;
  double turned = std::atan2(a.crossProduct(b), a.dotProduct(b));
  if (p.distanceTo(arc.center()) < arc.radius() && side * chord.crossProduct(mid - s) > 0.0)
    turned += arc.isClockWise() ? -XtGe::kTwoPi : XtGe::kTwoPi;
  return turned;
}

// The winding number of the outline about p, from the angles its chords
// turn through, each arc adding a whole turn when p lies between it and its
// chord. Independent of the classification code.
inline int windingNumber(const XtGePoint2d& p, const XtGeCompositeCurve2d& outline) {
  double turned = 0.0;
  for (int i = 0; i < outline.numCurves(); ++i) {
    const XtGeCurve2d* c = outline.curveAt(i);
    if (c->type() == XtGe::kCircArc2d) {
      const auto* arc = static_cast<const XtGeCircArc2d*>(c);
      turned += arcTurn(p, *arc, arc->startAng(), arc->endAng());
      continue;
    }
    XtGePoint2d s;
    XtGePoint2d e;
    c->hasStartPoint(s);
    c->hasEndPoint(e);
    const XtGeVector2d a = s - p;
    const XtGeVector2d b = e - p;
    turned += std::atan2(a.crossProduct(b), a.dotProduct(b));
  }
  return static_cast<int>(std::lround(turned / XtGe::kTwoPi));
}

// The signed area (counter-clockwise positive) of a dense polygon through
// sample points of the curve.
inline double sampledSignedArea(const XtGeCurve2d& curve, double deviation) {
  XtGeInterval iv;
  curve.getInterval(iv);
  XtGePoint2dArray pts;
  curve.getSamplePoints(iv.lowerBound(), iv.upperBound(), deviation, pts);
  double twice = 0.0;
  for (int i = 0; i + 1 < pts.length(); ++i)
    twice += (pts[i] - pts[0]).crossProduct(pts[i + 1] - pts[0]);
  return 0.5 * twice;
}

// The area of a closed curve; NaN when it is open.
inline double closedArea(const XtGeCurve2d& curve) {
  double area = 0.0;
  return getCurveArea(curve, area) ? area : std::numeric_limits<double>::quiet_NaN();
}

// The area the closed curves of a region answer bound: a curve inside an
// odd number of the others is a hole.
inline double netArea(const curvePtrArray& curves) {
  double net = 0.0;
  for (const XtGeCurve2d* c : curves) {
    int depth = 0;
    for (const XtGeCurve2d* other : curves) depth += other != c && classifyCurveInCurve(*c, *other) == kPositionInside;
    net += depth % 2 ? -closedArea(*c) : closedArea(*c);
  }
  return net;
}

// Sets the working tolerances of a command for the test and restores them.
class WorkTolerances : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved = workTol;
    m_savedFine = workTolFine;
    workTol = XtGeTol(1e-6, 1e-8);
    workTolFine = XtGeTol(1e-9, 1e-11);
  }
  void TearDown() override {
    workTol = m_saved;
    workTolFine = m_savedFine;
  }

 private:
  XtGeTol m_saved;
  XtGeTol m_savedFine;
};

}  // namespace curveShapes
