// The window's frame answers as the window loop does: seeded chords of every
// direction, short and long, near and 5e6 from the origin, points all round
// and on the window's sides; a box the frame calls clear holds nothing that
// meets the loop.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "geometry/Tolerances.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/layout/offsets/COffsetPoint.h"
#include "heating/layout/offsets/PipeWindow.h"
#include "platform/ge/XtGeBoundBlock2d.h"

namespace {

struct Chord {
  XtGePoint2d a;
  XtGePoint2d b;
  double s;
};

// The margin the narrow sections' windows are cut with.
double cutMargin() { return 5.0 * workTol.equalPoint(); }

// A chord's window loop and its frame.
struct Window {
  explicit Window(const Chord& c) : loop(windowAround(c.a, c.b, c.s, 1)), frame(c.a, c.b, c.s, cutMargin()) {}
  std::unique_ptr<COffsetLoop> loop;
  PipeWindowFrame frame;
};

Chord randomChord(std::mt19937_64& rng) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double far = unit(rng) < 0.5 ? 0.0 : 5e6;
  const XtGePoint2d a(far + 1000.0 * unit(rng), -far + 1000.0 * unit(rng));
  const double angle = 2.0 * M_PI * unit(rng);
  const double length = unit(rng) < 0.2 ? 1.0 + 10.0 * unit(rng) : 50.0 + 3000.0 * unit(rng);
  const XtGePoint2d b(a.x + length * std::cos(angle), a.y + length * std::sin(angle));
  return {a, b, 100.0 + 200.0 * unit(rng)};
}

// Points about the window: spread over its surroundings, and on its sides
// moved by a few tolerances either way.
std::vector<XtGePoint2d> pointsAbout(const Chord& c, std::mt19937_64& rng, double tol) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const XtGeVector2d u = (c.b - c.a).normal();
  const XtGeVector2d n = u.perpVector();
  const double length = c.a.distanceTo(c.b);
  std::vector<XtGePoint2d> points;
  for (int k = 0; k < 200; ++k) {
    const double along = -2.0 * c.s + (length + 4.0 * c.s) * unit(rng);
    const double across = -1.5 * c.s + 3.0 * c.s * unit(rng);
    points.push_back(c.a + u * along + n * across);
  }
  const double nudges[] = {-8.0 * tol, -2.0 * tol, 0.0, 2.0 * tol, 8.0 * tol};
  for (const double e : nudges) {
    const double along = -c.s + (length + 2.0 * c.s) * unit(rng);
    points.push_back(c.a + u * along + n * (0.75 * c.s + e));
    points.push_back(c.a + u * along - n * (0.75 * c.s + e));
    points.push_back(c.a + u * (length + c.s + e) + n * (0.5 * c.s * (unit(rng) - 0.5)));
    points.push_back(c.a + u * (-c.s - e) + n * (0.5 * c.s * (unit(rng) - 0.5)));
  }
  return points;
}

TEST(PipeWindow, TheFrameAnswersAsTheWindowLoop) {
  std::mt19937_64 rng(61);
  const XtGeTol& tol = workTol;
  int decidedByFrame = 0;
  for (int round = 0; round < 300; ++round) {
    const Chord c = randomChord(rng);
    const Window w(c);
    for (const XtGePoint2d& p : pointsAbout(c, rng, tol.equalPoint())) {
      const int loop = w.loop->classifyPoint(p, tol);
      ASSERT_EQ(w.frame.classify(*w.loop, p, tol), loop)
          << "round " << round << " point " << p.x << ", " << p.y << " along "
          << (p - c.a).dotProduct((c.b - c.a).normal()) << " across "
          << (p - c.a).dotProduct((c.b - c.a).normal().perpVector());
      decidedByFrame += loop != CLoop::kOnLoop;
    }
  }
  EXPECT_GT(decidedByFrame, 0);
}

TEST(PipeWindow, AClearBoxHoldsNothingThatMeetsTheWindow) {
  std::mt19937_64 rng(62);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int clear = 0;
  for (int round = 0; round < 300; ++round) {
    const Chord c = randomChord(rng);
    const Window w(c);
    const XtGePoint2d mid((c.a.x + c.b.x) / 2.0, (c.a.y + c.b.y) / 2.0);
    const double reach = c.a.distanceTo(c.b) + 3.0 * c.s;
    for (int k = 0; k < 20; ++k) {
      const XtGePoint2d p(mid.x + reach * (2.0 * unit(rng) - 1.0), mid.y + reach * (2.0 * unit(rng) - 1.0));
      const XtGePoint2d q(p.x + c.s * (2.0 * unit(rng) - 1.0), p.y + c.s * (2.0 * unit(rng) - 1.0));
      if (!w.frame.keepsClearOf(XtGeBoundBlock2d(p, q))) continue;
      ++clear;
      const CFloorHeatingLine piece(p, q, nullptr, 2);
      std::vector<COffsetPoint> hits;
      w.loop->intersectionPoints(piece, hits, workTol);
      EXPECT_TRUE(hits.empty()) << "round " << round;
      EXPECT_EQ(w.loop->classifyPoint(p, workTol), CLoop::kOutside);
      EXPECT_EQ(w.loop->classifyPoint(q, workTol), CLoop::kOutside);
    }
  }
  EXPECT_GT(clear, 1000);
  EXPECT_FALSE(PipeWindowFrame({0, 0}, {100, 0}, 50, cutMargin()).keepsClearOf(XtGeBoundBlock2d()));
}

}  // namespace
