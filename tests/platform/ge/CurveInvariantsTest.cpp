// Invariants every simple curve keeps, checked on the shapes people draw,
// counter-clockwise and clockwise, small and at 1e7 with coarse tolerances.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kPi = XtGe::kPi;

struct Case {
  std::string name;
  std::function<std::unique_ptr<XtGeCurve2d>()> make;
  XtGeTol tol;
  double scale;  // size of the drawing, for the numeric slack
};

std::unique_ptr<XtGeCurve2d> reversed(std::unique_ptr<XtGeCurve2d> c) {
  c->reverseParam();
  return c;
}

std::vector<Case> cases() {
  const XtGeTol fine(1e-10, 1e-10);
  const XtGeTol coarse(1e-3, 1e-3);
  const XtGeTol zero(0.0, 0.0);
  const XtGePoint2d far(1e7, -1e7);
  return {
      {"segment", [] { return std::make_unique<XtGeLineSeg2d>(XtGePoint2d(1, 2), XtGePoint2d(7, -3)); }, fine, 10},
      {"segmentZeroTol", [] { return std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(4, 4)); }, zero, 10},
      {"segmentFar", [far] { return std::make_unique<XtGeLineSeg2d>(far, far + XtGeVector2d(3000, 1200)); }, coarse, 1e7},
      {"ray", [] { return std::make_unique<XtGeRay2d>(XtGePoint2d(1, 1), XtGeVector2d(0.3, -2)); }, fine, 10},
      {"rayReversed", [] { return reversed(std::make_unique<XtGeRay2d>(XtGePoint2d(1, 1), XtGeVector2d(2, 1))); }, fine, 10},
      {"line", [] { return std::make_unique<XtGeLine2d>(XtGePoint2d(-3, 2), XtGePoint2d(5, 5)); }, fine, 10},
      {"arcCcw", [] { return std::make_unique<XtGeCircArc2d>(XtGePoint2d(2, 1), 3.0, 0.4, 2.9); }, fine, 10},
      {"arcCw", [] { return std::make_unique<XtGeCircArc2d>(XtGePoint2d(2, 1), 3.0, -1.0, 3.5, XtGeVector2d(0, 1), true); }, fine, 10},
      {"arcReversed", [] { return reversed(std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 2.0, 1.0, 5.5)); }, fine, 10},
      {"circle", [] { return std::make_unique<XtGeCircArc2d>(XtGePoint2d(-4, 4), 1.5); }, fine, 10},
      {"circleZeroTol", [] { return std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 1.0); }, zero, 10},
      {"arcFar", [far] { return std::make_unique<XtGeCircArc2d>(far, 2500.0, 0.3, 4.0, XtGeVector2d(1, 1), true); }, coarse, 1e7},
      {"ellipse", [] { return std::make_unique<XtGeEllipArc2d>(XtGePoint2d(1, 1), XtGeVector2d(1, 2), XtGeVector2d(-2, 1), 3.0, 1.2, 0.5, 5.0); }, fine, 10},
  };
}

class CurveInvariants : public ::testing::TestWithParam<Case> {};

// Parameter range to exercise: the interval, or a window of unbounded ones.
void range(const XtGeCurve2d& c, double& lo, double& hi) {
  XtGeInterval iv;
  c.getInterval(iv);
  lo = iv.isBoundedBelow() ? iv.lowerBound() : (iv.isBoundedAbove() ? iv.upperBound() - 5 : -5);
  hi = iv.isBoundedAbove() ? iv.upperBound() : lo + 5;
}

}  // namespace

TEST_P(CurveInvariants, PointAtParamOfIsThePoint) {
  const Case& k = GetParam();
  const auto c = k.make();
  double lo, hi;
  range(*c, lo, hi);
  const double slack = k.scale * 1e-14;
  for (int i = 0; i <= 40; ++i) {
    const double t = lo + (hi - lo) * i / 40.0;
    const XtGePoint2d p = c->xtEvalPoint(t);
    EXPECT_LE(c->xtEvalPoint(c->paramOf(p, k.tol)).distanceTo(p), k.tol.equalPoint() + slack) << t;
    double u = 0;
    EXPECT_TRUE(c->isOn(p, u, k.tol)) << t;
  }
}

TEST_P(CurveInvariants, ClosestPointIsNeverFartherThanAnySample) {
  const Case& k = GetParam();
  const auto c = k.make();
  double lo, hi;
  range(*c, lo, hi);
  std::mt19937 rng(7);
  const XtGePoint2d centre = c->xtEvalPoint(0.5 * (lo + hi));
  const double spread = c->xtEvalPoint(lo).distanceTo(c->xtEvalPoint(hi)) + 1.0;
  std::uniform_real_distribution<double> d(-spread, spread);
  std::vector<XtGePoint2d> samples;
  for (int i = 0; i <= 400; ++i) samples.push_back(c->xtEvalPoint(lo + (hi - lo) * i / 400.0));
  for (int n = 0; n < 60; ++n) {
    const XtGePoint2d q(centre.x + d(rng), centre.y + d(rng));
    const XtGePoint2d cp = c->closestPointTo(q, k.tol);
    const double best = q.distanceTo(cp);
    EXPECT_NEAR(c->distanceTo(q, k.tol), best, k.scale * 1e-14);
    for (const XtGePoint2d& s : samples) ASSERT_LE(best, q.distanceTo(s) + k.scale * 1e-14);
    EXPECT_LE(c->distanceTo(cp, k.tol), k.scale * 1e-14);
  }
}

TEST_P(CurveInvariants, LengthsAddUpAfterSplittingAndWalking) {
  const Case& k = GetParam();
  const auto c = k.make();
  XtGeInterval iv;
  c->getInterval(iv);
  if (!iv.isBounded()) {
    EXPECT_EQ(c->length(), 0.0);
    XtGeCurve2d *a = nullptr, *b = nullptr;
    c->getSplitCurves(0.0, a, b);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
    return;
  }
  const double lo = iv.lowerBound(), hi = iv.upperBound();
  const double total = c->length();
  for (double f : {0.1, 0.5, 0.77}) {
    const double t = lo + (hi - lo) * f;
    XtGeCurve2d *a = nullptr, *b = nullptr;
    c->getSplitCurves(t, a, b);
    std::unique_ptr<XtGeCurve2d> pa(a), pb(b);
    ASSERT_TRUE(a && b);
    EXPECT_NEAR(a->length() + b->length(), total, total * 1e-12);
    XtGePoint2d ae, bs;
    ASSERT_TRUE(a->hasEndPoint(ae));
    ASSERT_TRUE(b->hasStartPoint(bs));
    EXPECT_LE(ae.distanceTo(bs), k.scale * 1e-14);
    // Walking the length of the first piece from the start reaches t.
    const double walked = c->paramAtLength(lo, a->length());
    EXPECT_LE(c->xtEvalPoint(walked).distanceTo(c->xtEvalPoint(t)), total * 1e-10 + k.scale * 1e-14);
  }
  // Reversing keeps the length and swaps the ends.
  auto r = std::unique_ptr<XtGeCurve2d>(c->copy());
  r->reverseParam();
  EXPECT_NEAR(r->length(), total, total * 1e-12);
  XtGePoint2d s, e;
  ASSERT_TRUE(c->hasStartPoint(s));
  ASSERT_TRUE(r->hasEndPoint(e));
  EXPECT_LE(s.distanceTo(e), k.scale * 1e-14);
}

TEST_P(CurveInvariants, BoundBlockHoldsEverySample) {
  const Case& k = GetParam();
  const auto c = k.make();
  double lo, hi;
  range(*c, lo, hi);
  const XtGeBoundBlock2d box = c->orthoBoundBlock();
  XtGeBoundBlock2d grown = box;
  grown.swell(k.scale * 1e-14);
  for (int i = 0; i <= 200; ++i) EXPECT_TRUE(grown.contains(c->xtEvalPoint(lo + (hi - lo) * i / 200.0)));
}

INSTANTIATE_TEST_SUITE_P(Shapes, CurveInvariants, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });
