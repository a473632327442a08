// Trimmed offsets of one loop on several threads at once (polyline offsets
// run on the design workers) answer what one thread alone answers.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <future>
#include <memory>
#include <vector>

namespace {

// A wavy loop of 40 segments and bulged arcs.
XtGeCompositeCurve2d wavyLoop() {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  const int n = 40;
  auto at = [&](int i) {
    const double a = XtGe::kTwoPi * i / n;
    const double r = 10 + ((i % 3) ? 1.5 : -1.0);
    return XtGePoint2d(r * std::cos(a), r * std::sin(a));
  };
  for (int i = 0; i < n; ++i) {
    if (i % 4 == 1)
      pieces.push_back(std::make_unique<XtGeCircArc2d>(at(i), at(i + 1), -0.3));
    else
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(at(i), at(i + 1)));
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

// Count and total length of the offsets by several distances and kinds.
std::vector<double> digest(const XtGeCompositeCurve2d& c) {
  std::vector<double> out;
  for (double d : {0.4, 1.3, 2.2, -0.6, -2.0}) {
    for (int ext : {XtGe::kFillet, XtGe::kChamfer, XtGe::kExtend}) {
      XtGeCurve2dPtrArray curves;
      c.getTrimmedOffset(d, curves, ext, XtGeTol(1e-9, 1e-10));
      double length = 0.0;
      for (XtGeCurve2d* r : curves) {
        length += r->length();
        delete r;
      }
      out.push_back(curves.length());
      out.push_back(length);
    }
  }
  return out;
}

}  // namespace

TEST(TrimmedOffsetThreads, ConcurrentOffsetsAgree) {
  const XtGeCompositeCurve2d shared = wavyLoop();
  const std::vector<double> expected = digest(shared);
  std::vector<std::future<std::vector<double>>> workers;
  for (int i = 0; i < 4; ++i)
    workers.push_back(std::async(std::launch::async, [&shared] { return digest(shared); }));
  for (auto& w : workers) {
    ASSERT_EQ(w.wait_for(std::chrono::seconds(120)), std::future_status::ready);
    EXPECT_EQ(w.get(), expected);  // bit for bit: no shared scratch state
  }
}
