// Seeded rooms with the awkward cases of inside tests: walls split into
// nearly colinear halves, arcs bulging in and out, points whose probes pass
// exactly through vertices or along walls, and points whose +X ray crosses
// an arc at 1 to 10 degrees. Classification, ray parity and orientation
// must agree with the winding number and the signed area.
#include "tests/geometry/curveShapes.h"
#include "geometry/curveClassification.h"
#include "geometry/curveOrientation.h"
#include "geometry/savedTolerance.h"

#include <gtest/gtest.h>

#include <random>

using namespace curveShapes;

namespace {

class parityProperty : public WorkTolerances {};

// A rectilinear room (rectangle, L, U, T or notched on a grid of `cell`) or a star.
// Some walls are bulged either way, some split at every grid point (so that
// probes from there run along other walls), some split at a vertex moved
// off the wall by less than the tolerance or by a few tolerances.
CompositePtr awkwardRoom(std::mt19937& rng, int kind, const XtGePoint2d& o, double cell, double tol) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  if (kind == 5) return randomOutline(rng, o, 9, 2.0 * cell, 5.0 * cell, 0.4);
  static const std::vector<std::vector<XtGePoint2d>> grids{
      {{0, 0}, {6, 0}, {6, 4}, {0, 4}},
      {{0, 0}, {6, 0}, {6, 2}, {3, 2}, {3, 4}, {0, 4}},
      {{0, 0}, {6, 0}, {6, 4}, {5, 4}, {5, 1}, {4, 1}, {4, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 4}, {0, 4}},
      {{2, 0}, {4, 0}, {4, 3}, {6, 3}, {6, 4}, {0, 4}, {0, 3}, {2, 3}},
      {{0, 0}, {4, 0}, {4, 3}, {3, 3}, {3, 1}, {2, 1}, {2, 3}, {0, 3}}};
  std::vector<XtGePoint2d> points;
  std::vector<double> bulges;
  const std::vector<XtGePoint2d>& g = grids[kind];
  for (std::size_t i = 0; i < g.size(); ++i) {
    const XtGeVector2d step = g[(i + 1) % g.size()] - g[i];
    const XtGePoint2d a = o + (g[i] - XtGePoint2d(0, 0)) * cell;
    const double r = u(rng);
    const int cells = static_cast<int>(std::lround(step.length()));
    for (int k = 0; k < (r >= 0.5 && r < 0.75 ? cells : 1); ++k) {
      points.push_back(a + step * (cell * k / cells));
      bulges.push_back(0.0);
    }
    if (r < 0.25) {
      bulges.back() = u(rng) < 0.5 ? -0.3 * u(rng) : 0.6 * u(rng);
    } else if (r < 0.5) {
      points.push_back(a + step * (cell * (0.2 + 0.6 * u(rng))) +
                       step.perpVector().normal() * tol * (u(rng) < 0.5 ? 0.4 : 3.0));
      bulges.push_back(0.0);
    }
  }
  return outline(points, bulges);
}

// The same outline starting at its piece `first`.
CompositePtr startingAt(const XtGeCompositeCurve2d& room, int first) {
  std::vector<CurvePtr> pieces;
  for (int i = 0; i < room.numCurves(); ++i)
    pieces.emplace_back(room.curveAt((first + i) % room.numCurves())->copy());
  return std::make_unique<XtGeCompositeCurve2d>(std::move(pieces));
}

// Points of the room's box, with probes through its vertices (+X and the
// classification probe) and shallow +X crossings of its arcs.
std::vector<XtGePoint2d> awkwardPoints(std::mt19937& rng, const XtGeCompositeCurve2d& room, int n) {
  const XtGeBoundBlock2d box = room.orthoBoundBlock();
  const XtGePoint2d lo = box.minPoint();
  const XtGePoint2d hi = box.maxPoint();
  const XtGeVector2d span = hi - lo;
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const XtGePoint2d far(hi.x + 0.12341234, hi.y + 0.12341234);
  std::vector<XtGePoint2d> out;
  for (int k = 0; k < n; ++k) {
    const XtGePoint2d any(lo.x - 0.1 * span.x + 1.2 * span.x * u(rng), lo.y - 0.1 * span.y + 1.2 * span.y * u(rng));
    XtGePoint2d v;
    room.curveAt(static_cast<int>(u(rng) * room.numCurves()))->hasStartPoint(v);
    switch (k % 4) {
      case 0: out.push_back(any); break;
      case 1: out.emplace_back(any.x, v.y); break;
      case 2: out.push_back(v + (v - far) * (0.05 + 0.5 * u(rng))); break;
      default: {
        // Where an arc's tangent makes 1 to 10 degrees with the X axis (near
        // the top or the bottom of its circle), on the first arc that gets
        // there; the probe hits it from up to a third of its radius away.
        const double theta = (1.0 + 9.0 * u(rng)) * XtGe::kPi / 180.0;
        const int pieces = room.numCurves();
        const int first = static_cast<int>(u(rng) * pieces);
        XtGePoint2d q = any;
        double r = 0.0;
        for (int m = 0; m < 4 * pieces && r == 0.0; ++m) {
          const XtGeCurve2d* piece = room.curveAt((first + m / 4) % pieces);
          if (piece->type() != XtGe::kCircArc2d) continue;
          const auto* arc = static_cast<const XtGeCircArc2d*>(piece);
          const double phi = (m % 4 < 2 ? 0.5 : -0.5) * XtGe::kPi + (m % 2 == 0 ? theta : -theta);
          const XtGePoint2d onCircle = arc->center() + XtGeVector2d(std::cos(phi), std::sin(phi)) * arc->radius();
          if (arc->distanceTo(onCircle) > 1e-9 * arc->radius()) continue;
          q = onCircle;
          r = arc->radius();
        }
        out.push_back(q + XtGeVector2d((u(rng) - 0.8) * 0.4 * r, 0.0));
      }
    }
  }
  return out;
}

}  // namespace

TEST_F(parityProperty, InsideTestsAgreeWithTheWindingNumberOnAwkwardRooms) {
  struct Place {
    XtGePoint2d origin;
    double cell;
    XtGeTol tol;
  };
  const Place places[] = {{{0, 0}, 1.0, XtGeTol(1e-6, 1e-8)},
                          {{0, 0}, 1000.0, XtGeTol(1e-3, 1e-5)},
                          {{3e6, -7e6}, 1.0, XtGeTol(1e-3, 1e-5)}};
  const savedTolerance keepGTol;
  std::mt19937 rng(20240615);
  int checked = 0;
  for (const Place& at : places) {
    workTol = at.tol;
    if (at.origin.x != 0.0) XtGeContext::gTol = XtGeTol(1e-3, 1e-6);
    for (int room = 0; room < 12; ++room) {
      const CompositePtr c = awkwardRoom(rng, room % 6, at.origin, at.cell, at.tol.equalPoint());
      const double area = sampledSignedArea(*c, 1e-4 * at.cell);
      for (int round = 0; round < 2; ++round) {
        // Orientation from every vertex, so that probes start on every wall.
        for (int first = 0; first < c->numCurves(); ++first) {
          bool cw = area > 0.0;
          ASSERT_TRUE(curveIsClockwise(*startingAt(*c, first), cw));
          EXPECT_EQ(cw, (area < 0.0) != (round == 1)) << "room " << room << " from " << first;
        }
        XtGeCurve2dPtrArray pieces;
        c->getCurveList(pieces);
        const std::vector<const XtGeCurve2d*> loose(pieces.begin(), pieces.end());
        const XtGeCurve2d* whole[] = {c.get()};
        for (const XtGePoint2d& p : awkwardPoints(rng, *c, 80)) {
          if (c->distanceTo(p) < 10.0 * at.tol.equalPoint()) continue;
          const bool inside = windingNumber(p, *c) != 0;
          const int expected = inside ? kPositionInside : kPositionOutside;
          const ::testing::Message where = ::testing::Message()
                                           << "room " << room << " (" << p.x << ", " << p.y << ")";
          EXPECT_EQ(classifyPointInCurve(p, *c), expected) << where;
          EXPECT_EQ(classifyPointInCurveSet(p, whole), expected) << where;
          EXPECT_EQ(classifyPointInCurveSet(p, loose), expected) << where;
          EXPECT_EQ(rayCrossingCount(p, *c), inside) << where;
          ++checked;
        }
        c->reverseParam();
      }
    }
  }
  EXPECT_GT(checked, 5000);
}
