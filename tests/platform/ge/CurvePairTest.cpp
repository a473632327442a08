#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

namespace {

// Brute force: the smallest distance between dense samples of two bounded curves.
double sampledDistance(const XtGeCurve2d& a, const XtGeCurve2d& b) {
  XtGePoint2dArray pa, pb;
  a.getSamplePoints(600, pa);
  b.getSamplePoints(600, pb);
  double best = 1e300;
  for (const XtGePoint2d& p : pa) best = std::min(best, b.distanceTo(p));
  for (const XtGePoint2d& q : pb) best = std::min(best, a.distanceTo(q));
  return best;
}

// A curve kind the simple-curve code does not know (as a composite would be):
// a segment in disguise that counts the curve-curve queries it answers.
class ForeignCurve : public XtGeLineSeg2d {
public:
  using XtGeLineSeg2d::XtGeLineSeg2d;
  int type() const override { return XtGe::kCompositeCrv2d; }
  [[nodiscard]] ForeignCurve* copy() const override { return new ForeignCurve(*this); }
};

class AnsweringForeignCurve : public ForeignCurve {
public:
  using ForeignCurve::ForeignCurve;
  using XtGeLineSeg2d::closestPointTo;
  XtGePoint2d closestPointTo(const XtGeCurve2d& other, XtGePoint2d& pntOnOther,
                             const XtGeTol& tol) const override {
    ++calls;
    pntOnOther = other.closestPointTo(startPoint(), tol);
    return startPoint();
  }
  mutable int calls = 0;
};

}  // namespace

TEST(GeCurvePair, ClosestPairsAreExactForLinesAndArcs) {
  const XtGeLineSeg2d seg(XtGePoint2d(-5, 3), XtGePoint2d(5, 3));
  const XtGeCircArc2d arc(XtGePoint2d(0, 0), 2.0, 0.2, 2.9);
  XtGePoint2d onArc;
  const XtGePoint2d onSeg = seg.closestPointTo(arc, onArc);
  expectNear(onSeg, XtGePoint2d(0, 3));
  expectNear(onArc, XtGePoint2d(0, 2));
  EXPECT_NEAR(seg.distanceTo(arc), 1.0, 1e-14);

  // The same arc turned away: the ends decide.
  const XtGeCircArc2d lower(XtGePoint2d(0, 0), 2.0, 3.6, 5.8);
  EXPECT_NEAR(seg.distanceTo(lower), sampledDistance(seg, lower), 1e-6);
  EXPECT_LE(seg.distanceTo(lower), sampledDistance(seg, lower) + 1e-14);

  // Two arcs facing each other across their centre line.
  const XtGeCircArc2d left(XtGePoint2d(-5, 0), 2.0, -1.0, 1.0);
  const XtGeCircArc2d right(XtGePoint2d(5, 0), 1.0, 2.0, 4.0, XtGeVector2d::kXAxis, true);
  XtGePoint2d onRight;
  expectNear(left.closestPointTo(right, onRight), XtGePoint2d(-3, 0));
  expectNear(onRight, XtGePoint2d(4, 0));

  // Parallel lines and meeting curves.
  EXPECT_NEAR(XtGeLine2d().distanceTo(XtGeLine2d(XtGePoint2d(3, 2), XtGeVector2d(-1, 0))), 2.0, 1e-15);
  EXPECT_EQ(seg.distanceTo(XtGeCircArc2d(XtGePoint2d(0, 0), 3.0)), 0.0);
  XtGePoint2d onCircle;
  expectNear(seg.closestPointTo(XtGeCircArc2d(XtGePoint2d(1, 0), 3.0), onCircle), XtGePoint2d(1, 3));
}

TEST(GeCurvePair, RandomPairsAreNeverFartherThanSampling) {
  std::mt19937 rng(99);
  std::uniform_real_distribution<double> d(-10, 10);
  std::uniform_real_distribution<double> u(0, 1);
  auto make = [&](int kind) -> std::unique_ptr<XtGeCurve2d> {
    if (kind == 0) return std::make_unique<XtGeLineSeg2d>(XtGePoint2d(d(rng), d(rng)), XtGePoint2d(d(rng), d(rng)));
    const double s = u(rng) * 6;
    return std::make_unique<XtGeCircArc2d>(XtGePoint2d(d(rng), d(rng)), 0.5 + 4 * u(rng), s,
                                           s + 0.2 + 5 * u(rng), XtGeVector2d::kXAxis, u(rng) < 0.5);
  };
  for (int i = 0; i < 60; ++i) {
    const auto a = make(i % 2);
    const auto b = make((i / 2) % 2);
    XtGePoint2d pb;
    const XtGePoint2d pa = a->closestPointTo(*b, pb);
    const double found = pa.distanceTo(pb);
    EXPECT_LE(a->distanceTo(pa), 1e-12);
    EXPECT_LE(b->distanceTo(pb), 1e-12);
    EXPECT_LE(found, sampledDistance(*a, *b) + 1e-12) << i;
  }
}

TEST(GeCurvePair, EllipseAgainstArcIsRefinedNumerically) {
  const XtGeEllipArc2d e(XtGePoint2d(0, 0), XtGeVector2d(1, 1), XtGeVector2d(-1, 1), 4.0, 1.5);
  const XtGeCircArc2d c(XtGePoint2d(9, 1), 2.0);
  XtGePoint2d onCircle;
  const XtGePoint2d onEllipse = e.closestPointTo(c, onCircle);
  EXPECT_NEAR(onEllipse.distanceTo(onCircle), sampledDistance(e, c), 1e-5);
}

TEST(GeCurvePair, UnknownCurveKindsAnswerThemselvesOrFallBackToSampling) {
  const XtGeLineSeg2d seg(XtGePoint2d(0, 5), XtGePoint2d(10, 5));
  const AnsweringForeignCurve answering(XtGePoint2d(2, 0), XtGePoint2d(8, 0));
  XtGePoint2d onOther;
  const XtGePoint2d onSeg = seg.closestPointTo(answering, onOther);
  EXPECT_EQ(answering.calls, 1);  // the foreign curve was asked
  expectNear(onOther, XtGePoint2d(2, 0));
  expectNear(onSeg, XtGePoint2d(2, 5));
  // A foreign curve without its own member: sampling, no endless delegation.
  const ForeignCurve plain(XtGePoint2d(2, 0), XtGePoint2d(8, 0));
  EXPECT_NEAR(seg.distanceTo(plain), 5.0, 1e-9);
  EXPECT_NEAR(plain.distanceTo(seg), 5.0, 1e-9);
}

TEST(GeCurvePair, DerivativesInTheCurvesOwnParameter) {
  XtGeVector2dArray derivs;
  const XtGeLineSeg2d seg(XtGePoint2d(1, 1), XtGePoint2d(4, 5));
  seg.evalPoint(0.3, 1, derivs);
  ASSERT_EQ(derivs.length(), 1);
  EXPECT_NEAR(derivs[0].length(), 5.0, 1e-15);  // |E - S|
  const XtGeCircArc2d cw(XtGePoint2d(), 3.0, 0.0, 2.0, XtGeVector2d::kXAxis, true);
  const XtGePoint2d p = cw.evalPoint(1.0, 2, derivs);
  ASSERT_EQ(derivs.length(), 2);
  EXPECT_NEAR(derivs[0].length(), 3.0, 1e-15);  // R
  EXPECT_LT(p.asVector().crossProduct(derivs[0]), 0.0);  // clockwise travel
  EXPECT_NEAR(derivs[1].dotProduct(p.asVector()), -9.0, 1e-12);  // towards the centre
  cw.evalPoint(std::nan(""), 1, derivs);
  EXPECT_EQ(derivs.length(), 0);
}

TEST(GeCurvePair, ZeroRadiusArcsBehaveAsPoints) {
  const XtGeCircArc2d dot(XtGePoint2d(2, 2), 0.0, 0.0, 1.0);
  EXPECT_EQ(dot.length(), 0.0);
  EXPECT_TRUE(dot.isOn(XtGePoint2d(2, 2)));
  expectNear(dot.closestPointTo(XtGePoint2d(9, 9)), XtGePoint2d(2, 2));
  EXPECT_EQ(dot.paramAtLength(0.0, 3.0), 1.0);
  int n = 0;
  XtGePoint2d p1, p2;
  EXPECT_TRUE(dot.intersectWith(XtGeLineSeg2d(XtGePoint2d(0, 2), XtGePoint2d(5, 2)), n, p1, p2));
  EXPECT_EQ(n, 1);
  XtGeCurve2dPtrArray out;
  EXPECT_FALSE(dot.getTrimmedOffset(1.0, out));
  XtGeLine2d t;
  EXPECT_FALSE(dot.tangent(XtGePoint2d(2, 2), t));
  XtGeCurve2d *a = nullptr, *b = nullptr;
  dot.getSplitCurves(0.5, a, b);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
}
