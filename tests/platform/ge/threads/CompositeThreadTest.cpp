// Several threads reading one composite at once (as the offset cache hands
// the same loops to several design threads) see the same answers as one
// thread alone.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace {

XtGeCompositeCurve2d loop() {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  const int n = 60;
  for (int i = 0; i < n; ++i) {
    const double a0 = XtGe::kTwoPi * i / n;
    const double a1 = XtGe::kTwoPi * (i + 1) / n;
    const XtGePoint2d p(10 * std::cos(a0), 10 * std::sin(a0));
    const XtGePoint2d q(10 * std::cos(a1), 10 * std::sin(a1));
    if (i % 2)
      pieces.push_back(std::make_unique<XtGeCircArc2d>(p, q, 0.3));
    else
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(p, q));
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

// A digest of many queries on the composite.
double queries(const XtGeCompositeCurve2d& c) {
  double sum = 0.0;
  for (int k = 0; k < 200; ++k) {
    const XtGePoint2d q(-12.0 + 0.12 * k, 7.0 - 0.07 * k);
    double t = 0.0;
    sum += c.paramOf(q) + c.distanceTo(q) + c.closestPointTo(q).x + (c.isOn(q, t) ? 1.0 : 0.0);
    sum += c.xtEvalPoint(k / 200.0).y + c.paramAtLength(0.0, 0.3 * k);
    const XtGeCurveCurveInt2d x(XtGeRay2d(q, XtGeVector2d(std::cos(k * 0.1), std::sin(k * 0.1))), c);
    sum += x.numIntPoints() + x.overlapCount();
    for (int i = 0; i < x.numIntPoints(); ++i) sum += x.intPoint(i).x;
  }
  return sum;
}

}  // namespace

TEST(GeCompositeThreads, ConcurrentReadersAgree) {
  const XtGeCompositeCurve2d shared = loop();
  const double expected = queries(shared);
  std::atomic<int> mismatches{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 4; ++i) {
    readers.emplace_back([&] {
      for (int round = 0; round < 3; ++round)
        if (queries(shared) != expected) ++mismatches;
    });
  }
  for (auto& r : readers) r.join();
  EXPECT_EQ(mismatches.load(), 0);
}
