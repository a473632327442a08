// Trimmed offsets of composite curves on shapes people draw, compared with
// outlines computed by hand.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/internal/GeCurveArea.h"
#include "tests/platform/ge/GeShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

// The answer of one getTrimmedOffset call, owned.
struct Offsets {
  bool answered = false;
  std::vector<std::unique_ptr<XtGeCurve2d>> curves;

  double signedArea(size_t i) const {
    double a = 0.0;
    EXPECT_TRUE(GeKernel::signedArea(*curves[i], a));
    return a;
  }
  double length(size_t i) const { return curves[i]->length(); }
  int pieces(size_t i) const {
    const auto* c = dynamic_cast<const XtGeCompositeCurve2d*>(curves[i].get());
    return c ? c->numCurves() : 1;
  }
};

Offsets offsetOf(const XtGeCurve2d& c, double d, int extType, const XtGeTol& tol = XtGeTol()) {
  XtGeCurve2dPtrArray out;
  Offsets o;
  o.answered = c.getTrimmedOffset(d, out, extType, tol);
  for (XtGeCurve2d* p : out) o.curves.emplace_back(p);
  EXPECT_EQ(o.answered, !o.curves.empty());
  return o;
}

// Expected area and length of one closed result per extension type.
struct Outline {
  int extType;
  double area;
  double length;
};

void expectOutlines(const XtGeCurve2d& c, double d, const std::vector<Outline>& outlines,
                    double eps = 1e-9) {
  for (const Outline& e : outlines) {
    SCOPED_TRACE(testing::Message() << "d " << d << " extension " << e.extType);
    const Offsets o = offsetOf(c, d, e.extType);
    ASSERT_EQ(o.curves.size(), 1u);
    EXPECT_TRUE(o.curves[0]->xtIsClosed(XtGeTol(1e-9, 1e-9)));
    EXPECT_NEAR(std::fabs(o.signedArea(0)), e.area, eps);
    EXPECT_NEAR(o.length(0), e.length, eps);
  }
}

}  // namespace

TEST(TrimmedOffset, RectangleInwardAndOutward) {
  const XtGeCompositeCurve2d r = rectangle(1, 2, 4, 3);
  for (double d : {0.1, 0.5, 1.4}) {
    const double area = (4 - 2 * d) * (3 - 2 * d);
    const double length = 2 * (4 - 2 * d) + 2 * (3 - 2 * d);
    expectOutlines(r, d, {{XtGe::kFillet, area, length}, {XtGe::kChamfer, area, length},
                          {XtGe::kExtend, area, length}});
    // Outward every corner parts: a quarter circle, a cut corner or the
    // corner itself.
    const double outArea = (4 + 2 * d) * (3 + 2 * d);
    const double outLength = 2 * (4 + 2 * d) + 2 * (3 + 2 * d);
    expectOutlines(r, -d,
                   {{XtGe::kExtend, outArea, outLength},
                    {XtGe::kFillet, outArea - (4 - kPi) * d * d, outLength - 8 * d + 2 * kPi * d},
                    {XtGe::kChamfer, outArea - 2 * d * d, outLength - 8 * d + 4 * std::sqrt(2.0) * d}});
  }
  // A rectangle keeps its four sides.
  EXPECT_EQ(offsetOf(r, 0.5, XtGe::kExtend).pieces(0), 4);
}

TEST(TrimmedOffset, OffsetBeyondTheInradiusGivesNothing) {
  const XtGeCompositeCurve2d r = rectangle(0, 0, 4, 3);
  for (int ext : {XtGe::kFillet, XtGe::kChamfer, XtGe::kExtend}) {
    EXPECT_FALSE(offsetOf(r, 1.6, ext).answered);
    EXPECT_FALSE(offsetOf(r, 1.5, ext).answered);  // collapses to a line
    EXPECT_FALSE(offsetOf(lShape(), 1.6, ext).answered);
  }
}

TEST(TrimmedOffset, LShapeKnownAreaAndPerimeter) {
  // 6 x 4 with a 3 x 2 notch, by 0.15: inward the reflex corner parts,
  // outward the five convex ones.
  const XtGeCompositeCurve2d l = lShape();
  const double d = 0.15;
  const double in = 5.7 * 3.7 - 6.0;
  const double out = 6.3 * 4.3 - 6.0;
  expectOutlines(l, d,
                 {{XtGe::kExtend, in, 18.8},
                  {XtGe::kFillet, in + d * d * (1 - kPi / 4), 18.8 - 2 * d + kPi / 2 * d},
                  {XtGe::kChamfer, in + d * d / 2, 18.8 - 2 * d + std::sqrt(2.0) * d}});
  expectOutlines(l, -d,
                 {{XtGe::kExtend, out, 21.2},
                  {XtGe::kFillet, 18 + 20 * d + d * d * (5 * kPi / 4 - 1), 21.2 - 10 * d + 5 * kPi / 2 * d},
                  {XtGe::kChamfer, out - 5 * d * d / 2, 21.2 - 10 * d + 5 * std::sqrt(2.0) * d}});
}

TEST(TrimmedOffset, UAndTShapes) {
  // U: 6 x 4 with a slot 2 wide and 3 deep from the top.
  const XtGeCompositeCurve2d u =
      polyline({{0, 0}, {6, 0}, {6, 4}, {4, 4}, {4, 1}, {2, 1}, {2, 4}, {0, 4}}, true);
  expectOutlines(u, 0.15, {{XtGe::kExtend, 5.7 * 3.7 - 2.3 * 3.0, 2 * 5.7 + 2 * 3.7 + 2 * 3.0}});
  // By 0.6 the base (1 high) vanishes and the arms part: two 0.8 x 2.8
  // rectangles, with fillets a bump where the slot's corner circle (radius
  // 0.6 about (2, 1)) leaves room below it.
  const double segment = 0.2 * std::sqrt(0.2) + 0.18 * std::asin(2.0 / 3.0);
  const struct {
    int ext;
    double area;
    double length;
  } arms[] = {{XtGe::kExtend, 2.24, 7.2},
              {XtGe::kFillet, 2.24 + 0.24 - segment,
               7.2 + 0.6 - std::sqrt(0.2) + 0.6 * std::asin(2.0 / 3.0) - 0.4},
              {XtGe::kChamfer, 2.24 + 0.2 * (0.6 - std::sqrt(0.2)),
               7.2 + 0.6 - std::sqrt(0.2) + std::hypot(0.6 - std::sqrt(0.2), 0.4) - 0.4}};
  for (const auto& e : arms) {
    SCOPED_TRACE(e.ext);
    const Offsets o = offsetOf(u, 0.6, e.ext);
    ASSERT_EQ(o.curves.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_NEAR(o.signedArea(i), e.area, 1e-9);
      EXPECT_NEAR(o.length(i), e.length, 1e-9);
    }
  }
  // T: a 6 x 2 bar on a 2 x 3 stem; outward by 0.15, six convex and two
  // reflex corners.
  const XtGeCompositeCurve2d t =
      polyline({{2, 0}, {4, 0}, {4, 3}, {6, 3}, {6, 5}, {0, 5}, {0, 3}, {2, 3}}, true);
  expectOutlines(t, -0.15, {{XtGe::kExtend, 18 + 22 * 0.15 + 4 * 0.0225, 22 + 8 * 0.15}});
}

TEST(TrimmedOffset, RoomWithOneArcWall) {
  // 5 x 4, the top wall a half circle of radius 2.5 (tangent to the side
  // walls, so only the two bottom corners are joints).
  const XtGeCompositeCurve2d room = polyline({{0, 0}, {5, 0}, {5, 4, 1.0}, {0, 4}}, true);
  for (double d : {0.2, 1.0}) {
    const double r = 2.5 - d;
    expectOutlines(room, d,
                   {{XtGe::kFillet, (5 - 2 * d) * (4 - d) + kPi * r * r / 2,
                     (5 - 2 * d) + 2 * (4 - d) + kPi * r}});
    const double R = 2.5 + d;
    const double mitred = (5 + 2 * d) * (4 + d) + kPi * R * R / 2;
    const double mitredLength = (5 + 2 * d) + 2 * (4 + d) + kPi * R;
    expectOutlines(room, -d,
                   {{XtGe::kExtend, mitred, mitredLength},
                    {XtGe::kFillet, mitred - 2 * d * d * (1 - kPi / 4),
                     mitredLength - 4 * d + kPi * d}});
  }
  // Deep inside, 1.2 wide under a half circle of radius 0.6.
  const Offsets deep = offsetOf(room, 1.9, XtGe::kFillet);
  ASSERT_EQ(deep.curves.size(), 1u);
  EXPECT_NEAR(deep.signedArea(0), 1.2 * 2.1 + kPi * 0.36 / 2, 1e-9);
}

TEST(TrimmedOffset, FullCircleGivesACircle) {
  XtGeCurve2dPtrArray one;
  one.append(new XtGeCircArc2d(XtGePoint2d(3, 4), 2.0));
  const XtGeCompositeCurve2d circle(one, XtGeIntArray());
  delete one[0];
  const Offsets in = offsetOf(circle, 0.5, XtGe::kExtend);
  ASSERT_EQ(in.curves.size(), 1u);
  ASSERT_EQ(in.curves[0]->type(), XtGe::kCircArc2d);  // one piece: the simple curve
  const auto& arc = static_cast<const XtGeCircArc2d&>(*in.curves[0]);
  EXPECT_TRUE(arc.isFullCircle());
  EXPECT_NEAR(arc.radius(), 1.5, 1e-12);
  EXPECT_NEAR(offsetOf(circle, -0.5, XtGe::kFillet).signedArea(0), kPi * 6.25, 1e-9);
  EXPECT_FALSE(offsetOf(circle, 2.0, XtGe::kFillet).answered);
  // The same circle as two half arcs stays two arcs.
  const XtGeCompositeCurve2d halves = polyline({{1, 4, 1.0}, {5, 4, 1.0}}, true);
  const Offsets two = offsetOf(halves, 0.5, XtGe::kExtend);
  ASSERT_EQ(two.curves.size(), 1u);
  EXPECT_EQ(two.pieces(0), 2);
  EXPECT_NEAR(two.signedArea(0), kPi * 2.25, 1e-9);
}

TEST(TrimmedOffset, ClockwiseInputKeepsItsDirection) {
  XtGeCompositeCurve2d l = lShape();
  l.reverseParam();
  // Left of clockwise travel is outside.
  const Offsets out = offsetOf(l, 0.15, XtGe::kExtend);
  ASSERT_EQ(out.curves.size(), 1u);
  EXPECT_NEAR(out.signedArea(0), -(6.3 * 4.3 - 6.0), 1e-9);
  const Offsets in = offsetOf(l, -0.15, XtGe::kExtend);
  ASSERT_EQ(in.curves.size(), 1u);
  EXPECT_NEAR(in.signedArea(0), -(5.7 * 3.7 - 6.0), 1e-9);
}

TEST(TrimmedOffset, DumbbellSplitsIntoTwoLoops) {
  // Two 4 x 4 rooms joined by a corridor 1 wide and 3 long.
  const XtGeCompositeCurve2d bell = polyline({{0, 0}, {4, 0}, {4, 1.5}, {7, 1.5}, {7, 0}, {11, 0},
                                              {11, 4}, {7, 4}, {7, 2.5}, {4, 2.5}, {4, 4}, {0, 4}},
                                             true);
  const Offsets joined = offsetOf(bell, 0.4, XtGe::kExtend);
  ASSERT_EQ(joined.curves.size(), 1u);
  EXPECT_NEAR(joined.signedArea(0), 2 * 3.2 * 3.2 + 3.8 * 0.2, 1e-9);
  // By 0.6 the corridor vanishes. The rooms are 2.8 square; with fillets
  // and chamfers they bulge into the corridor's mouth between the circles
  // of radius 0.6 about its corners.
  const double bulge = 2 * (0.3 - (0.25 * std::sqrt(0.11) + 0.18 * std::asin(5.0 / 6.0)));
  const struct {
    int ext;
    double area;
  } rooms[] = {{XtGe::kExtend, 7.84},
               {XtGe::kFillet, 7.84 + bulge},
               {XtGe::kChamfer, 7.84 + 0.5 * (0.6 - std::sqrt(0.11))}};
  for (const auto& e : rooms) {
    SCOPED_TRACE(e.ext);
    const Offsets o = offsetOf(bell, 0.6, e.ext);
    ASSERT_EQ(o.curves.size(), 2u);
    for (size_t i = 0; i < 2; ++i) EXPECT_NEAR(o.signedArea(i), e.area, 1e-9);
  }
}

TEST(TrimmedOffset, ExtendedOffsetKeepsBothRoomsBehindANarrowNeck) {
  // Two 3 x 3 rooms joined by a neck 0.2 wide: offset inwards by more than
  // half the neck, the extensions at its mouth overlap and the circles
  // about the mouth's corners touch the rooms' straight sides exactly.
  const XtGeCompositeCurve2d bell = polyline({{0, 0}, {3, 0}, {3, 1.4}, {4, 1.4}, {4, 0}, {7, 0},
                                              {7, 3}, {4, 3}, {4, 1.6}, {3, 1.6}, {3, 3}, {0, 3}},
                                             true);
  for (const double d : {0.3, 0.4, 0.6}) {
    SCOPED_TRACE(d);
    const Offsets o = offsetOf(bell, d, XtGe::kExtend);
    ASSERT_EQ(o.curves.size(), 2u);
    const double side = 3.0 - 2.0 * d;
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_NEAR(o.signedArea(i), side * side, 1e-9);
      EXPECT_NEAR(o.length(i), 4.0 * side, 1e-9);
    }
  }
}

TEST(TrimmedOffset, OpenPolylines) {
  const XtGeCompositeCurve2d corner = polyline({{0, 0}, {4, 0}, {4, 3}}, false);
  const Offsets in = offsetOf(corner, 0.5, XtGe::kExtend);
  ASSERT_EQ(in.curves.size(), 1u);
  EXPECT_FALSE(in.curves[0]->xtIsClosed());
  EXPECT_NEAR(in.length(0), 3.5 + 2.5, 1e-12);
  XtGePoint2d s, e;
  ASSERT_TRUE(in.curves[0]->hasStartPoint(s) && in.curves[0]->hasEndPoint(e));
  EXPECT_NEAR(s.distanceTo(XtGePoint2d(0, 0.5)), 0.0, 1e-12);
  EXPECT_NEAR(e.distanceTo(XtGePoint2d(3.5, 3)), 0.0, 1e-12);
  EXPECT_NEAR(offsetOf(corner, -0.5, XtGe::kExtend).length(0), 4.5 + 3.5, 1e-12);
  EXPECT_NEAR(offsetOf(corner, -0.5, XtGe::kFillet).length(0), 7 + kPi / 4, 1e-12);
  // A hairpin narrower than twice the distance leaves nothing on its
  // inside.
  EXPECT_FALSE(offsetOf(polyline({{0, 0}, {10, 0}, {10, 1}, {0, 1}}, false), 0.6, XtGe::kFillet)
                   .answered);
  // A hook whose last leg ends near its first: the first leg's offset is
  // cut where it comes within 0.8 of the last leg, leaving an open piece
  // and a closed loop.
  const XtGeCompositeCurve2d hook = polyline({{0, 0}, {10, 0}, {10, 2}, {5, 2}, {5, 0.5}}, false);
  const Offsets parts = offsetOf(hook, 0.8, XtGe::kFillet);
  ASSERT_EQ(parts.curves.size(), 2u);
  EXPECT_EQ(parts.curves[0]->type(), XtGe::kLineSeg2d);
  EXPECT_NEAR(parts.length(0), 4.2, 1e-9);
  EXPECT_TRUE(parts.curves[1]->xtIsClosed());
  EXPECT_NEAR(parts.signedArea(1), 3.4 * 0.4, 1e-9);
}

TEST(TrimmedOffset, SharpSpikeHasNoReasonableExtension) {
  // The tip turns by all but 0.02 degrees: extensions would meet more
  // than 1000 times the distance away.
  const double reach = 0.5 / std::tan(0.01 * kPi / 180);
  const XtGeCompositeCurve2d spike =
      polyline({{0, 0}, {20, 0}, {20, 1}, {0, 1}, {-reach, 0.5}}, true);
  EXPECT_FALSE(offsetOf(spike, -0.1, XtGe::kExtend).answered);
  EXPECT_TRUE(offsetOf(spike, -0.1, XtGe::kFillet).answered);
  EXPECT_TRUE(offsetOf(spike, -0.1, XtGe::kChamfer).answered);
}

TEST(TrimmedOffset, ZeroDistanceAndBadInput) {
  const XtGeCompositeCurve2d l = lShape();
  const Offsets same = offsetOf(l, 0.0, XtGe::kExtend);
  ASSERT_EQ(same.curves.size(), 1u);
  EXPECT_NEAR(same.signedArea(0), 18.0, 1e-12);
  EXPECT_FALSE(offsetOf(XtGeCompositeCurve2d(), 0.5, XtGe::kFillet).answered);
  EXPECT_FALSE(offsetOf(l, std::nan(""), XtGe::kFillet).answered);
  EXPECT_FALSE(offsetOf(l, 0.5, 7).answered);
  // Extreme distances and tolerances: at a distance of 1e300 the shape is
  // below the resolution of the coordinates.
  EXPECT_FALSE(offsetOf(l, 1e300, XtGe::kFillet).answered);
  EXPECT_FALSE(offsetOf(l, -1e300, XtGe::kFillet).answered);
  EXPECT_NEAR(offsetOf(l, 1e-300, XtGe::kFillet).signedArea(0), 18.0, 1e-12);
  EXPECT_TRUE(offsetOf(l, -0.5, XtGe::kExtend, XtGeTol(std::nan(""), -1.0)).answered);
  // Ellipse pieces have no offset.
  XtGeCurve2dPtrArray withEllipse;
  withEllipse.append(new XtGeLineSeg2d(XtGePoint2d(0, 0), XtGePoint2d(4, 0)));
  withEllipse.append(new XtGeEllipArc2d(XtGePoint2d(4, 2), XtGeVector2d(0, -2), XtGeVector2d(1, 0),
                                        2, 1, 0, kPi));
  XtGeIntArray handOver;
  handOver.append(1);
  handOver.append(1);
  EXPECT_FALSE(offsetOf(XtGeCompositeCurve2d(withEllipse, handOver), 0.5, XtGe::kFillet).answered);
}

TEST(TrimmedOffset, DegenerateAndNestedPieces) {
  // A zero-length piece, a gap of 0.5 and a nested composite: the gap is
  // bridged, the rest offset as the rectangle it draws.
  std::vector<std::unique_ptr<XtGeCurve2d>> inner;
  inner.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(4, 0), XtGePoint2d(4, 3)));
  inner.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(4, 3), XtGePoint2d(4, 3)));
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(4, 0)));
  pieces.push_back(std::make_unique<XtGeCompositeCurve2d>(std::move(inner)));
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(3.5, 3), XtGePoint2d(0, 3)));
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 3), XtGePoint2d(0, 0)));
  const XtGeCompositeCurve2d messy(std::move(pieces));
  const Offsets o = offsetOf(messy, 0.5, XtGe::kExtend);
  ASSERT_EQ(o.curves.size(), 1u);
  EXPECT_NEAR(o.signedArea(0), 3.0 * 2.0, 1e-9);
}

TEST(TrimmedOffset, FarAndTinyCoordinates) {
  // Drawing units far from the origin with a coarse tolerance.
  const XtGeCompositeCurve2d far = polyline({{1e7, 1e7}, {1e7 + 6000, 1e7}, {1e7 + 6000, 1e7 + 2000},
                                             {1e7 + 3000, 1e7 + 2000}, {1e7 + 3000, 1e7 + 4000},
                                             {1e7, 1e7 + 4000}},
                                            true);
  const Offsets big = offsetOf(far, 150, XtGe::kExtend, XtGeTol(1e-3, 1e-8));
  ASSERT_EQ(big.curves.size(), 1u);
  EXPECT_NEAR(big.signedArea(0), 5700.0 * 3700.0 - 6e6, 1.0);
  // Millimetre-sized and a fine tolerance.
  const XtGeCompositeCurve2d tiny = rectangle(1e-3, 1e-3, 4e-3, 3e-3);
  const Offsets small = offsetOf(tiny, -1e-4, XtGe::kFillet, XtGeTol(1e-12, 1e-12));
  ASSERT_EQ(small.curves.size(), 1u);
  EXPECT_NEAR(small.signedArea(0), 12e-6 + 14e-3 * 1e-4 + kPi * 1e-8, 1e-16);
}
