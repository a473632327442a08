#include "geometry/hatchPreview.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <set>
#include <tuple>
#include <vector>

namespace {

std::vector<XtGeLineSeg2d> walk(std::vector<hatchFamily> families, int size = 100, std::size_t limit = 0,
                                bool* ok = nullptr) {
  std::vector<XtGeLineSeg2d> out;
  const bool walked = hatchPreviewSegments(families, size, limit, out);
  if (ok != nullptr) *ok = walked;
  return out;
}

hatchFamily family(double angle, XtGePoint2d base, XtGeVector2d offset, std::vector<double> dashes = {}) {
  return hatchFamily{angle, base, offset, std::move(dashes)};
}

using Ends = std::tuple<double, double, double, double>;

std::set<Ends> endsOf(const std::vector<XtGeLineSeg2d>& segments) {
  std::set<Ends> ends;
  for (const auto& s : segments)
    ends.emplace(std::round(s.startPoint().x * 1e6) / 1e6, std::round(s.startPoint().y * 1e6) / 1e6,
                 std::round(s.endPoint().x * 1e6) / 1e6, std::round(s.endPoint().y * 1e6) / 1e6);
  return ends;
}

}  // namespace

TEST(hatchPreview, ContinuousFamiliesFillTheBoxLineByLine) {
  // Horizontal lines 10 apart, whether the base is on the border, in the
  // middle or 1e7 away: the 11 lines y = 0, 10, ..., 100 across the box.
  const std::set<Ends> horizontal = endsOf(walk({family(0, {0, 0}, {0, 10})}));
  ASSERT_EQ(horizontal.size(), 11u);
  for (const auto& [x1, y1, x2, y2] : horizontal) {
    EXPECT_EQ(std::tuple(x1, x2, y1), std::tuple(0.0, 100.0, y2));
    EXPECT_EQ(std::fmod(y1, 10.0), 0.0);
  }
  EXPECT_EQ(endsOf(walk({family(0, {0, 50}, {0, 10})})), horizontal);
  EXPECT_EQ(endsOf(walk({family(360 + 1e-12, {3, 1e7}, {0, 10})})), horizontal);
  EXPECT_EQ(hatchLineIndexAt(0.0, 0.0, 50.0, 100, true, 0.0, 10.0), -6);
  EXPECT_EQ(hatchLineIndexAt(0.0, 0.0, 50.0, 100, false, 0.0, 10.0), -6);

  // Vertical lines stepping left run from pixel y 100 to 0.
  const auto vertical = walk({family(90, {0, 0}, {-10, 0})});
  ASSERT_EQ(vertical.size(), 11u);
  std::set<double> xs;
  for (const auto& s : vertical) {
    EXPECT_EQ(std::tuple(s.startPoint().y, s.endPoint().y, s.startPoint().x), std::tuple(100.0, 0.0, s.endPoint().x));
    xs.insert(s.startPoint().x);
  }
  EXPECT_EQ(xs.size(), 11u);
  EXPECT_EQ(*xs.rbegin(), 100.0);

  // 45 degrees (pixel slope -1): every piece is a chord of the box along the
  // family direction (smaller x first), and the chords cover the box's
  // diagonal lines 10 / sqrt(2) apart.
  const auto diagonal = walk({family(45, {0, 0}, {-10 / std::sqrt(2.0), 10 / std::sqrt(2.0)})});
  double length = 0.0;
  for (const auto& s : diagonal) {
    EXPECT_LT(s.startPoint().x, s.endPoint().x);
    EXPECT_NEAR(s.endPoint().y - s.startPoint().y, -(s.endPoint().x - s.startPoint().x), 1e-9);
    length += s.length();
  }
  EXPECT_NEAR(length, 100.0 * 100.0 / 10.0, 100.0);
}

TEST(hatchPreview, DashesRepeatAlongTheLineAndShiftFromLineToLine) {
  // 0 degrees, base (2, 0), offset (3, 10), dashes (5, -5): on line k (y up
  // 10 k) dashes start at 2 + 3k + 10m, each 5 long, kept whole at the border.
  const auto dashes = walk({family(0, {2, 0}, {3, 10}, {5, -5})});
  ASSERT_FALSE(dashes.empty());
  for (const auto& s : dashes) {
    const XtGePoint2d a = s.startPoint(), b = s.endPoint();
    const double k = (100.0 - a.y) / 10.0;
    EXPECT_EQ(k, std::round(k));
    EXPECT_NEAR(b.x - a.x, 5.0, 1e-9);
    EXPECT_EQ(a.y, b.y);
    const double phase = std::fmod(a.x - 2.0 - 3.0 * k, 10.0);
    EXPECT_NEAR(std::min(std::fabs(phase), 10.0 - std::fabs(phase)), 0.0, 1e-9) << a.x << " on line " << k;
  }

  // 90 degrees, offset (-10, 3), dashes (5, -5): line n is x = -10n with
  // dashes from y = 3n + 10m up by 5, kept when an end or the middle is in.
  std::set<Ends> expected;
  for (int n = -10; n <= 0; ++n)
    for (int m = -5; m <= 15; ++m) {
      const double y = 3.0 * n + 10.0 * m;
      const auto in = [](double v) { return v >= 0 && v <= 100; };
      if (in(y) || in(y + 5) || in(y + 2.5)) expected.emplace(-10.0 * n, 100.0 - y, -10.0 * n, 100.0 - y - 5);
    }
  EXPECT_EQ(endsOf(walk({family(90, {0, 0}, {-10, 3}, {5, -5})})), expected);

  // A dash longer than the box whose ends both lie outside stays for its
  // middle.
  const auto long_dash = walk({family(90, {5, -10}, {-1000, 0}, {30, -30})}, 10);
  ASSERT_EQ(long_dash.size(), 1u);
  EXPECT_EQ(endsOf(long_dash), (std::set<Ends>{{5, 20, 5, -10}}));
}

TEST(hatchPreview, BadPatternsGiveNothingAndTheLimitStopsOneBeyond) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    hatchFamily f;
    int size;
    bool ok;
    std::size_t count;
  };
  const Case cases[] = {
      {"base beyond 2^31", family(0, {1e300, 0}, {0, 10}), 100, false, 0},
      {"offset along the lines only", family(90, {0, 0}, {0, 10}), 100, false, 0},
      {"no offset", family(30, {0, 0}, {0, 0}), 100, false, 0},
      {"angle not a number", family(nan, {0, 0}, {0, 10}), 100, false, 0},
      {"a million lines", family(30, {0, 0}, {0, 1e-4}), 100, false, 0},
      {"a million repetitions", family(0, {0, 0}, {0, 50}, {1e-4, -1e-4}), 100, false, 0},
      {"box of no size", family(0, {0, 0}, {0, 10}), 0, false, 0},
      {"gaps only", family(0, {0, 0}, {0, 10}, {-5}), 100, true, 0},
      {"dots of no length draw solid", family(0, {0, 0}, {0, 10}, {0}), 100, true, 11},
      {"vertical outside the box", family(90, {150, 0}, {1000, 0}), 100, true, 0},
      {"vertical on the right border", family(90, {100, 0}, {1000, 0}), 100, true, 1},
  };
  for (const Case& c : cases) {
    bool ok = !c.ok;
    std::vector<XtGeLineSeg2d> out{XtGeLineSeg2d()};
    ok = hatchPreviewSegments({family(0, {0, 0}, {0, 25}), c.f}, c.size, 0, out);
    EXPECT_EQ(ok, c.ok) << c.what;
    EXPECT_EQ(out.size(), 1 + (c.ok ? 5 + c.count : 0)) << c.what;
  }
  EXPECT_EQ(walk({family(0, {0, 0}, {0, 10}, {1, -1})}, 100, 5).size(), 6u);
  EXPECT_EQ(walk({family(0, {0, 0}, {0, 10}), family(90, {0, 0}, {10, 0})}, 100, 12).size(), 13u);
  std::vector<XtGeLineSeg2d> vertical;
  EXPECT_FALSE(hatchPatternInPolygon(family(30, {0, 0}, {0, 10}), 100, 0, vertical));
  EXPECT_TRUE(hatchPatternInPolygon(family(270, {0, 0}, {10, 0}), 100, 0, vertical));
  ASSERT_EQ(vertical.size(), 11u);
  EXPECT_EQ(std::tuple(vertical[0].startPoint().y, vertical[0].endPoint().y), std::tuple(0.0, 100.0));
}

TEST(hatchPreview, LineIndexAtTheCorners) {
  struct Case {
    double slope, x0, y0;
    bool flag;
    int index;
  };
  // Spacing 10 along x (sloped) or y (horizontal), box 100.
  const Case cases[] = {
      {1.0, 35.0, 0.0, true, -7},    // x 35 at y = 0, corner 100 larger
      {1.0, 135.0, 0.0, true, 3},    // reference beyond the corner
      {1.0, 35.0, 0.0, false, -14},  // x at y = 100 is 135 against 0
      {1.0, -165.0, 0.0, false, 6},  // x at y = 100 is -65
      {-1.0, 235.0, 0.0, true, 3},   // x at y = 100 is 135 against 100
      {-1.0, 35.0, 0.0, false, -4},  // x 35 at y = 0 against 0
      {0.0, 0.0, 50.0, true, -6},
      {0.0, 0.0, 50.0, false, -6},
      {0.0, 0.0, 130.0, true, 3},
      {0.0, 0.0, 100.0, true, 0},  // a corner on the reference line
      {2.0, 100.0, 0.0, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(hatchLineIndexAt(c.slope, c.x0, c.y0, 100, c.flag, 10.0, 10.0), c.index)
        << c.slope << " " << c.x0 << " " << c.y0 << " " << c.flag;
  EXPECT_FALSE(hatchLineIndexAt(0.0, 0.0, 50.0, 100, true, 10.0, 0.0));
  EXPECT_FALSE(hatchLineIndexAt(0.0, 0.0, 1e300, 100, true, 10.0, 10.0));
}

TEST(hatchPreview, ClippingToTheBox) {
  XtGePoint2d a, b;
  // Through the corner (0, 0): the corner once, then the far side.
  ASSERT_TRUE(clipLineToBox(0.5, 0.0, 0.0, 100, 30.0, a, b));
  EXPECT_EQ(std::tuple(a.x, a.y, b.x, b.y), std::tuple(0.0, 0.0, 100.0, 50.0));
  ASSERT_TRUE(clipLineToBox(0.5, 0.0, 0.0, 100, 210.0, a, b));
  EXPECT_EQ(std::tuple(a.x, b.x), std::tuple(100.0, 0.0));
  EXPECT_FALSE(clipLineToBox(-1.0, 0.0, 0.0, 100, 45.0, a, b));  // touches the corner only
  EXPECT_FALSE(clipLineToBox(0.0, 0.0, 100.5, 100, 0.0, a, b));
  EXPECT_FALSE(clipLineToBox(0.0, -0.5, 0.0, 100, 90.0, a, b));
  EXPECT_EQ(lineXAxisPoint(0.0, 1, 2), XtGePoint2d(-1, -1));
  EXPECT_EQ(lineXAtY(0.0, 1, 2, 5), XtGePoint2d(-1, -1));
  EXPECT_EQ(lineYAxisPoint(2.0, 1, 2), XtGePoint2d(0, 0));
  EXPECT_EQ(lineYAtX(2.0, 1, 2, 3), XtGePoint2d(3, 6));
}

TEST(hatchPreview, DashListsAndPatternLines) {
  XtGePoint2dArray points;
  double total = -1.0;
  const double dashes[] = {2, -1, 0};
  stepPointsLength(dashes, 3, points, total, 0.0, false);
  ASSERT_EQ(points.length(), 2);
  EXPECT_EQ(std::tuple(points[0].x, points[0].y, points[1].x, points[1].y, total), std::tuple(0.0, 2.0, 3.0, 3.0, 3.0));
  stepPointsLength(dashes, 3, points, total, std::numbers::pi / 3, false);
  EXPECT_NEAR(points[0].y, 1.0, 1e-12);
  EXPECT_NEAR(points[1].x, 1.5, 1e-12);
  EXPECT_NEAR(total, 1.5, 1e-12);
  stepPointsLength(dashes, 3, points, total, std::numbers::pi / 2, true);
  EXPECT_EQ(total, 3.0);
  stepPointsLength(nullptr, 0, points, total, 0.0, false);
  EXPECT_EQ(std::tuple(points.length(), total), std::tuple(0, 0.0));

  XtGePoint2d a, b;
  hatchLinePoints(1, 3, 0.5, 0, 2, 2, a, b);
  EXPECT_EQ(std::tuple(a.x, a.y, b.x, b.y), std::tuple(1.5, 5.0, 3.5, 9.0));
  EXPECT_EQ(hatchPatternExtents({family(0, {0, 0}, {3, 4}, {2, -1}), family(0, {0, 0}, {0, 3}, {4, -4, 0})}), 8.0);
  EXPECT_EQ(hatchPatternExtents({}), 0.0);
}
