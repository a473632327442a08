// The hot members (points, vectors, isOn, closestPointTo and the simple
// intersections) must not touch the heap.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "tests/platform/ge/allocationCounter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(GeNoAllocation, HotMembersStayOffTheHeap) {
  const XtGeLineSeg2d a(XtGePoint2d(0, 0), XtGePoint2d(10, 3));
  const XtGeLineSeg2d b(XtGePoint2d(2, 8), XtGePoint2d(7, -4));
  const XtGeRay2d ray(XtGePoint2d(-1, -1), XtGeVector2d(1, 0.5));
  const XtGeLine2d line(XtGePoint2d(0, 1), XtGeVector2d(1, 0));
  const XtGeCircArc2d arc(XtGePoint2d(3, 1), 4.0, 0.3, 4.0, XtGeVector2d(0, 1), true);
  const XtGeCircArc2d other(XtGePoint2d(6, 0), 3.0);

  const std::size_t before = allocationCounter::count();
  double sink = 0.0;
  for (int i = 0; i < 100; ++i) {
    const XtGePoint2d q(i * 0.1, 5.0 - i * 0.07);
    XtGeVector2d v = (q - XtGePoint2d(1, 1)).normal();
    v.rotateBy(0.3);
    sink += v.angle() + q.distanceTo(XtGePoint2d());
    double t = 0;
    sink += a.isOn(q) + arc.isOn(q, t) + ray.isOn(q) + line.isOn(q);
    sink += a.closestPointTo(q).x + arc.closestPointTo(q).y + ray.closestPointTo(q).x;
    sink += arc.paramOf(q) + a.paramOf(q) + arc.distanceTo(q);
    XtGePoint2d p, p1, p2;
    int n = 0;
    sink += a.intersectWith(b, p) + ray.intersectWith(line, p);
    sink += arc.intersectWith(a, n, p1, p2) + arc.intersectWith(other, n, p1, p2);
    sink += arc.intersectWith(line, n, p1, p2);
  }
  EXPECT_EQ(allocationCounter::count(), before);
  EXPECT_NE(sink, 0.0);
}

TEST(GeNoAllocation, CompositePointQueriesStayOffTheHeap) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (int i = 0; i < 50; ++i) {
    const XtGePoint2d p(i, (i % 2) * 0.5);
    const XtGePoint2d q(i + 1, ((i + 1) % 2) * 0.5);
    if (i % 3 == 0)
      pieces.push_back(std::make_unique<XtGeCircArc2d>(p, q, 0.3));
    else
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(p, q));
  }
  const XtGeCompositeCurve2d zigzag(std::move(pieces));
  const XtGeLineSeg2d seg(XtGePoint2d(3.3, -2), XtGePoint2d(7.1, 4));

  const std::size_t before = allocationCounter::count();
  double sink = 0.0;
  for (int i = 0; i < 100; ++i) {
    const XtGePoint2d q(i * 0.5, 1.0 - i * 0.013);
    double t = 0;
    sink += zigzag.isOn(q, t) + zigzag.isOn(zigzag.xtEvalPoint(i * 0.01), t);
    sink += zigzag.closestPointTo(q).x + zigzag.distanceTo(q) + zigzag.paramOf(q);
    sink += zigzag.xtEvalPoint(i * 0.01).y + zigzag.paramAtLength(0.0, i * 0.4) + zigzag.length(0.1, 0.7);
    XtGePoint2d onSeg;
    sink += zigzag.closestPointTo(seg, onSeg).x + seg.distanceTo(zigzag);
  }
  EXPECT_EQ(allocationCounter::count(), before);
  EXPECT_NE(sink, 0.0);
}
